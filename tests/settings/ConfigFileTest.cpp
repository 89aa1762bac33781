// conf300.dat: guards against a shifted record (row r read from record r instead of r+1),
// a short or faulty file half applied, a failed save that destroys the old file or is
// reported as a success, and defaults or range replacements that drift from the fixed values.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <memory>

#include "ConfigFile.h"
#include "SettingsConstants.h"

namespace orvix {
namespace {

using namespace settings;

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    program = dir.path().toStdString();
  }
  QString Path() const { return dir.path() + "/conf300.dat"; }
  void Write(const QByteArray& data) {
    QFile f(Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
  }
  QByteArray Read() {
    QFile f(Path());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
  static QByteArray Pattern(int size, int seed) {
    QByteArray b(size, 0);
    for (int i = 0; i < size; ++i) b[i] = char((i * 7 + seed) & 0xFF);
    return b;
  }
  QTemporaryDir dir;
  std::string program;  // the program folder conf300.dat is in
  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
};

TEST_F(ConfigFileTest, LoadsRecords1To256AndIgnoresRecord0AndTheRest) {
  for (int extra : {0, 100, 4096}) {
    QByteArray file = Pattern(kConfigFileBytes + extra, extra);
    for (int i = 0; i < 16; ++i) file[i] = char(0xAB);  // record 0 carries no setting
    Write(file);
    auto fresh = std::make_unique<SharedState>();
    const ConfigFileOutcome loaded = LoadConfig(*fresh, program);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.text, "");
    for (int i = 0; i < cfg::kTableBytes; ++i)
      ASSERT_EQ(fresh->Config.bytes[size_t(i)], uint8_t(file[16 + i])) << "byte " << i;
  }
}

TEST_F(ConfigFileTest, ShortEmptyOrMissingFileWarnsAndLeavesTheTable) {
  for (int size : {-1, 0, 16, 31, 32, 4111}) {
    if (size < 0)
      QFile::remove(Path());
    else
      Write(Pattern(size, 1));
    s->Config.bytes.fill(0x5A);
    const ConfigFileOutcome loaded = LoadConfig(*s, program);
    EXPECT_FALSE(loaded.ok) << size;
    EXPECT_EQ(loaded.text,
              "  BRAK ZBIORU KONFIGURACYJNEGO \r\n\r\n              \"  conf300.dat  \" \r\n\r\n"
              "           lub błąd tego zbioru    \r\n\r\n  Będą wprowadzone nastawy stałe.      ");
    for (uint8_t b : s->Config.bytes) ASSERT_EQ(b, 0x5A) << "half applied, size " << size;
  }
  // A folder of that name is no file either.
  QFile::remove(Path());
  ASSERT_TRUE(QDir(dir.path()).mkdir("conf300.dat"));
  const ConfigFileOutcome loaded = LoadConfig(*s, program);
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.text, kMissingConfigWarning);
}

TEST_F(ConfigFileTest, SaveLoadRoundTripAndReadOnlyFile) {
  for (int i = 0; i < cfg::kTableBytes; ++i) s->Config.bytes[size_t(i)] = uint8_t(i * 13 + 5);
  const ConfigFileOutcome saved = SaveConfig(*s, program);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.text, "");
  QByteArray file = Read();
  ASSERT_EQ(file.size(), kConfigFileBytes);
  EXPECT_EQ(file.left(16), QByteArray(16, 0));

  QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  auto back = std::make_unique<SharedState>();
  ASSERT_TRUE(LoadConfig(*back, program).ok);
  EXPECT_EQ(back->Config.bytes, s->Config.bytes);
  EXPECT_TRUE(QFile::permissions(Path()) & QFileDevice::WriteOwner);

  // A read-only file is saved over.
  QFile::setPermissions(Path(), QFileDevice::ReadOwner);
  back->Config.SetChannelGain(3, 44);
  ASSERT_TRUE(SaveConfig(*back, program).ok);
  auto again = std::make_unique<SharedState>();
  ASSERT_TRUE(LoadConfig(*again, program).ok);
  EXPECT_EQ(again->Config.ChannelGain(3), 44);
}

TEST_F(ConfigFileTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
  const QByteArray old = Pattern(kConfigFileBytes, 9);
  Write(old);
  s->Config.bytes.fill(0x11);

  // A file system that refuses more than 1000 bytes of a file (as a full disk would).
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &small);
  const ConfigFileOutcome limited = SaveConfig(*s, program);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);

  EXPECT_FALSE(limited.ok);
  EXPECT_EQ(Read(), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
            QStringList{"conf300.dat"});
  EXPECT_EQ(limited.text.rfind(std::string(kSaveFailedHead) + Path().toStdString() + " \r\n\r\n  ", 0),
            0u)
      << limited.text;
  EXPECT_GT(limited.text.size(), std::string(kSaveFailedHead).size() + Path().size() + 8)
      << "the reason is missing";
  EXPECT_EQ(limited.text.back(), ' ');
  // The reason is the system's own text of the failed write.
  EXPECT_EQ(limited.text, std::string(kSaveFailedHead) + Path().toStdString() + " \r\n\r\n  " +
                              std::strerror(EFBIG) + " ");

  // A program folder that is a file: nothing can be created there.
  program = Path().toStdString();
  const ConfigFileOutcome nowhere = SaveConfig(*s, program);
  EXPECT_FALSE(nowhere.ok);
  EXPECT_EQ(Read(), old);
  EXPECT_NE(nowhere.text.find(Path().toStdString() + "/conf300.dat"), std::string::npos);
}

TEST(ConfigDefaults, ExactlyAsListed) {
  auto s = std::make_unique<SharedState>();
  s->Config.bytes.fill(0xEE);
  DefaultConfigTable(*s);
  const ConfigTable& c = s->Config;
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(c.ChannelGain(k), 10);
    EXPECT_EQ(c.ChannelOffset(k), 0);
    EXPECT_EQ(c.ChannelOn(k), k == 1);
    EXPECT_EQ(c.AddChannel(k), k == 1);
  }
  EXPECT_EQ(c.AddFrameCount(), 10);
  for (int r = 1; r <= 14; ++r) {
    EXPECT_EQ(c.DimCalibration(r), 100);
    EXPECT_EQ(s->CorrectionTable[size_t(r - 1)], 100);
  }
  EXPECT_EQ(c.StoredMode(cfg::kVisualWorkModeRow), 0x10);
  EXPECT_EQ(c.StoredMode(cfg::kRecordWorkModeRow), 0x22);
  EXPECT_EQ(c.StoredMode(cfg::kAddWorkModeRow), 0x20);
  for (int r = 1; r < 256; ++r) {
    for (int k = 1; k <= 4; ++k) ASSERT_EQ(c.RecFilter(r, k), 2) << r;
    ASSERT_EQ(c.RecDivider(r), 98) << r;
    ASSERT_EQ(c.RecOffsetH(r), 0) << r;
    ASSERT_EQ(c.RecOffsetV(r), 0) << r;
    const bool on = r == 1 || r == 5 || r == cfg::kStripDimensionRow || r == cfg::kBarTicksRow;
    ASSERT_EQ(c.Flag(r), on ? 1 : 0) << r;
  }
  EXPECT_EQ(s->SampleDivider, 98);
  EXPECT_EQ(s->OffsetH, 0);
  EXPECT_EQ(s->OffsetV, 0);
  EXPECT_EQ(s->ChannelCode, 0x11);
}

TEST(ConfigApply, ReplacesValuesOutsideTheirRangeAtEachBoundary) {
  struct Case {
    int32_t value, expected;
  };
  auto s = std::make_unique<SharedState>();
  ConfigTable& c = s->Config;
  auto check = [&](auto set, auto get, std::initializer_list<Case> cases, const char* what) {
    for (const Case& k : cases) {
      set(k.value);
      ValidateConfigTable(*s);
      EXPECT_EQ(get(), k.expected) << what << " " << k.value;
    }
  };
  check([&](int v) { c.SetChannelGain(4, v); }, [&] { return c.ChannelGain(4); },
        {{-1, 10}, {0, 0}, {50, 50}, {51, 10}}, "gain");
  check([&](int v) { c.SetChannelOffset(1, v); }, [&] { return c.ChannelOffset(1); },
        {{-41, 0}, {-40, -40}, {40, 40}, {41, 0}}, "offset");
  check([&](int v) { c.SetAddFrameCount(v); }, [&] { return c.AddFrameCount(); },
        {{1, 10}, {2, 2}, {50, 50}, {51, 10}}, "add frames");
  check([&](int v) { c.SetDimCalibration(14, v); }, [&] { return s->CorrectionTable[13]; },
        {{49, 100}, {50, 50}, {150, 150}, {151, 100}}, "calibration");
  for (int row : {1, 0x32, 255}) {
    check([&](int v) { c.SetRecFilter(row, 4, uint8_t(v)); }, [&] { return c.RecFilter(row, 4); },
          {{0, 2}, {1, 1}, {7, 7}, {8, 2}}, "filter");
    check([&](int v) { c.SetRecDivider(row, uint16_t(v)); }, [&] { return c.RecDivider(row); },
          {{29, 98}, {30, 30}, {65000, 65000}, {65001, 98}}, "divider");
    check([&](int v) { c.SetRecOffsetH(row, int16_t(v)); }, [&] { return c.RecOffsetH(row); },
          {{-101, 0}, {-100, -100}, {1000, 1000}, {1001, 0}}, "offset H");
    check([&](int v) { c.SetRecOffsetV(row, int16_t(v)); }, [&] { return c.RecOffsetV(row); },
          {{-51, 0}, {-50, -50}, {200, 200}, {201, 0}}, "offset V");
  }
  // Row 0 carries no working mode and is left alone.
  c.SetRecDivider(0, 7);
  ValidateConfigTable(*s);
  EXPECT_EQ(c.RecDivider(0), 7);
}

}  // namespace
}  // namespace orvix
