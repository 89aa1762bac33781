// Leftovers of an interrupted save: only this user's regular files named like QSaveFile's
// temporary files of the given name are removed; the real file, its neighbours, names one
// character off, links and what they point at all stay.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

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

  const QStringList stale = {QStringLiteral("conf300.dat.jOBDOA"),
                             QStringLiteral("conf300.dat.Ab3dE9"),
                             QStringLiteral("conf300.dat.000000")};
  for (const QString& n : stale) Touch(dir, n);
  const QStringList kept = {
      QStringLiteral("conf300.dat"),          QStringLiteral("conf300.dat.bak"),
      QStringLiteral("conf300.dat.ABCDE"),    QStringLiteral("conf300.dat.ABCDEFG"),
      QStringLiteral("conf300.dat.AB-DEF"),   QStringLiteral("conf300.dat.AB.DEF"),
      QStringLiteral("conf300.datXABCDEF"),   QStringLiteral("xconf300.dat.ABCDEF"),
      QStringLiteral("conf301.dat.ABCDEF"),   QStringLiteral("conf300.dat.ABCDE\xe9"),
      QStringLiteral("picture.bmp.ABCDEF")};
  for (const QString& n : kept) Touch(dir, n);
  // A link under a matching name: neither it nor what it points at is removed.
  Touch(dir, QStringLiteral("target"));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("target")),
                          dir.filePath(QStringLiteral("conf300.dat.LNKxyz"))));
  // A folder under a matching name stays too, and so does another user's file.
  ASSERT_TRUE(dir.mkdir(QStringLiteral("conf300.dat.DIRabc")));
  const bool root = ::geteuid() == 0;  // only root can hand a file to another user
  if (root) {
    Touch(dir, QStringLiteral("conf300.dat.NOBODY"));
    ASSERT_EQ(::chown(QFile::encodeName(dir.filePath(QStringLiteral("conf300.dat.NOBODY"))),
                      65534, 65534), 0);
  }

  EXPECT_EQ(RemoveStaleSaveFiles(folder, "conf300.dat"), int(stale.size()));
  for (const QString& n : stale) EXPECT_FALSE(QFileInfo::exists(dir.filePath(n))) << n.toStdString();
  for (const QString& n : kept) EXPECT_TRUE(QFileInfo::exists(dir.filePath(n))) << n.toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("conf300.dat.LNKxyz"))).isSymLink());
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("target"))));
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("conf300.dat.DIRabc"))).isDir());
  if (root) {
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("conf300.dat.NOBODY"))));
  }

  // Nothing left to do the second time.
  EXPECT_EQ(RemoveStaleSaveFiles(folder, "conf300.dat"), 0);
}

// The names Qt itself gives the temporary file of conf300.dat are the ones recognised.
TEST(StaleSaveFiles, MatchesQtsOwnTemporaryNames) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  QStringList names;
  for (int i = 0; i < 5; ++i) {
    QTemporaryFile t(tmp.filePath(QStringLiteral("conf300.dat")));
    t.setAutoRemove(false);
    ASSERT_TRUE(t.open());
    names << t.fileName();
  }
  for (const QString& n : names) ASSERT_TRUE(QFileInfo::exists(n)) << n.toStdString();
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), "conf300.dat"), 5);
  for (const QString& n : names) EXPECT_FALSE(QFileInfo::exists(n)) << n.toStdString();
}

TEST(StaleSaveFiles, UnreadableFolderOrUnusableName) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QDir dir(tmp.path());
  Touch(dir, QStringLiteral(".ABCDEF"));
  Touch(dir, QStringLiteral("conf300.dat.ABCDEF"));
  // An empty name would match every ".XXXXXX" file; a path is no file name.
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), ""), 0);
  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString(), "x/conf300.dat"), 0);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral(".ABCDEF"))));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("conf300.dat.ABCDEF"))));

  EXPECT_EQ(RemoveStaleSaveFiles(tmp.path().toStdString() + "/missing", "conf300.dat"), -1);
  EXPECT_EQ(RemoveStaleSaveFiles(dir.filePath(QStringLiteral(".ABCDEF")).toStdString(),
                                 "conf300.dat"), -1);  // a file, not a folder
}

}  // namespace
}  // namespace orvix
