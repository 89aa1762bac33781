// Run control of the main window: the run modes, START and STOP, the three timers that
// show what the acquisition thread produces, and the thread's requests to the window.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ChannelSelection.h"
#include "Lines.h"
#include "Collector.h"
#include "ScanUnit.h"
#include "RunState.h"
#include "TVideo.h"
#include "TVideoThreadUi.h"
#include "PaintBox.h"
#include "ViewBuilders.h"
#include "Anaglyph.h"
#include "OperatorDialogs.h"
#include "TOscyl.h"
#include "UiWake.h"

namespace orvix {

void TVideo::KlawiszRECORDClick() {
  if (Settings) Settings->ShowRunMode(RunModeKind::Record);
  s_.AddOn = 0;
  OdswierzRecVis(-1, s_.RecordWorkMode.load());
}

void TVideo::KlawiszADDClick() {
  if (Settings) Settings->ShowRunMode(RunModeKind::Add);
  s_.AddOn = 1;
  OdswierzRecVis(0, s_.AddWorkMode.load());
}

void TVideo::KlawiszVISUALClick() {
  if (Settings) Settings->ShowRunMode(RunModeKind::Visual);
  s_.AddOn = 0;
  OdswierzRecVis(0, s_.VisualWorkMode.load());
}

void TVideo::UpdateChannels() {
  if (UpdateChannelCode(s_).viewTakenBack)
    RedrawPicture(s_.ViewMode.load(), s_.WorkMode.load(), "r");
}

void TVideo::OdswierzRecVis(int32_t record, uint8_t mode) {
  SharedState& s = s_;
  UpdateChannels();
  if (Settings) Settings->ShowChannelState();
  s.RecordOn = record;
  s.WorkMode = mode;
  UpdateRunButtons();
  if (Settings) Settings->ShowWorkModeRadios(s.WorkMode.load());
  UpdateViewButtons();
  if (Settings) Settings->RefreshAfterRunModeChange();
  RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "r");
}

void TVideo::KlawiszSTARTClick() {
  SharedState& s = s_;
  if (s.AcquisitionBusy.load() != 0) return;
  // What the last run left: its due display ticks, its thread (ended, or at most in its
  // clean-up, since AcquisitionBusy is clear) and its request queue. Nothing of it acts
  // in the run that starts now.
  EndDisplayTimers();
  RetireRun();
  s.AcquisitionBusy = -1;
  UpdateRunButtons();
  const uint8_t view = s.ViewMode.load();

  if (s.RecordOn.load() != 0 && s.Config.Flag(cfg::kAskSaveOnStartRow) != 0) {
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
  if (s.RecordOn.load() == 0) unit_.SendSettings(s);
  s.AcquisitionBusy = -1;

  if (s.AddOn.load() != 0) {
    const int n = s.AddChannelCode.load() >> 4;
    if (n >= 1 && n <= 4) s.ViewCaptions[n] = "Clear RAM";
    ShowViewCaption();
    {
      const auto store = LockStore();
      ClearAddStore(s);
      ClearChannels(s, s.ChannelMask.load(), true);
    }
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
      const auto store = LockStore();
      ClearChannels(s, s.AnaglyphSource.load(), true);
    } else {
      const auto store = LockStore();
      ClearChannels(s, s.ChannelMask.load(), true);
    }
    RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), "y");
  }

  UpdateViewButtons();
  unit_.ClearStream(s);
  ShowRunCaption();
  runEnded_ = false;
  threadUi_ = std::make_unique<TVideoThreadUi>(this, *wake_);
  AcqThread = std::make_unique<TUSBThread>(s, unit_, *threadUi_, options_.pacing);
}

void TVideo::AskSaveBeforeStart(int k, int y) { AskNotSaved(k, y, 'r'); }

// Ends a running acquisition and waits until its clean-up is over; afterwards
// AcquisitionBusy is 0 and no thread touches the buffers or the windows.
void TVideo::StopAcquisition() {
  SharedState& s = s_;
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  const bool running = AcqThread != nullptr;
  RetireRun();  // its clean-up clears AcquisitionBusy
  if (!running) s.AcquisitionBusy = 0;  // no thread: nothing can still be busy
}

void TVideo::KlawiszSTOPClick() {
  SharedState& s = s_;
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  EndDisplayTimers();
  if (AcqThread) AcqThread->Terminate();
}

void TVideo::EndDisplayTimers() {
  Timer1->stop();
  Timer3->stop();
  // The end step of a RECORD frame marks its picture unsaved and burns its strip: a due
  // one runs now rather than being lost.
  if (Timer4->isActive()) Timer4Timer();
}

// The thread goes first: it may still be posting its last requests into the queue.
void TVideo::RetireRun() {
  if (AcqThread) AcqThread->StopAndJoin();
  AcqThread.reset();
  threadUi_.reset();  // what it still asked for is dropped with it
  runEnded_ = false;
}

void TVideo::DrainThreadRequests() {
  if (threadUi_) threadUi_->Drain();
  // The queue of a run whose thread has ended goes once its last requests have run.
  if (runEnded_) RetireRun();
}

void TVideo::AcquisitionEnded() {
  if (AcqThread && AcqThread->Finished()) {
    runEnded_ = true;
    // A frame the thread handed over just as STOP came asked for Timer1 after STOP had
    // stopped it; the run's clean-up has cleared DisplayPending, so that tick has nothing
    // to show and the idle station keeps no display timer running.
    Timer1->stop();
  }
  UpdateRunButtons();
  UpdateViewButtons();
}

void TVideo::KlawiszCHANGEClick() {
  s_.SettingsOpen = 1;
  UpdateRunButtons();
  UpdateViewButtons();
  if (Settings) Settings->OpenSettings();
}

// SAVE and OPEN: the file action runs with its busy flags set and the lamps showing it.
void TVideo::RunFileAction(std::atomic<uint8_t>& busy, void (PictureFiles::*action)()) {
  SharedState& s = s_;
  s.FileBusy = 1;
  busy = 1;
  UpdateViewButtons();
  UpdateRunButtons();
  (files_.*action)();
  s.OpenBusy = 0;
  s.SaveBusy = 0;
  s.FileBusy = 0;
  UpdateViewButtons();
  UpdateRunButtons();
}

void TVideo::KlawiszSAVEClick() {
  // With "Autonumerowanie zbiorów zapisywanych" checked the picture goes under the next
  // numbered name without a dialog.
  RunFileAction(s_.SaveBusy, s_.AutoNumberingOn.load() != 0 ? &PictureFiles::SavePictureAuto
                                                             : &PictureFiles::SavePictureAs);
}
void TVideo::KlawiszOPENClick() { RunFileAction(s_.OpenBusy, &PictureFiles::OpenPicture); }

void TVideo::KlawiszPRINTClick() {
  if (Print) Print->StartDruk();
}

void TVideo::Timer1Timer() {
  SharedState& s = s_;
  Timer1->stop();
  // A tick asked for by a frame that is no longer waiting (STOP, the end of its run) has
  // nothing to show: it must not mark, number or redraw anything.
  if (s.DisplayPending.load() == 0) return;
  if (AcqThread) AcqThread->Pause();
  if (s.AcquisitionOn.load() != 0) {
    const auto store = LockStore();
    if (s.AddOn.load() != 0) {
      int a = s.Config.AddFrameCount();
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
    strip_.ObrazekPasek();  // under the StoreLock held here
    SyncAnaglyphOptions();
    if (s.AcquisitionOn.load() != 0)
      orvix::RedrawPictureMarked(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(),
                                 s.ChannelMask.load());
    else
      orvix::RedrawPicture(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(), "b");
  }
  s.DisplayPending = 0;
  if (AcqThread) AcqThread->Resume();
}

void TVideo::Timer3Timer() {
  SharedState& s = s_;
  Timer3->stop();
  {
    const auto store = LockStore();
    bool found = true;
    CollectFrame(s, found, kCollectFactor);
    RefreshNewLines(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(), s.ChannelMask.load());
  }
  // The frame is complete once all its lines are in (at once for an impossible code).
  const int lines = FrameLines(LinesOf(s.WorkMode.load()));
  if (s.PrevFrameLines.load() > lines - 1 && AcqThread) AcqThread->Terminate();
  Timer3->start();
  s.DisplayPending = 0;
}

void TVideo::Timer4Timer() {
  SharedState& s = s_;
  Timer3->stop();
  Timer4->stop();
  {
    const auto store = LockStore();
    // The writer may have finished its last lines after the last progress tick: collect
    // once more, so the bottom band of the frame is not lost.
    bool found = true;
    CollectFrame(s, found, kCollectFactor);
    RefreshNewLines(s, Surfaces, s.ViewMode.load(), s.WorkMode.load(), s.ChannelMask.load());
    MarkUnsaved(s);
    MixClip(s);
    // "Po zapisie na dysk" is the stored flag; "Po skończeniu cyklu RECORD" its opposite.
    const bool onSave = s.Config.Flag(cfg::kRegIncrementOnSaveRow) != 0;
    if (onSave && s.RegNumber.load() == 0) s.RegNumber = 1;
    if (!onSave) strip_.NumeracjaZdjecia();
    strip_.ObrazekPasek();
  }
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
  if (s_.LinescanOn.load() != 0 && Oscyl) Oscyl->update();
}

std::unique_lock<std::mutex> TVideo::LockStore() { return std::unique_lock<std::mutex>(s_.StoreLock); }

void TVideo::SyncAnaglyphOptions() { Surfaces.Anaglyph = AnaglyphChoices(s_); }

void TVideo::RedrawPicture(int view, int workMode, const std::string& letter) {
  SyncAnaglyphOptions();
  const auto store = LockStore();  // a run may be collecting the next frame
  orvix::RedrawPicture(s_, Surfaces, view, static_cast<uint8_t>(workMode), letter);
}

}  // namespace orvix
