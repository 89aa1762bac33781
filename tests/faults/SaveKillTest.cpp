// The station killed (SIGKILL) at random moments while it saves, 100 times for each kind
// of save: grey BMP, grey BMP with its .bak twin, colour BMP, JPEG (with its work file),
// print work file, conf300.dat. After every kill the file is the complete previous one or
// the complete new one, never torn, short or empty; and no temporary file stays once the
// station's own clean-up has run (the next save of the name for picture files, start-up for
// the program folder's files).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FaultMounts.h"
#include "FileWrite.h"
#include "SaveFiles.h"

namespace orvix {
namespace {

using namespace test;

constexpr int kKills = 100;
constexpr size_t kGreySize = 552 * 400 + 1078;
constexpr size_t kColourSize = 54 + 3300 * 800;

struct Child {
  pid_t pid = -1;
  int out = -1;  // its marks
  std::string marks;
  // Reads what the child wrote within `ms` milliseconds.
  void Drain(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char buf[4096];
    for (;;) {
      const int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                               end - std::chrono::steady_clock::now())
                               .count());
      pollfd p{out, POLLIN, 0};
      if (::poll(&p, 1, std::max(left, 0)) <= 0) return;
      const ssize_t n = ::read(out, buf, sizeof buf);
      if (n <= 0) return;
      marks.append(buf, size_t(n));
      if (left <= 0) return;
    }
  }
};

Child Start(const char* kind, const std::string& save, const std::string& program, bool named) {
  int fds[2];
  EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
  // posix_spawn rather than fork: the test process (under a sanitizer, with its large
  // shadow mappings) is not copied for every one of the 600 children.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  const char* argv[] = {ORVIX_SAVE_KILL_CHILD, kind, save.c_str(), program.c_str(),
                        named ? "named" : nullptr, nullptr};
  Child c;
  EXPECT_EQ(::posix_spawn(&c.pid, ORVIX_SAVE_KILL_CHILD, &actions, nullptr,
                          const_cast<char* const*>(argv), environ),
            0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  c.out = fds[0];
  return c;
}

// Whether bytes [from, end) of `b` repeat `unit` (checked by whole blocks: these run
// 600 times, also in the sanitizer build).
bool Repeats(const std::string& b, size_t from, const std::string& unit) {
  std::string block;
  while (block.size() < 65536) block += unit;
  for (size_t at = from; at < b.size(); at += block.size()) {
    const size_t n = std::min(block.size(), b.size() - at);
    if (b.compare(at, n, block, 0, n) != 0) return false;
  }
  return true;
}

// A complete grey BMP of one value throughout; the value, or -1.
int WholeGrey(const std::string& b) {
  if (b.size() != kGreySize || b[0] != 'B' || b[1] != 'M' || b[28] != 8) return -1;
  const uint8_t v = uint8_t(b[1078]);
  if (v < 1 || v > 250 || !Repeats(b, 1078, std::string(1, char(v)))) return -1;
  return v;
}

// A complete colour BMP (1100 x 800, 24 bits, rows of 3300 bytes) of one colour throughout.
int WholeColour(const std::string& b) {
  if (b.size() != kColourSize || b[0] != 'B' || b[1] != 'M' || b[28] != 24) return -1;
  const uint8_t v = uint8_t(b[54 + 2]);  // red, stored last
  const std::string pixel{char(v / 2), char(255 - v), char(v)};
  if (b.compare(54, 3, pixel) != 0 || !Repeats(b, 54, pixel)) return -1;
  return v;
}

int WholeConfig(const std::string& b) {
  if (b.size() != 4112 || b.compare(0, 16, std::string(16, '\0')) != 0) return -1;
  return Repeats(b, 16, std::string(1, b[16])) ? uint8_t(b[16]) : -1;
}

// A JPEG that decodes to the whole 550 x 400 grey picture of one value.
int WholeJpeg(const std::string& path) {
  const QImage j(QString::fromStdString(path), "JPG");
  if (j.size() != QSize(550, 400)) return -1;
  const QImage g = j.convertToFormat(QImage::Format_Grayscale8);
  int lo = 255, hi = 0;
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x) {
      lo = std::min<int>(lo, g.constScanLine(y)[x]);
      hi = std::max<int>(hi, g.constScanLine(y)[x]);
    }
  return hi - lo <= 3 ? 1 : -1;
}

struct KindCase {
  const char* kind;
  const char* label;
  // Names of files the save replaces; the folder: true = program folder.
  std::vector<std::pair<std::string, bool>> files;
  bool named = false;  // every temporary file named, as without O_TMPFILE
};

// The kind's label in test names and messages.
void PrintTo(const KindCase& k, std::ostream* os) { *os << k.label; }

bool HasTmpfile(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// Whether `name` is the temporary file of `file` ("file.orvix-XXXXXX").
bool IsTempOf(const std::string& name, const std::string& file) {
  const std::string mark = file + ".orvix-";
  if (name.size() != mark.size() + 6 || name.compare(0, mark.size(), mark) != 0) return false;
  return std::all_of(name.begin() + long(mark.size()), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

class SaveKill : public ::testing::TestWithParam<KindCase> {};

TEST_P(SaveKill, KilledAtRandomMomentsLeavesOldOrNewFileAndNoTemporaryFile) {
  const KindCase& k = GetParam();
  ScratchFolder save(32u << 20);
  ScratchFolder program(32u << 20);
  std::mt19937 random(20261209u + unsigned(std::string(k.kind).size()));
  std::uniform_int_distribution<int> delay(0, 25000);  // microseconds
  std::set<std::string> once;  // files that were complete once and must stay so
  int midSave = 0, saves = 0, tempsLeft = 0, startFailures = 0;

  for (int kill = 0; kill < kKills; ++kill) {
    Child c = Start(k.kind, save.path(), program.path(), k.named);
    // Its start: everything up to the first mark, not timed.
    for (int i = 0; i < 500 && c.marks.empty(); ++i) c.Drain(10);
    if (c.marks.empty() || c.marks[0] != 'R') ++startFailures;
    // Asleep meanwhile rather than reading the marks as they come: a reader woken by each
    // mark would have the child preempted right after its marks, not at random moments.
    ::usleep(useconds_t(delay(random)));
    ::kill(c.pid, SIGKILL);
    int status = 0;
    ::waitpid(c.pid, &status, 0);
    c.Drain(0);
    ::close(c.out);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << k.label << ": the child ended on its own (status " << status << ")";
    if (!c.marks.empty() && c.marks.back() == 'b') ++midSave;
    saves += int(std::count(c.marks.begin(), c.marks.end(), 'e'));

    for (const auto& [name, inProgram] : k.files) {
      const std::string path = (inProgram ? program : save) / name;
      SCOPED_TRACE(std::string(k.label) + ", kill " + std::to_string(kill + 1) + ": " + name);
      if (!FileExists(path)) {
        EXPECT_EQ(once.count(path), 0u) << "a complete file disappeared";
        continue;
      }
      std::string bytes;
      int error = 0;
      EXPECT_TRUE(ReadRegularFile(path, bytes, error)) << error;
      int value = -1;
      if (name == "pic.jpg") value = WholeJpeg(path);
      else if (name == "conf300.dat") value = WholeConfig(bytes);
      else if (std::string(k.kind) == "colour" || std::string(k.kind) == "print")
        value = WholeColour(bytes);
      else value = WholeGrey(bytes);
      EXPECT_GE(value, 1) << "torn, short or empty file of " << bytes.size() << " bytes";
      once.insert(path);
    }
    // Nothing but the saved files and their leftover temporary files. Those of the
    // program folder go at start-up (run here as the station's start-up runs it), those of
    // the picture folder with the next save of the same name (the next child's saves).
    for (const bool inProgram : {false, true}) {
      const ScratchFolder& folder = inProgram ? program : save;
      for (const std::string& name : Entries(folder.path())) {
        bool known = false;
        for (const auto& [file, where] : k.files) {
          if (where != inProgram) continue;
          if (name == file) known = true;
          if (IsTempOf(name, file)) {
            known = true;
            ++tempsLeft;
          }
        }
        EXPECT_TRUE(known) << k.label << ": unexpected file " << name;
      }
      if (inProgram)
        for (const auto& [file, where] : k.files)
          if (where) RemoveStaleSaveFiles(folder.path(), file);
    }
  }
  // One more save of each picture file, through the station's writer.
  for (const auto& [name, inProgram] : k.files) {
    if (inProgram || !FileExists(save / name)) continue;
    std::string bytes;
    int error = 0;
    ASSERT_TRUE(ReadRegularFile(save / name, bytes, error));
    EXPECT_TRUE(WriteFileReplacing(save / name, reinterpret_cast<const uint8_t*>(bytes.data()),
                                   bytes.size()).ok);
  }
  std::vector<std::string> rest;
  for (const std::string& n : Entries(save.path())) rest.push_back(n);
  for (const std::string& n : Entries(program.path())) rest.push_back(n);
  int leftAfter = 0;
  for (const std::string& n : rest) {
    bool saved = false;
    for (const auto& f : k.files) saved = saved || f.first == n;
    EXPECT_TRUE(saved) << "left after the clean-up: " << n;
    leftAfter += saved ? 0 : 1;
  }
  EXPECT_EQ(startFailures, 0);
  EXPECT_GT(midSave, kKills / 4) << "too few kills landed in the middle of a save";
  std::printf("[ kills    ] %s: %d kills on a %s (%s), %d in the middle of a save, %d saves "
              "completed in all, %d temporary files seen after a kill, %d after the clean-up\n",
              k.label, kKills, save.how(),
              HasTmpfile(save.path()) && !k.named ? "unnamed temporary files"
                                                  : "named temporary files",
              midSave, saves, tempsLeft, leftAfter);
  RecordProperty("mid_save", midSave);
  RecordProperty("temps_left", tempsLeft);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfSave, SaveKill,
    ::testing::Values(KindCase{"grey", "grey BMP", {{"pic.bmp", false}}},
                      KindCase{"bak", "grey BMP with .bak", {{"pic.bmp", false}, {"pic.bak", false}}},
                      KindCase{"colour", "colour BMP", {{"pic.bmp", false}}},
                      KindCase{"jpeg", "JPEG", {{"pic.jpg", false}, {"temp_obr.bmp", true}}},
                      KindCase{"print", "print work file", {{"temp_dru.bmp", true}}},
                      KindCase{"config", "conf300.dat", {{"conf300.dat", true}}},
                      KindCase{"bak", "grey BMP with .bak, named temporary files",
                               {{"pic.bmp", false}, {"pic.bak", false}}, true},
                      KindCase{"config", "conf300.dat, named temporary files",
                               {{"conf300.dat", true}}, true}),
    [](const ::testing::TestParamInfo<KindCase>& i) {
      return std::string(i.param.kind) + (i.param.named ? "_named" : "");
    });

}  // namespace
}  // namespace orvix
