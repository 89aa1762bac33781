// Run control of the main window: the run modes, START and STOP, the three timers that
// run the station's display steps, and what the acquisition thread asks of the window.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ChannelSelection.h"
#include "Collector.h"
#include "OperatorDialogs.h"
#include "RunState.h"
#include "ScanUnit.h"
#include "StationRun.h"
#include "TOscyl.h"
#include "TVideo.h"

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
  run_.Retire();
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
        UpdateLamps();
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
  run_.Start();
}

void TVideo::AskSaveBeforeStart(int k, int y) { AskNotSaved(k, y, 'r'); }

void TVideo::KlawiszSTOPClick() {
  SharedState& s = s_;
  s.AcquisitionOn = 0;
  s.DisplayPending = 0;
  EndDisplayTimers();
  run_.Terminate();
}

void TVideo::EndDisplayTimers() {
  Timer1->stop();
  Timer3->stop();
  // The end step of a RECORD frame marks its picture unsaved and burns its strip: a due
  // one runs now rather than being lost.
  if (Timer4->isActive()) Timer4Timer();
}

void TVideo::EnableDisplayTimer(int timer) {
  switch (timer) {
    case 1: Timer1->start(); break;
    case 3: Timer3->start(); break;
    case 4: Timer4->start(); break;
    default: break;
  }
}

void TVideo::RunStateChanged(bool threadEnded) {
  // A frame the thread handed over just as STOP came asked for Timer1 after STOP had
  // stopped it; the run's clean-up has cleared DisplayPending, so that tick has nothing
  // to show and the idle station keeps no display timer running.
  if (threadEnded) Timer1->stop();
  UpdateLamps();
}

void TVideo::KlawiszCHANGEClick() {
  s_.SettingsOpen = 1;
  UpdateLamps();
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
  Timer1->stop();
  run_.ShowFrame();
}

void TVideo::Timer3Timer() {
  Timer3->stop();
  run_.ShowRecordProgress();
  Timer3->start();
}

void TVideo::Timer4Timer() {
  Timer3->stop();
  Timer4->stop();
  run_.FinishRecordFrame();
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

void TVideo::RedrawPicture(int view, int workMode, const std::string& letter) {
  run_.Redraw(view, workMode, letter);
}

}  // namespace orvix
