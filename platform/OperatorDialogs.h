#pragma once
// Every modal box and file dialog the station shows goes through this one interface, which
// each window is given by constructor: the station gives the Qt implementation (QtDialogs),
// tests a scripted one that records each text and answers from a queue. Kernels never
// show anything: they return the text and the window shows it. Texts are UTF-8 and shown
// exactly as given.
#include <optional>
#include <string>
#include <vector>

namespace orvix {

enum class MsgType { Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, Yes, YesNo };
enum class MsgResult { Ok, Yes, No };

// Screen position of a box; x < 0 means "centred by the platform".
struct MsgPos {
  int x = -1;
  int y = -1;
};

struct FileDialogRequest {
  std::string title;
  std::string folder;       // starting folder
  std::string fileName;     // proposed name
  std::vector<std::string> filters;  // e.g. "Bitmap (*.bmp)"
  int filterIndex = 0;
};

struct FileDialogAnswer {
  std::string path;  // full path chosen
  int filterIndex = 0;
};

// The caption of a box: its own title when it has one, otherwise the standard caption of
// its type, as the desktop's message boxes have it.
inline std::string BoxCaption(MsgType type, const std::string& title) {
  if (!title.empty()) return title;
  switch (type) {
    case MsgType::Warning: return "Warning";
    case MsgType::Error: return "Error";
    case MsgType::Information: return "Information";
    case MsgType::Confirmation: return "Confirm";
  }
  return {};
}

class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  virtual MsgResult Message(MsgType type, const std::string& text, MsgButtons buttons,
                            MsgPos pos = {}, const std::string& title = {}) = 0;
  // Returns nothing when the operator cancels.
  virtual std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& request) = 0;
  // A one-line text query; nothing when cancelled.
  virtual std::optional<std::string> InputText(const std::string& title, const std::string& label,
                                               const std::string& initial) = 0;
};

}  // namespace orvix
