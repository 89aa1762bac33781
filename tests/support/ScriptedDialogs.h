#pragma once
// Dialogs for tests, given to the windows under test: every box is recorded with its
// text, buttons and position, and answered from a queue (Ok / No / cancel when empty).
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "OperatorDialogs.h"

namespace orvix::test {

struct ShownMessage {
  MsgType type;
  std::string text;
  MsgButtons buttons;
  MsgPos pos;
  std::string title;  // the caption the box is shown with
};

class ScriptedDialogs final : public OperatorDialogs {
 public:
  std::vector<ShownMessage> shown;
  std::deque<MsgResult> answers;
  std::deque<std::optional<FileDialogAnswer>> fileAnswers;
  std::deque<std::optional<std::string>> textAnswers;
  std::vector<FileDialogRequest> fileRequests;
  // Runs as each box is shown, before it is answered (to see the station's state then).
  std::function<void(const ShownMessage&)> onMessage;

  MsgResult Message(MsgType type, const std::string& text, MsgButtons buttons, MsgPos pos,
                    const std::string& title) override;
  std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& request) override;
  std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> InputText(const std::string& title, const std::string& label,
                                       const std::string& initial) override;
};

}  // namespace orvix::test
