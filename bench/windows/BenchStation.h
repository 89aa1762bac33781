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
#include "Station.h"
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
  QuietDialogs dialogs;
  Station station{dialogs};
  StationWindows windows;
  SharedState* s = &station.State();
  TVideo* video = nullptr;

  explicit BenchStation(ThreadPacing pacing = {}) {
    TVideoOptions o;
    o.lockFolder = lockDir.path().toStdString();
    o.programDir = programDir.path().toStdString();
    o.screenSize = QSize(1280, 1024);
    o.inhibitScreenSaver = false;
    o.startDelayMs = 1000000;  // the start step runs below
    o.pacing = pacing;
    windows = AssembleStation(station, dialogs, nullptr, o);
    video = windows.video.get();
    video->show();
    video->StartTimer();
  }

  bool Idle() { return !station.Run().Thread() && s->AcquisitionBusy.load() == 0; }

  void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
};

}  // namespace orvix::bench
