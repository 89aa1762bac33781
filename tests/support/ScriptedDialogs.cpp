#include "ScriptedDialogs.h"

namespace orvix::test {

MsgResult ScriptedDialogs::Message(MsgType type, const std::string& text, MsgButtons buttons,
                                   MsgPos pos, const std::string& title) {
  shown.push_back({type, text, buttons, pos, BoxCaption(type, title)});
  if (onMessage) onMessage(shown.back());
  if (!answers.empty()) {
    const MsgResult r = answers.front();
    answers.pop_front();
    return r;
  }
  return buttons == MsgButtons::YesNo ? MsgResult::No
         : buttons == MsgButtons::Yes ? MsgResult::Yes
                                      : MsgResult::Ok;
}

std::optional<FileDialogAnswer> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return {};
  auto a = fileAnswers.front();
  fileAnswers.pop_front();
  return a;
}

std::optional<FileDialogAnswer> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  return SaveFile(request);
}

std::optional<std::string> ScriptedDialogs::InputText(const std::string&, const std::string&,
                                                      const std::string&) {
  if (textAnswers.empty()) return {};
  auto a = textAnswers.front();
  textAnswers.pop_front();
  return a;
}

}  // namespace orvix::test
