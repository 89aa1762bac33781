// Run control of the main window: the run modes, START and STOP, the three timers that
// show what the acquisition thread produces, and the thread's requests to the window.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ChannelSelection.h"
#include "Collector.h"
#include "ScanUnit.h"
#include "RunState.h"
#include "TVideo.h"
#include "TVideoThreadUi.h"
#include "PaintBox.h"
#include "ViewBuilders.h"
#include "OperatorDialogs.h"
#include "TNastVid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace orvix {

namespace {
constexpr int kThreadRequestsMs = 5;
}  // namespace

void TVideo::KlawiszRECORDClick() {
  if (NastVid) {
    NastVid->GroupBox12->setTitle(QStringLiteral(" TIME RECORD"));
    NastVid->CheckBox10->setEnabled(false);
  }
  Shared().AddOn = 0;
  OdswierzRecVis(-1, Shared().RecordWorkMode.load());
}

void TVideo::KlawiszADDClick() {
  if (NastVid) {
    NastVid->GroupBox12->setTitle(QStringLiteral(" TIME ADD"));
    NastVid->CheckBox10->setEnabled(false);
  }
  Shared().AddOn = 1;
  OdswierzRecVis(0, Shared().AddWorkMode.load());
}

void TVideo::KlawiszVISUALClick() {
  if (NastVid) {
    NastVid->GroupBox12->setTitle(QStringLiteral(" TIME VISUAL"));
    NastVid->CheckBox10->setEnabled(true);
  }
  Shared().AddOn = 0;
  OdswierzRecVis(0, Shared().VisualWorkMode.load());
}

void TVideo::OdswierzRecVis(int32_t record, uint8_t mode) {
  SharedState& s = Shared();
  UpdateChannelCode(s, [this](int view, uint8_t m, const std::string& letter) {
    RedrawPicture(view, m, letter);
  });
  if (NastVid) NastVid->WyswietlOnOff(NastVid->ActiveTag());
  s.RecordOn = record;
  s.WorkMode = mode;
  UpdateRunButtons();
  if (NastVid) NastVid->ShowWorkModeRadios(s.WorkMode.load());
  UpdateViewButtons();
  if (NastVid) {
    NastVid->PageControl1Change();
    NastVid->UstawPanAut();
    NastVid->update();
  }
  RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "r");
}

void TVideo::KlawiszSTARTClick() {
  SharedState& s = Shared();
  if (s.AcquisitionBusy.load() != 0) return;
  s.AcquisitionBusy = -1;
  UpdateRunButtons();
  const uint8_t view = s.ViewMode.load();

  if (s.RecordOn.load() != 0 && NastVid && NastVid->CheckBox3->isChecked()) {
    for (int k = 1; k <= 4; ++k)
      if (s.UnsavedChannels.load() & (1u << (k - 1))) AskSaveBeforeStart(k, 100 + 100 * k);
  }
  if (s.ViewMode.load() != view) {
    s.ViewMode = view;
    UpdateViewButtons();
    RedrawPicture(view, s.WorkMode.load(), "r");
  }

  s.AcquisitionOn = 1;
  s.DisplayPending = 0;
  if (s.RecordOn.load() == 0) UnitSendSettings(s);
  s.AcquisitionBusy = -1;

  if (s.AddOn.load() != 0) {
    const int n = s.AddChannelCode.load() >> 4;
    if (n >= 1 && n <= 4) s.ViewCaptions[n] = "Clear RAM";
    ShowViewCaption();
    ClearAddStore(s);
    ClearChannels(s, s.ChannelMask.load(), true);
    s.AddFramesDone = 0;
    RedrawPicture(n, s.WorkMode.load(), "y");
  } else {
    if (s.AnaglyphOn.load() != 0) {
      if (s.ViewMode.load() == 3) {
        s.ViewMode = s.AnaglyphSource.load();
        UpdateRunButtons();
        UpdateViewButtons();
      } else if (s.ViewMode.load() == 1 || s.ViewMode.load() == 2) {
        s.AnaglyphSource = s.ViewMode.load();
      }
      ClearChannels(s, s.AnaglyphSource.load(), true);
    } else {
      ClearChannels(s, s.ChannelMask.load(), true);
    }
    RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "y");
  }

  UpdateViewButtons();
  UnitClearStream(s);
  ShowRunCaption();
  // A thread whose clean-up has run but whose end was not yet handled is joined first.
  if (AcqThread) {
    AcqThread->StopAndJoin();
    AcqThread.reset();
    s.AcquisitionBusy = -1;
    s.AcquisitionOn = 1;
  }
  AcqThread = std::make_unique<TUSBThread>(s, *threadUi_, options_.pacing);
  ThreadRequests->start();
}

void TVideo::AskSaveBeforeStart(int k, int y) { AskNotSaved(k, y, 'r'); }

void TVideo::KlawiszSTOPClick() {
  SharedState& s = Shared();
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  if (AcqThread) AcqThread->Terminate();
}

void TVideo::DrainThreadRequests() {
  if (threadUi_) threadUi_->Drain();
  if (!AcqThread) ThreadRequests->stop();
}

void TVideo::AcquisitionEnded() {
  if (AcqThread && AcqThread->Finished()) {
    AcqThread->StopAndJoin();
    AcqThread.reset();
  }
  UpdateRunButtons();
  UpdateViewButtons();
}

void TVideo::KlawiszCHANGEClick() {
  Shared().SettingsOpen = 1;
  UpdateRunButtons();
  UpdateViewButtons();
  if (!NastVid) return;
  NastVid->Panel10->hide();
  NastVid->Panel11->show();
  const int page = NastVid->PageControl1->indexOf(NastVid->TabSheet[TNastVid::kStripPage]);
  NastVid->PageControl1->setTabText(page, QStringLiteral(" Znacznik "));
  NastVid->PageControl1->setTabVisible(page, true);
  NastVid->PageControl1Change();
  NastVid->show();
  NastVid->raise();
}

// SAVE and OPEN: the file action runs with its busy flags set and the lamps showing it.
void TVideo::RunFileAction(std::atomic<uint8_t>& busy, void (TVideo::*action)()) {
  SharedState& s = Shared();
  s.FileBusy = 1;
  busy = 1;
  UpdateViewButtons();
  UpdateRunButtons();
  (this->*action)();
  s.OpenBusy = 0;
  s.SaveBusy = 0;
  s.FileBusy = 0;
  UpdateViewButtons();
  UpdateRunButtons();
}

void TVideo::KlawiszSAVEClick() { RunFileAction(Shared().SaveBusy, &TVideo::SavePictureAs); }
void TVideo::KlawiszOPENClick() { RunFileAction(Shared().OpenBusy, &TVideo::OpenPicture); }

void TVideo::KlawiszPRINTClick() { StartPrint(); }
void TVideo::KlawiszLINESCANClick() { ToggleLinescan(); }
void TVideo::KlawiszWymiarClick() { StartMeasurement(); }

void TVideo::FormMouseMove(int x, int y) {
  if (Shared().LinescanOn.load() != 0) LinescanMouseMove(x, y);
}

void TVideo::Timer1Timer() {
  SharedState& s = Shared();
  if (AcqThread) AcqThread->Pause();
  Timer1->stop();
  // Reading the flag the thread set after collecting (exchange, not a plain store) makes
  // its writes to the store visible here before the picture is drawn from it.
  s.DisplayPending.exchange(1);
  if (s.AcquisitionOn.load() != 0) {
    if (s.AddOn.load() != 0) {
      int a = NastVid ? NastVid->TrackBar3->value() : 1;
      if (a <= 0) a = 1;
      if (s.AddFramesDone.load() > a - 1) {
        s.AcquisitionOn = 0;
        if (AcqThread) AcqThread->Terminate();
      }
      const int n = s.AddChannelCode.load() >> 4;
      if (n >= 1 && n <= 4)
        s.ViewCaptions[n] = "ADD  " + std::to_string(s.AddFramesDone.load()) + "   ";
    }
    MarkUnsaved(s);
    MixClip(s);
    if (s.RegNumber.load() == 0) s.RegNumber = 1;
    BurnStrip();
    if (s.AcquisitionOn.load() != 0) {
      SyncAnaglyphOptions();
      orvix::RedrawPictureMarked(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(),
                                 s.ChannelMask.load());
    } else
      RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "b");
  }
  s.DisplayPending = 0;
  if (AcqThread) AcqThread->Resume();
}

void TVideo::Timer3Timer() {
  SharedState& s = Shared();
  Timer3->stop();
  bool found = true;
  CollectFrame(s, found, kCollectFactor);
  RefreshNewLines(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(), s.ChannelMask.load());
  const int rows = s.PrevFrameLines.load();
  bool enough = false;
  switch (s.WorkMode.load() & 0x70) {
    case 0x10: enough = rows > 399; break;
    case 0x20: enough = rows > 799; break;
    case 0x30:
    case 0x40: enough = rows > 1599; break;
    default: enough = true; break;
  }
  if (enough && AcqThread) AcqThread->Terminate();
  Timer3->start();
  s.DisplayPending = 0;
}

void TVideo::Timer4Timer() {
  SharedState& s = Shared();
  Timer3->stop();
  Timer4->stop();
  // The writer may have finished its last lines after the last progress tick: collect
  // once more, so the bottom band of the frame is not lost.
  bool found = true;
  CollectFrame(s, found, kCollectFactor);
  RefreshNewLines(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(), s.ChannelMask.load());
  MarkUnsaved(s);
  MixClip(s);
  if (NastVid && NastVid->RadioButton4->isChecked() && s.RegNumber.load() == 0) s.RegNumber = 1;
  if (NastVid && NastVid->RadioButton5->isChecked()) s.RegNumber = NextRegNumber(s.RegNumber.load());
  BurnStrip();
  RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "r");
  UpdateRunButtons();
}

// --- What the settings window does here ---

void TVideo::SetRecordModeText(const std::string& text) {
  Panel101->setText(QString::fromStdString(text));
}
void TVideo::SetAddModeText(const std::string& text) {
  Panel102->setText(QString::fromStdString(text));
}
void TVideo::SetVisualModeText(const std::string& text) {
  Panel103->setText(QString::fromStdString(text));
}
void TVideo::SetAddButtonCaption(const std::string& text) {
  KlawiszADD->setText(QString::fromStdString(text));
}
void TVideo::SetSaveButtonCaption(const std::string& text) {
  KlawiszSAVE->setText(QString::fromStdString(text));
}
void TVideo::HideStartupPicture() { Image3->hide(); }

void TVideo::RepaintViews() {
  update();
  if (Shared().LinescanOn.load() != 0 && Oscyl) Oscyl->update();
}

std::unique_lock<std::mutex> TVideo::LockStore() {
  return AcqThread ? std::unique_lock<std::mutex>(AcqThread->StoreLock())
                   : std::unique_lock<std::mutex>();
}

void TVideo::SyncAnaglyphOptions() {
  if (!NastVid) return;
  AnaglyphOptions& o = Surfaces.Anaglyph;
  o.redCyan = NastVid->RadioButton13->isChecked();
  o.greenMagenta = NastVid->RadioButton15->isChecked();
  o.rotate90 = NastVid->RadioButton7->isChecked();
}

void TVideo::RedrawPicture(int view, int workMode, const std::string& letter) {
  SyncAnaglyphOptions();
  const auto store = LockStore();  // a run may be collecting the next frame
  orvix::RedrawPicture(Shared(), Surfaces, view, static_cast<uint8_t>(workMode), letter);
}

void TVideo::ConnectRunControl() {
  threadUi_ = std::make_unique<TVideoThreadUi>(this);
  PaintBox1 = new TPaintBox(Surfaces, PictureSlot);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setGeometry(0, 0, PictureSlot->width(), PictureSlot->height());
  Surfaces.rowsChanged = [this](int first, int last) { PaintBox1->RepaintRows(first, last); };
  Surfaces.captionChanged = [this](const std::string& caption) { ShowCaption(caption); };
  connect(KlawiszRECORD, &QPushButton::clicked, this, &TVideo::KlawiszRECORDClick);
  connect(KlawiszADD, &QPushButton::clicked, this, &TVideo::KlawiszADDClick);
  connect(KlawiszVISUAL, &QPushButton::clicked, this, &TVideo::KlawiszVISUALClick);
  connect(KlawiszSTART, &QPushButton::clicked, this, &TVideo::KlawiszSTARTClick);
  connect(KlawiszSTOP, &QPushButton::clicked, this, &TVideo::KlawiszSTOPClick);
  connect(KlawiszCHANGE, &QPushButton::clicked, this, &TVideo::KlawiszCHANGEClick);
  connect(KlawiszSAVE, &QPushButton::clicked, this, &TVideo::KlawiszSAVEClick);
  connect(KlawiszOPEN, &QPushButton::clicked, this, &TVideo::KlawiszOPENClick);
  connect(KlawiszPRINT, &QPushButton::clicked, this, &TVideo::KlawiszPRINTClick);
  connect(KlawiszLINESCAN, &QPushButton::clicked, this, &TVideo::KlawiszLINESCANClick);
  connect(KlawiszWymiar, &QPushButton::clicked, this, &TVideo::KlawiszWymiarClick);
  connect(Timer1, &QTimer::timeout, this, &TVideo::Timer1Timer);
  connect(Timer3, &QTimer::timeout, this, &TVideo::Timer3Timer);
  connect(Timer4, &QTimer::timeout, this, &TVideo::Timer4Timer);
  ThreadRequests = new QTimer(this);
  ThreadRequests->setObjectName(QStringLiteral("ThreadRequests"));
  ThreadRequests->setInterval(kThreadRequestsMs);
  connect(ThreadRequests, &QTimer::timeout, this, &TVideo::DrainThreadRequests);
}

}  // namespace orvix
