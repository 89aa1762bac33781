#include "OperatorDialogs.h"


namespace orvix {
namespace {

class SilentDialogs final : public OperatorDialogs {
 public:
  MsgResult Message(MsgType, const std::string&, MsgButtons buttons, MsgPos,
                    const std::string&) override {
    return buttons == MsgButtons::YesNo ? MsgResult::No
           : buttons == MsgButtons::Yes ? MsgResult::Yes
                                        : MsgResult::Ok;
  }
  std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest&) override { return {}; }
  std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> InputText(const std::string&, const std::string&,
                                       const std::string&) override {
    return {};
  }
};

SilentDialogs& Silent() {
  static SilentDialogs d;
  return d;
}

OperatorDialogs* g_dialogs = nullptr;

}  // namespace

OperatorDialogs& Dialogs() { return g_dialogs ? *g_dialogs : Silent(); }

OperatorDialogs* SetDialogs(OperatorDialogs* d) {
  OperatorDialogs* prev = g_dialogs;
  g_dialogs = d;
  return prev;
}

}  // namespace orvix
