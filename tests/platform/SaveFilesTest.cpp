// Leftovers of an interrupted save: only this user's regular files named like the writer's
// temporary files of the given name are removed; the real file, the operator's own copies,
// names one character off, links and what they point at all stay.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "SaveFiles.h"

namespace orvix {
namespace {

void Touch(const QDir& dir, const QString& name, const QByteArray& bytes = "data") {
  QFile f(dir.filePath(name));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

TEST(StaleSaveFiles, OnlyTemporariesOfTheNameAreRemoved) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QDir dir(tmp.path());
  const std::string folder = tmp.path().toStdString();

  const QStringList stale = {QStringLiteral("conf300.dat.orvix-jOBDOA"),
                             QStringLiteral("conf300.dat.orvix-Ab3dE9"),
                             QStringLiteral("conf300.dat.orvix-000000")};
  for (const QString& n : stale) Touch(dir, n);
  const QStringList kept = {
      QStringLiteral("conf300.dat"),
      QStringLiteral("conf300.dat.bak"),
      // The operator's own copies, six letters after the dot like a temporary name.
      QStringLiteral("conf300.dat.backup"),
      QStringLiteral("conf300.dat.kopia1"),
      QStringLiteral("conf300.dat.orvix-ABCDE"),
      QStringLiteral("conf300.dat.orvix-ABCDEFG"),
      QStringLiteral("conf300.dat.orvix-AB-DEF"),
      QStringLiteral("conf300.dat.orvixAABCDEF"),
      QStringLiteral("xconf300.dat.orvix-ABCDEF"),
      QStringLiteral("conf301.dat.orvix-ABCDEF"),
      QStringLiteral("conf300.dat.orvix-ABCDE\xe9"),
      QStringLiteral("picture.bmp.orvix-ABCDEF")};
  for (const QString& n : kept) Touch(dir, n);
  // A link under a matching name: neither it nor what it points at is removed.
  Touch(dir, QStringLiteral("target"));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("target")),
                          dir.filePath(QStringLiteral("conf300.dat.orvix-LNKxyz"))));
  // A folder under a matching name stays too, and so does another user's file.
  ASSERT_TRUE(dir.mkdir(QStringLiteral("conf300.dat.orvix-DIRabc")));
  const bool root = ::geteuid() == 0;  // only root can hand a file to another user
  if (root) {
    Touch(dir, QStringLiteral("conf300.dat.orvix-NOBODY"));
    ASSERT_EQ(::chown(QFile::encodeName(dir.filePath(QStringLiteral("conf300.dat.orvix-NOBODY"))),
                      65534, 65534), 0);
  }

  EXPECT_EQ(RemoveStaleSaveFiles(folder, "conf300.dat"), int(stale.size()));
  for (const QString& n : stale) EXPECT_FALSE(QFileInfo::exists(dir.filePath(n))) << n.toStdString();
  for (const QString& n : kept) EXPECT_TRUE(QFileInfo::exists(dir.filePath(n))) << n.toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("conf300.dat.orvix-LNKxyz"))).isSymLink());
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("target"))));
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("conf300.dat.orvix-DIRabc"))).isDir());
  if (root) {
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("conf300.dat.orvix-NOBODY"))));
  }

  // Nothing left to do the second time.
  EXPECT_EQ(RemoveStaleSaveFiles(folder, "conf300.dat"), 0);
}

// The names the writer gives its temporary files are the ones recognised, and no two are
// alike.
TEST(StaleSaveFiles, MatchesTheWritersOwnTemporaryNames) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const std::string file = tmp.filePath(QStringLiteral("conf300.dat")).toStdString();
  std::set<std::string> names;
  for (int i = 0; i < 50; ++i) {
    const std::string n = SaveTemporaryName(file);
    EXPECT_TRUE(IsSaveTemporaryOf(n.substr(n.rfind('/') + 1), "conf300.dat")) << n;
    names.insert(n);
  }
  EXPECT_EQ(names.size(), 50u);
  for (const std::string& n : names) {
    QFile f(QString::fromStdString(n));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << n;
  }
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), "conf300.dat"), 50);
  for (const std::string& n : names) EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(n)));
}

TEST(StaleSaveFiles, UnreadableFolderOrUnusableName) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QDir dir(tmp.path());
  Touch(dir, QStringLiteral(".orvix-ABCDEF"));
  Touch(dir, QStringLiteral("conf300.dat.orvix-ABCDEF"));
  // An empty name would match every ".orvix-XXXXXX" file; a path is no file name.
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), ""), 0);
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), "x/conf300.dat"), 0);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral(".orvix-ABCDEF"))));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("conf300.dat.orvix-ABCDEF"))));

  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString() + "/missing", "conf300.dat"), -1);
  EXPECT_EQ(RemoveStaleSaveFiles(dir.filePath(QStringLiteral(".orvix-ABCDEF")).toStdString(),
                                 "conf300.dat"), -1);  // a file, not a folder
}

}  // namespace
}  // namespace orvix
