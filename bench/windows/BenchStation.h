#pragma once
// The station the window benchmarks run: main window, settings, linescan and calibration
// windows on a fresh state (without the print window, which needs a printer), offscreen,
// with the real acquisition thread at the given pacing, after the start step. Its operator
// answers every box as a dismissed one and opens no file dialog, so nothing waits for a
// person.
#include <QApplication>
#include <QElapsedTimer>
#include <QSize>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

#include "OperatorDialogs.h"
#include "PictureFolders.h"
#include "RunState.h"
#include "StationWindows.h"
#include "TUSBThread.h"

namespace orvix::bench {

class QuietDialogs final : public OperatorDialogs {
 public:
  MsgResult Message(MsgType, const std::string&, MsgButtons b, MsgPos, const std::string&) override {
    return b == MsgButtons::YesNo ? MsgResult::No : b == MsgButtons::Yes ? MsgResult::Yes : MsgResult::Ok;
  }
  std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest&) override { return {}; }
  std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> InputText(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
};

struct BenchStation {
  QTemporaryDir lockDir, programDir;
  std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
  QuietDialogs dialogs;
  PictureFolders folders;
  std::unique_ptr<TVideo> video;
  std::unique_ptr<TNastVid> nastVid;
  std::unique_ptr<TOscyl> oscyl;
  std::unique_ptr<Tmodul_zew> modul;

  explicit BenchStation(ThreadPacing pacing = {}) {
    TVideoOptions o;
    o.lockFolder = lockDir.path().toStdString();
    o.programDir = programDir.path().toStdString();
    o.screenSize = QSize(1280, 1024);
    o.inhibitScreenSaver = false;
    o.startDelayMs = 1000000;  // the start step runs below
    o.pacing = pacing;
    video = std::make_unique<TVideo>(*s, dialogs, folders, o);
    nastVid = std::make_unique<TNastVid>(video.get(), *s, dialogs);
    oscyl = std::make_unique<TOscyl>(*s);
    modul = std::make_unique<Tmodul_zew>(*s, dialogs);
    ConnectStationWindows(*video, *nastVid, *oscyl, nullptr, *modul);
    video->show();
    video->StartTimer();
  }
  ~BenchStation() {
    video->StopAcquisition();
    video.reset();
  }

  bool Idle() const { return !video->AcqThread && s->AcquisitionBusy.load() == 0; }

  void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
};

}  // namespace orvix::bench
