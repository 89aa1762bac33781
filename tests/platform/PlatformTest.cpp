// The platform layer: the single-instance lock across real processes (refused while held,
// taken over from a killed holder), and the dated picture folders with their one-level
// creation and error text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "PictureFolders.h"
#include "SingleInstance.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

// Starts the helper on `folder`; returns its first output line.
QString RunHolder(QProcess& p, const QString& folder) {
  p.start(QStringLiteral(ORVIX_INSTANCE_HOLDER), {folder});
  if (!p.waitForStarted(10000)) return QStringLiteral("not started");
  if (!p.waitForReadyRead(10000)) return QStringLiteral("no answer");
  return QString::fromUtf8(p.readLine()).trimmed();
}

TEST(InstanceLock, SecondProcessRefusedWhileTheFirstHoldsIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess first;
  ASSERT_EQ(RunHolder(first, dir.path()), QStringLiteral("held"));

  InstanceLock here("ApplicationTestMap", dir.path().toStdString());
  EXPECT_FALSE(here.TryAcquire());
  EXPECT_FALSE(here.Held());

  // A crash of the holder must not lock the station out.
  first.kill();
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(here.Path())));  // the file stays behind
  EXPECT_TRUE(here.TryAcquire());

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
  EXPECT_TRUE(a.TryAcquire());
  EXPECT_TRUE(a.TryAcquire());  // asking again keeps it
  InstanceLock b("ApplicationTestMap", folder);
  EXPECT_FALSE(b.TryAcquire());
  InstanceLock other("OtherName", folder);
  EXPECT_TRUE(other.TryAcquire());
  a.Release();
  EXPECT_TRUE(b.TryAcquire());

  InstanceLock nowhere("ApplicationTestMap", folder + "/missing/folder");
  EXPECT_FALSE(nowhere.TryAcquire());
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
  test::ScriptedDialogs dialogs;
  PictureFolders f;
  f.ProgramDir = dir.path().toStdString();
  MakeSessionFolders(f, 2026, 12, 8);
  const std::string day = f.ProgramDir + "/Pictures/2026/12/Session-26-12-08";
  EXPECT_TRUE(QDir(QString::fromStdString(day)).exists());
  EXPECT_EQ(f.SaveDir, day);
  EXPECT_EQ(f.OpenDir, day);
  EXPECT_TRUE(dialogs.shown.empty());

  // Existing folders are simply taken.
  PictureFolders again;
  again.ProgramDir = f.ProgramDir;
  MakeSessionFolders(again, 2026, 12, 8);
  EXPECT_EQ(again.SaveDir, day);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(PictureFolders, FailureShowsTheFolderErrorAndKeepsTheLastGoodFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  test::ScriptedDialogs dialogs;
  PictureFolders f;
  f.ProgramDir = dir.path().toStdString();
  // A file where the year folder should go.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Pictures")));
  QFile block(dir.path() + QStringLiteral("/Pictures/2026"));
  ASSERT_TRUE(block.open(QIODevice::WriteOnly));
  block.close();

  MakeSessionFolders(f, 2026, 12, 8);
  EXPECT_EQ(f.SaveDir, f.ProgramDir + "/Pictures");
  EXPECT_EQ(f.OpenDir, f.ProgramDir + "/Pictures");
  ASSERT_EQ(dialogs.shown.size(), 3u);  // year, month and session each fail
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dialogs.shown[0].text, "   BŁĄD W UTWORZENIU KATALOGU   \r\n\r\n\"   " +
                                       f.ProgramDir + "/Pictures/2026   \"");

  // One level only: a missing parent is not made on the way.
  PictureFolders g;
  g.ProgramDir = f.ProgramDir + "/absent";
  g.SaveDir = "keep";
  EXPECT_FALSE(MakePictureFolder(g, "/Pictures"));
  EXPECT_EQ(g.SaveDir, "keep");
  EXPECT_FALSE(QDir(QString::fromStdString(g.ProgramDir)).exists());
}

}  // namespace
}  // namespace orvix

