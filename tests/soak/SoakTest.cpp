// A long operator session on the real windows: hundreds of START/STOP cycles at random
// moments across VISUAL, RECORD and ADD, with view switches and the linescan during the
// runs, the settings window and saves between them, and the station closed during a run
// at the end. Guards against a run that does not end (deadlock), flags or lamps that stay
// in a run's state after STOP, a thread left behind, and memory that grows with the runs.
// ORVIX_SOAK_CYCLES sets the number of cycles (100 by default); ORVIX_SOAK_TRACE=1 prints
// every cycle and every memory sample.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "ButtonStates.h"
#include "ProcessProbe.h"
#include "RunControlFixture.h"
#include "SaveNames.h"
#include "TNastVid.h"
#include "TOscyl.h"
#include "TVideo.h"
#include "Tmodul_zew.h"

namespace orvix {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed blocks in a quarantine of 256 MiB before reusing them: its
// resident memory climbs until that is full, whatever the station does.
constexpr double kSanitizedRssBoundKb = 128 * 1024;
#else
constexpr double kSanitizedRssBoundKb = 40 * 1024;
#endif

int Cycles() {
  const char* v = std::getenv("ORVIX_SOAK_CYCLES");
  const int n = v ? std::atoi(v) : 0;
  return n > 0 ? n : 100;
}

enum class Mode { Visual, Record, Add };
const char* Name(Mode m) {
  return m == Mode::Visual ? "VISUAL" : m == Mode::Record ? "RECORD" : "ADD";
}

// The station as main() puts it together (without the print window, which needs a
// printer): main window, settings, linescan and calibration windows on one state.
class Soak : public ::testing::Test, public test::WindowTestBed {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lockDir.isValid());
    ASSERT_TRUE(programDir.isValid());
    ASSERT_TRUE(saveDir.isValid());
    TVideoOptions o = Options();
    o.startDelayMs = 1000000;  // the start step runs below
    o.pacing = ThreadPacing{2, 0};
    Assemble(o);
    video->StartTimer();
    // RECORD asks about unsaved pictures at START (the question switches the view and
    // back); the scripted operator answers No.
    S().Config.SetFlag(cfg::kAskSaveOnStartRow, true);
    Pump(50);
  }

  void TearDown() override { Close(); }  // joins a run still going

  static void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 2);
  }

  bool RunGone() {
    return !station.Run().Thread() && S().AcquisitionBusy.load() == 0 &&
           StationRun::LiveObjects() == 0;
  }

  static Lamp Shown(QWidget* panel, QPushButton* button) {
    const QColor c = panel->palette().color(QPalette::Window);
    LampColour colour = LampColour::Grey;
    for (LampColour l : {LampColour::Lime, LampColour::Grey, LampColour::Red, LampColour::LightRed}) {
      const Rgb r = ToRgb(l);
      if (c == QColor(r.r, r.g, r.b)) colour = l;
    }
    return {button->isEnabled(), colour};
  }

  // The idle station after a run of mode m: the flags of a run are down, the display
  // timers are off, the RECORD indicator is blank and every lamp shows the idle state.
  void ExpectIdle(Mode m, int cycle) {
    SharedState& s = S();
    SCOPED_TRACE(std::string("cycle ") + std::to_string(cycle) + " " + Name(m));
    EXPECT_EQ(s.AcquisitionBusy.load(), 0);
    EXPECT_EQ(s.AcquisitionOn.load(), 0);
    EXPECT_EQ(s.DisplayPending.load(), 0);
    EXPECT_EQ(s.RecordOn.load(), m == Mode::Record ? -1 : 0);
    EXPECT_EQ(s.AddOn.load(), m == Mode::Add ? 1 : 0);
    EXPECT_EQ(s.FileBusy.load() | s.SaveBusy.load() | s.OpenBusy.load(), 0);
    EXPECT_EQ(s.SettingsOpen.load(), 0);
    EXPECT_FALSE(video->Timer1->isActive());
    EXPECT_FALSE(video->Timer3->isActive());
    EXPECT_FALSE(video->Timer4->isActive());
    EXPECT_EQ(video->StaticText10->text(), QStringLiteral(" "));

    TVideo& v = *video;
    const Lamp lime{true, LampColour::Lime};
    const Lamp selected{true, LampColour::Red};
    EXPECT_EQ(Shown(v.PanelSTART, v.KlawiszSTART), lime);
    EXPECT_EQ(Shown(v.PanelSTOP, v.KlawiszSTOP), selected);
    EXPECT_EQ(Shown(v.PanelEXIT, v.KlawiszEXIT), lime);
    EXPECT_EQ(Shown(v.PanelCHANGE, v.KlawiszCHANGE), lime);
    EXPECT_EQ(Shown(v.PanelRECORD, v.KlawiszRECORD), m == Mode::Record ? selected : lime);
    EXPECT_EQ(Shown(v.PanelADD, v.KlawiszADD), m == Mode::Add ? selected : lime);
    EXPECT_EQ(Shown(v.PanelVISUAL, v.KlawiszVISUAL), m == Mode::Visual ? selected : lime);
    const bool all = s.ViewMode.load() == 5;
    EXPECT_EQ(Shown(v.PanelSAVE, v.KlawiszSAVE), lime);
    EXPECT_EQ(Shown(v.PanelOPEN, v.KlawiszOPEN).enabled, !all);
    QPushButton* pics[] = {v.KlawiszPic1, v.KlawiszPic2, v.KlawiszPic3, v.KlawiszPic4, v.KlawiszPicAl};
    QWidget* panels[] = {v.PanelPic1, v.PanelPic2, v.PanelPic3, v.PanelPic4, v.PanelPicAl};
    for (int k = 0; k < 5; ++k)
      EXPECT_EQ(Shown(panels[k], pics[k]), s.ViewMode.load() == k + 1 ? selected : lime) << k + 1;
    EXPECT_EQ(Shown(v.PanelLINESCAN, v.KlawiszLINESCAN),
              s.LinescanOn.load() != 0 ? selected : lime);
  }

  // A SAVE as the operator makes it: the dialog answered with a new name in the save
  // folder and one of the offered types; the files written are removed again.
  void Save(std::mt19937& random, int cycle, int entry = -1) {
    SharedState& s = S();
    const SaveFilters f = SaveFilterList(s.WorkMode.load(), s.ViewMode.load(),
                                         s.AnaglyphOn.load() != 0, false, s.PictureAnnotated.load() != 0);
    if (entry < 0) entry = f.entries.empty() ? 0 : int(random() % f.entries.size());
    const QString base = saveDir.filePath(QStringLiteral("soak-%1").arg(cycle));
    dialogs.fileAnswers.push_back(FileDialogAnswer{base.toStdString(), entry});
    video->KlawiszSAVEClick();
    ++saves;
    QDir d(saveDir.path());
    int written = 0;
    for (const QString& n : d.entryList(QDir::Files)) written += d.remove(n) ? 1 : 0;
    EXPECT_GE(written, 1) << "cycle " << cycle << " saved nothing";
    dialogs.fileAnswers.clear();
  }

  // One pass over every path the cycles take, before memory is measured: each run mode,
  // each view saved in each offered type, the linescan and the settings window. What
  // Qt and the station make once (glyph caches, encoders, the file names) is then there.
  void WarmUp(std::mt19937& random) {
    SharedState& s = S();
    TVideo& v = *video;
    for (QPushButton* mode : {v.KlawiszVISUAL, v.KlawiszADD, v.KlawiszRECORD}) {
      mode->click();
      s.UnsavedChannels = 0;
      v.KlawiszSTART->click();
      ASSERT_TRUE(test::SpinUntil([&] { return s.UnsavedChannels.load() != 0; }, 20000));
      v.KlawiszLINESCAN->click();
      v.FormMouseMove(500, 400);
      if (v.KlawiszSTOP->isEnabled()) v.KlawiszSTOP->click();
      ASSERT_TRUE(test::SpinUntil([&] { return RunGone() && !v.Timer4->isActive(); }, 20000));
      v.KlawiszLINESCAN->click();
    }
    QPushButton* pics[] = {v.KlawiszPic1, v.KlawiszPic2, v.KlawiszPic3, v.KlawiszPic4, v.KlawiszPicAl};
    for (QPushButton* pic : pics) {
      pic->click();
      const SaveFilters f = SaveFilterList(s.WorkMode.load(), s.ViewMode.load(),
                                           s.AnaglyphOn.load() != 0, false, false);
      for (size_t e = 0; e < f.entries.size(); ++e) Save(random, -1 - int(e), int(e));
    }
    v.KlawiszPic1->click();
    v.KlawiszCHANGE->click();
    nastVid->TrackBar3->setValue(3);
    Pump(20);  // painted once: its backing store
    nastVid->Button4->click();
    Pump(5);
  }

  QTemporaryDir saveDir;
  int saves = 0;
};

TEST_F(Soak, ManyRunsAtRandomMomentsThenExitDuringARun) {
  SharedState& s = S();
  const int cycles = Cycles();
  const int warmUp = std::max(10, cycles / 10);  // after the warm-up pass
  std::mt19937 random(20261209);
  TVideo& v = *video;

  const int threadsBeforeWarmUp = probe::OwnThreads().size();
  const long rssBeforeWarmUp = probe::ResidentKb();
  WarmUp(random);
  if (HasFatalFailure()) return;
  // Idle after the first runs: a sanitizer's runtime starts a helper thread of its own
  // with the first thread of the process.
  const QStringList idleThreads = probe::OwnThreads();
  const long rssStart = probe::ResidentKb();
  std::vector<std::pair<double, double>> rssAfterWarmUp, heapAfterWarmUp;
  std::vector<std::string> report;
  const auto sample = [&](int cycle) {
    const long rss = probe::ResidentKb();
    if (std::getenv("ORVIX_SOAK_TRACE"))
      std::printf("SOAK trace %d rss %ld heap %zu\n", cycle, rss, probe::HeapBytes() / 1024);
    if (cycle >= warmUp) {
      rssAfterWarmUp.emplace_back(cycle, double(rss));
      heapAfterWarmUp.emplace_back(cycle, double(probe::HeapBytes()) / 1024.0);
    }
    if (cycle % 100 == 0 || cycle == cycles)
      report.push_back("cycle " + std::to_string(cycle) + ": rss " + std::to_string(rss) +
                       " KiB, threads " + std::to_string(probe::OwnThreads().size()));
  };
  QElapsedTimer clock;
  clock.start();
  const double cpu0 = probe::ProcessCpuSeconds();
  int framesSeen = 0, linescans = 0, settingsOpened = 0, viewSwitches = 0, hung = 0;
  std::map<std::string, int> boxes;
  sample(0);

  for (int cycle = 1; cycle <= cycles && !HasFatalFailure(); ++cycle) {
    const Mode m = Mode(random() % 3);
    // Between runs: the settings window now and then (START is locked while it is open),
    // with a short ADD series chosen in it.
    if (random() % 8 == 0) {
      v.KlawiszCHANGE->click();
      EXPECT_EQ(s.SettingsOpen.load(), 1);
      EXPECT_FALSE(v.KlawiszSTART->isEnabled());
      nastVid->TrackBar3->setValue(2 + int(random() % 3));
      Pump(int(random() % 5));
      nastVid->Button4->click();  // "Zamknij"
      ++settingsOpened;
    }
    QPushButton* modeButton = m == Mode::Visual ? v.KlawiszVISUAL
                            : m == Mode::Record ? v.KlawiszRECORD : v.KlawiszADD;
    ASSERT_TRUE(modeButton->isEnabled()) << cycle;
    modeButton->click();
    if (cycle == 1) nastVid->TrackBar3->setValue(3);
    ASSERT_TRUE(v.KlawiszSTART->isEnabled()) << cycle;
    v.KlawiszSTART->click();
    // No frame can have been shown yet (that takes the event loop): the next one shown
    // marks its channels again.
    s.UnsavedChannels = 0;
    if (m != Mode::Record) {
      EXPECT_NE(s.AcquisitionBusy.load(), 0);  // a RECORD run may be over already
    }

    // The run: a random while, sometimes until its first frame is on screen, with the
    // operator's clicks that a run allows; the ones it does not allow stay locked.
    const int kind = int(random() % 4);
    if (kind == 0) {
      if (test::SpinUntil([&] { return s.UnsavedChannels.load() != 0; }, 5000)) ++framesSeen;
    } else {
      Pump(int(random() % 40));
    }
    for (int extra = int(random() % 4); extra > 0; --extra) {
      switch (random() % 5) {
        case 0:
        case 1: {
          QPushButton* pics[] = {v.KlawiszPic1, v.KlawiszPic2, v.KlawiszPic3, v.KlawiszPic4,
                                 v.KlawiszPicAl};
          QPushButton* b = pics[random() % 5];
          if (b->isEnabled()) {
            b->click();
            ++viewSwitches;
          }
          break;
        }
        case 2:
          if (v.KlawiszLINESCAN->isEnabled()) {
            v.KlawiszLINESCAN->click();
            ++linescans;
            if (s.LinescanOn.load() != 0) v.FormMouseMove(int(random() % 1100), int(random() % 800));
          }
          break;
        case 3:
          // Locked during a run: nothing opens, nothing is saved. (A RECORD run may have
          // ended on its own already; then the lamps have let go, and only then.)
          if (v.KlawiszCHANGE->isEnabled() || v.KlawiszSAVE->isEnabled()) {
            EXPECT_EQ(s.AcquisitionBusy.load(), 0) << cycle;
          } else {
            const size_t asked = dialogs.fileRequests.size();
            v.KlawiszCHANGE->click();
            v.KlawiszSAVE->click();
            EXPECT_EQ(s.SettingsOpen.load(), 0) << cycle;
            EXPECT_EQ(dialogs.fileRequests.size(), asked) << cycle;
          }
          break;
        default:
          Pump(int(random() % 10));
          break;
      }
    }

    if (v.KlawiszSTOP->isEnabled()) v.KlawiszSTOP->click();
    if (!test::SpinUntil([&] { return RunGone() && !v.Timer4->isActive(); }, 20000)) {
      ++hung;
      ADD_FAILURE() << "cycle " << cycle << " " << Name(m) << ": the run did not end";
      break;
    }
    Pump(1);
    ExpectIdle(m, cycle);
    const QStringList threads = probe::OwnThreads();
    EXPECT_EQ(threads.size(), idleThreads.size())
        << "cycle " << cycle << ": " << threads.join(',').toStdString() << " vs idle "
        << idleThreads.join(',').toStdString();

    // After the run: a save now and then, of whatever view is shown.
    if (random() % 6 == 0 && v.KlawiszSAVE->isEnabled()) Save(random, cycle);
    // The linescan closed again now and then, so both ways into a run are taken.
    if (s.LinescanOn.load() != 0 && random() % 2 == 0) v.KlawiszLINESCAN->click();
    // The boxes shown are counted by text and the scripted dialogs' records emptied, so
    // the records do not count as the station's memory.
    for (const auto& shown : dialogs.shown) ++boxes[shown.text];
    dialogs.shown.clear();
    dialogs.fileRequests.clear();
    if (cycle % 10 == 0 || cycle == cycles) sample(cycle);
    if (std::getenv("ORVIX_SOAK_TRACE"))
      std::printf("cycle %d %s view %d heap %zu saves %d settings %d\n", cycle, Name(m),
                  s.ViewMode.load(), probe::HeapBytes() / 1024, saves, settingsOpened);
  }

  const double seconds = clock.elapsed() / 1000.0;
  const double cpu = probe::ProcessCpuSeconds() - cpu0;
  const long rssEnd = probe::ResidentKb();
  const double rssSlope = probe::SlopePer100(rssAfterWarmUp);
  const double heapSlope = probe::SlopePer100(heapAfterWarmUp);
  const int threadsAfterCycles = probe::OwnThreads().size();

  // The end: the station closed while a run is going (the window's close; EXIT itself is
  // locked during a run). The run is ended and joined before anything goes away.
  v.KlawiszVISUAL->click();
  v.KlawiszSTART->click();
  test::SpinUntil([&] { return s.UnsavedChannels.load() != 0; }, 5000);
  ASSERT_NE(s.AcquisitionBusy.load(), 0);
  EXPECT_FALSE(v.KlawiszEXIT->isEnabled());
  dialogs.shown.clear();
  QElapsedTimer exitClock;
  exitClock.start();
  v.close();
  const qint64 exitMs = exitClock.elapsed();
  EXPECT_FALSE(station.Run().Thread());
  EXPECT_EQ(s.AcquisitionBusy.load(), 0);
  EXPECT_EQ(StationRun::LiveObjects(), 0);
  EXPECT_FALSE(v.isVisible());
  bool warned = false;
  for (const auto& m : dialogs.shown)
    warned |= m.text == " Zewnętrzne urządzenie pracuje \r\n\r\n  Proszę wyłączyć je ręcznie    ";
  EXPECT_TRUE(warned);
  Pump(20);
  const int threadsAfterExit = probe::OwnThreads().size();
  EXPECT_EQ(threadsAfterExit, idleThreads.size());

  char line[400];
  std::snprintf(line, sizeof line,
                "SOAK cycles=%d seconds=%.1f cpu_ms_per_cycle=%.2f rss_before_warm_up_kb=%ld rss_start_kb=%ld "
                "rss_end_kb=%ld rss_slope_kb_per_100=%.1f heap_slope_kb_per_100=%.1f "
                "threads_before_warm_up=%d threads_idle=%d threads_after=%d threads_after_exit=%d exit_ms=%lld "
                "frames_waited=%d view_switches=%d linescans=%d settings=%d saves=%d hung=%d",
                cycles, seconds, 1e3 * cpu / cycles, rssBeforeWarmUp, rssStart, rssEnd, rssSlope, heapSlope,
                threadsBeforeWarmUp, int(idleThreads.size()), threadsAfterCycles, threadsAfterExit,
                (long long)exitMs, framesSeen, viewSwitches, linescans, settingsOpened, saves,
                hung);
  std::printf("%s\n", line);
  for (const auto& r : report) std::printf("SOAK %s\n", r.c_str());
  for (const auto& [text, n] : boxes) std::printf("SOAK box x%d: \"%s\"\n", n, text.c_str());
  std::fflush(stdout);
  RecordProperty("soak", line);
  RecordProperty("rss_start_kb", std::to_string(rssStart));
  RecordProperty("rss_end_kb", std::to_string(rssEnd));
  RecordProperty("rss_slope_kb_per_100_cycles", std::to_string(rssSlope));

  // The heap in use is the fine measure: a leak of 10 KiB a run is 1 MiB per 100 runs,
  // while its own swings stay under 100 KiB. Resident memory swings by some MiB as the
  // allocator hands large blocks back or keeps them, so its bound is looser: a picture's
  // worth a run. Sanitizer builds keep freed memory in quarantine and shadow pages.
  const double rssBound = kSanitized ? kSanitizedRssBoundKb : 16 * 1024;
  EXPECT_LT(rssSlope, rssBound) << "resident memory grows with the runs";
  EXPECT_LT(heapSlope, 1024) << "heap in use grows with the runs";
}

}  // namespace
}  // namespace orvix
