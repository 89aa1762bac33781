// The platform layer: the single-instance lock across real processes (refused while held,
// taken over from a killed holder), a lock that cannot be taken letting the station run
// without touching what stands under the lock's name, the private lock folder, and the
// dated picture folders with their one-level creation and error text.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>

#include "PictureFolders.h"
#include "SingleInstance.h"

namespace orvix {
namespace {

// Starts the helper on `folder`; returns its first output line.
QString RunHolder(QProcess& p, const QString& folder) {
  p.start(QStringLiteral(ORVIX_INSTANCE_HOLDER), {folder});
  if (!p.waitForStarted(10000)) return QStringLiteral("not started");
  if (!p.waitForReadyRead(10000)) return QStringLiteral("no answer");
  return QString::fromUtf8(p.readLine()).trimmed();
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// True when nothing holds an flock on `path`: the lock was not taken through a link to it.
bool Unlocked(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

// Sets an environment variable for one test and puts the old value back.
class EnvGuard {
 public:
  EnvGuard(const char* name, const QByteArray& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = QByteArray(old);
    qputenv(name, value);
  }
  ~EnvGuard() {
    if (old_) qputenv(name_, *old_);
    else qunsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<QByteArray> old_;
};

constexpr uid_t kNobody = 65534;

TEST(InstanceLock, SecondProcessRefusedWhileTheFirstHoldsIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess first;
  ASSERT_EQ(RunHolder(first, dir.path()), QStringLiteral("held"));

  InstanceLock here("ApplicationTestMap", dir.path().toStdString());
  EXPECT_FALSE(here.TryAcquire());
  EXPECT_FALSE(here.Held());
  EXPECT_EQ(here.State(), LockState::HeldElsewhere);
  EXPECT_TRUE(here.Failure().empty());

  // A crash of the holder must not lock the station out.
  first.kill();
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(here.Path())));  // the file stays behind
  EXPECT_TRUE(here.TryAcquire());
  EXPECT_EQ(here.State(), LockState::Held);

  // Now the child is the one refused.
  QProcess second;
  EXPECT_EQ(RunHolder(second, dir.path()), QStringLiteral("refused"));
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 1);

  here.Release();
  QProcess third;
  EXPECT_EQ(RunHolder(third, dir.path()), QStringLiteral("held"));
  third.kill();
  third.waitForFinished(10000);
}

TEST(InstanceLock, WithinOneProcess) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();
  // A leftover file naming a process that is long gone is no lock.
  QFile stale(dir.path() + QStringLiteral("/ApplicationTestMap.lock"));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write("999999\n");
  stale.close();

  InstanceLock a("ApplicationTestMap", folder);
  EXPECT_EQ(a.State(), LockState::NotTaken);
  EXPECT_TRUE(a.TryAcquire());
  EXPECT_EQ(a.State(), LockState::Held);
  EXPECT_EQ(ReadAll(stale.fileName()), QByteArray::number(qint64(::getpid())) + "\n");
  EXPECT_TRUE(a.TryAcquire());  // asking again keeps it
  InstanceLock b("ApplicationTestMap", folder);
  EXPECT_FALSE(b.TryAcquire());
  EXPECT_EQ(b.State(), LockState::HeldElsewhere);
  InstanceLock other("OtherName", folder);
  EXPECT_TRUE(other.TryAcquire());
  a.Release();
  EXPECT_EQ(a.State(), LockState::NotTaken);
  EXPECT_TRUE(b.TryAcquire());
  EXPECT_EQ(b.State(), LockState::Held);
}

// Whatever stands under the lock's name that is not this user's own plain file is neither
// followed, nor truncated, nor locked; the station runs (TryAcquire true) and says why.
TEST(InstanceLock, PlantedLinkIsNeitherFollowedNorTruncated) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString precious = dir.filePath(QStringLiteral("precious"));
  WriteFile(precious, "operator data\n");
  const QString lockName = dir.filePath(QStringLiteral("ApplicationTestMap.lock"));
  ASSERT_TRUE(QFile::link(precious, lockName));

  InstanceLock lock("ApplicationTestMap", dir.path().toStdString());
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Unavailable);
  EXPECT_FALSE(lock.Held());
  EXPECT_NE(lock.Failure().find("ApplicationTestMap.lock"), std::string::npos) << lock.Failure();
  EXPECT_EQ(ReadAll(precious), QByteArray("operator data\n"));
  EXPECT_TRUE(Unlocked(precious));
  EXPECT_TRUE(QFileInfo(lockName).isSymLink());

  // A dangling link: its target is not created either.
  ASSERT_TRUE(QFile::remove(lockName));
  const QString absent = dir.filePath(QStringLiteral("absent"));
  ASSERT_TRUE(QFile::link(absent, lockName));
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Unavailable);
  EXPECT_FALSE(QFileInfo::exists(absent));

  // Another name of the same file (a hard link) is not truncated either.
  ASSERT_TRUE(QFile::remove(lockName));
  ASSERT_EQ(::link(QFile::encodeName(precious).constData(),
                   QFile::encodeName(lockName).constData()), 0);
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Unavailable);
  EXPECT_EQ(ReadAll(precious), QByteArray("operator data\n"));
}

TEST(InstanceLock, UnusableLockLetsTheStationRun) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();

  // No such folder.
  InstanceLock nowhere("ApplicationTestMap", folder + "/missing/folder");
  EXPECT_TRUE(nowhere.TryAcquire());
  EXPECT_EQ(nowhere.State(), LockState::Unavailable);
  EXPECT_FALSE(nowhere.Held());
  EXPECT_FALSE(nowhere.Failure().empty());

  // A folder under the lock's name.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Folder.lock")));
  InstanceLock folderLock("Folder", folder);
  EXPECT_TRUE(folderLock.TryAcquire());
  EXPECT_EQ(folderLock.State(), LockState::Unavailable);

  // A pipe under the lock's name: refused at once, never opened (which could block).
  ASSERT_EQ(::mkfifo((folder + "/Pipe.lock").c_str(), 0600), 0);
  InstanceLock pipeLock("Pipe", folder);
  EXPECT_TRUE(pipeLock.TryAcquire());
  EXPECT_EQ(pipeLock.State(), LockState::Unavailable);

  // Once the name is free again the lock is taken as usual.
  ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("Folder.lock")));
  EXPECT_TRUE(folderLock.TryAcquire());
  EXPECT_EQ(folderLock.State(), LockState::Held);
  EXPECT_TRUE(folderLock.Failure().empty());
}

TEST(InstanceLock, AnotherUsersLockFileIsLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can hand a file to another user";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString foreign = dir.filePath(QStringLiteral("ApplicationTestMap.lock"));
  WriteFile(foreign, "12345\n");
  ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), kNobody, kNobody), 0);
  InstanceLock lock("ApplicationTestMap", dir.path().toStdString());
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Unavailable);
  EXPECT_NE(lock.Failure().find("another user"), std::string::npos) << lock.Failure();
  EXPECT_EQ(ReadAll(foreign), QByteArray("12345\n"));
  EXPECT_TRUE(Unlocked(foreign));
}

TEST(InstanceLock, UnwritableFolderLetsTheStationRun) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();
  ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
  InstanceLock lock("ApplicationTestMap", folder);
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Unavailable);
  EXPECT_NE(lock.Failure().find("cannot create"), std::string::npos) << lock.Failure();
  ::chmod(folder.c_str(), 0700);
}

TEST(InstanceLock, PrivateFolderUnderTheTemporaryFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const std::string base = root.path().toStdString();
  const std::string mine = base + "/orvix-" + std::to_string(::geteuid());
  std::string failure;
  EXPECT_EQ(PrivateLockFolder(base, failure), mine);
  struct stat st {};
  ASSERT_EQ(::lstat(mine.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // An existing folder of ours that others may enter is made private again.
  ASSERT_EQ(::chmod(mine.c_str(), 0777), 0);
  EXPECT_EQ(PrivateLockFolder(base, failure), mine);
  ASSERT_EQ(::lstat(mine.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // A link planted under the name is refused and what it points at is left as it was.
  ASSERT_TRUE(QDir(QString::fromStdString(mine)).removeRecursively());
  const std::string shared = base + "/shared";
  ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
  ASSERT_EQ(::symlink(shared.c_str(), mine.c_str()), 0);
  failure.clear();
  EXPECT_EQ(PrivateLockFolder(base, failure), "");
  EXPECT_FALSE(failure.empty());
  ASSERT_EQ(::stat(shared.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0777u);

  // So is a plain file.
  ASSERT_EQ(::unlink(mine.c_str()), 0);
  WriteFile(QString::fromStdString(mine), "x");
  failure.clear();
  EXPECT_EQ(PrivateLockFolder(base, failure), "");
  EXPECT_FALSE(failure.empty());

  if (::geteuid() == 0) {  // a folder of another user under the name
    ASSERT_EQ(::unlink(mine.c_str()), 0);
    ASSERT_EQ(::mkdir(mine.c_str(), 0700), 0);
    ASSERT_EQ(::chown(mine.c_str(), kNobody, kNobody), 0);
    failure.clear();
    EXPECT_EQ(PrivateLockFolder(base, failure), "");
    EXPECT_NE(failure.find("another user"), std::string::npos) << failure;
  }
}

// Without a usable runtime folder the lock goes to the user's private folder, never into
// the shared temporary folder itself.
TEST(InstanceLock, DefaultFolderIsPrivate) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  EnvGuard tmp("TMPDIR", QFile::encodeName(root.path()));

  // No runtime folder, and a link to a shared folder planted where Qt makes its stand-in.
  EnvGuard runtime("XDG_RUNTIME_DIR", QByteArray());
  const passwd* pw = ::getpwuid(::geteuid());
  ASSERT_NE(pw, nullptr);
  const QString shared = root.filePath(QStringLiteral("shared"));
  ASSERT_TRUE(QDir().mkdir(shared));
  ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0777), 0);
  ASSERT_TRUE(QFile::link(shared, root.filePath(QStringLiteral("runtime-") +
                                                QString::fromLocal8Bit(pw->pw_name))));
  InstanceLock lock;
  EXPECT_EQ(lock.Path(), root.path().toStdString() + "/orvix-" + std::to_string(::geteuid()) +
                             "/ApplicationTestMap.lock");
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_EQ(lock.State(), LockState::Held);
  EXPECT_TRUE(QDir(shared).isEmpty());
}

TEST(PictureFolders, ChainForADate) {
  EXPECT_EQ(SessionFolderChain(2026, 12, 8),
            (std::vector<std::string>{"/Pictures", "/Pictures/2026", "/Pictures/2026/12",
                                      "/Pictures/2026/12/Session-26-12-08"}));
  EXPECT_EQ(SessionFolderChain(2030, 1, 5).back(), "/Pictures/2030/01/Session-30-01-05");
  EXPECT_EQ(SessionFolderChain(2100, 10, 31).back(), "/Pictures/2100/10/Session-00-10-31");
}

TEST(PictureFolders, MadeLevelByLevelFor8December2026) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PictureFolders f;
  f.ProgramDir = dir.path().toStdString();
  EXPECT_TRUE(MakeSessionFolders(f, 2026, 12, 8).empty());
  const std::string day = f.ProgramDir + "/Pictures/2026/12/Session-26-12-08";
  EXPECT_TRUE(QDir(QString::fromStdString(day)).exists());
  EXPECT_EQ(f.SaveDir, day);
  EXPECT_EQ(f.OpenDir, day);

  // Existing folders are simply taken.
  PictureFolders again;
  again.ProgramDir = f.ProgramDir;
  EXPECT_TRUE(MakeSessionFolders(again, 2026, 12, 8).empty());
  EXPECT_EQ(again.SaveDir, day);
}

TEST(PictureFolders, FailureShowsTheFolderErrorAndKeepsTheLastGoodFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PictureFolders f;
  f.ProgramDir = dir.path().toStdString();
  // A file where the year folder should go.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Pictures")));
  QFile block(dir.path() + QStringLiteral("/Pictures/2026"));
  ASSERT_TRUE(block.open(QIODevice::WriteOnly));
  block.close();

  const std::vector<std::string> errors = MakeSessionFolders(f, 2026, 12, 8);
  EXPECT_EQ(f.SaveDir, f.ProgramDir + "/Pictures");
  EXPECT_EQ(f.OpenDir, f.ProgramDir + "/Pictures");
  ASSERT_EQ(errors.size(), 3u);  // year, month and session each fail
  EXPECT_EQ(errors[0], "   BŁĄD W UTWORZENIU KATALOGU   \r\n\r\n\"   " + f.ProgramDir +
                           "/Pictures/2026   \"");
  EXPECT_EQ(errors[2], "   BŁĄD W UTWORZENIU KATALOGU   \r\n\r\n\"   " + f.ProgramDir +
                           "/Pictures/2026/12/Session-26-12-08   \"");

  // One level only: a missing parent is not made on the way.
  PictureFolders g;
  g.ProgramDir = f.ProgramDir + "/absent";
  g.SaveDir = "keep";
  std::string error;
  EXPECT_FALSE(MakePictureFolder(g, "/Pictures", &error));
  EXPECT_EQ(g.SaveDir, "keep");
  EXPECT_EQ(error, FolderErrorText(g.ProgramDir + "/Pictures"));
  EXPECT_FALSE(QDir(QString::fromStdString(g.ProgramDir)).exists());
}

// Where the station keeps its files: its own folder when it may write there and is not an
// installed program, otherwise the operator's private data folder, refused (and nothing
// made elsewhere) when that is a file, another user's, or cannot be made.
TEST(ProgramFolder, OwnFolderOrTheOperatorsDataFolder) {
  QTemporaryDir dir;
  const QString d = dir.path() + "/";
  for (const char* p : {"build", "usr/bin", "usr/share/applications", "own", "h5/.local/share",
                        "h6/.local/share", "h7/.local/share/orvix"})
    QDir(d).mkpath(p);
  for (const char* f : {"usr/share/applications/orvix.desktop", "file", "h6/.local/share/orvix"})
    WriteFile(d + f, "x");
  QFile::link(d + "own", d + "h5/.local/share/orvix");
  const bool root = ::geteuid() == 0;  // only root can give a folder to another user
  if (root) {
    ASSERT_EQ(::chown((d + "h7/.local/share/orvix").toStdString().c_str(), 65534, 65534), 0);
  }
  struct Case {
    const char *what, *program, *xdg, *home, *folder;
    bool refused;
  };
  const Case cases[] = {
      {"build folder", "build", "", "h0", "build", false},
      {"installed", "usr/bin", "", "h1", "h1/.local/share/orvix", false},
      {"XDG_DATA_HOME", "usr/bin", "@h1/data", "h1", "h1/data/orvix", false},
      {"relative XDG_DATA_HOME", "usr/bin", "data", "h3", "h3/.local/share/orvix", false},
      {"XDG_DATA_HOME under a file", "usr/bin", "@file/data", "h1", "file/data/orvix", true},
      {"link to a folder of one's own", "usr/bin", "", "h5", "h5/.local/share/orvix", false},
      {"a file", "usr/bin", "", "h6", "h6/.local/share/orvix", true},
      {"another user's folder", "usr/bin", "", "h7", "h7/.local/share/orvix", root},
  };
  for (const Case& c : cases) {  // "@" marks a path in the temporary folder
    auto at = [&](const char* p) { return (d + p).toStdString(); };
    const std::string xdg = c.xdg[0] == '@' ? at(c.xdg + 1) : c.xdg, folder = at(c.folder);
    QDir(d).mkpath(c.home);
    const ProgramFolderChoice got = ChooseProgramDir(at(c.program), xdg, at(c.home));
    EXPECT_EQ(got.folder, folder) << c.what;
    EXPECT_EQ(got.error, c.refused ? FolderErrorText(folder) : "") << c.what;
    struct stat st {};
    if (!c.refused && folder != at(c.program) && ::lstat(folder.c_str(), &st) == 0 &&
        !S_ISLNK(st.st_mode)) {
      EXPECT_EQ(st.st_mode & 0777, 0700u) << c.what;
    }
  }
  EXPECT_FALSE(QFileInfo::exists(d + "h0/.local"));  // nothing made for the build folder
  EXPECT_EQ(QFileInfo(d + "h1/.local").permissions() & QFile::ReadGroup, 0);
}

}  // namespace
}  // namespace orvix

