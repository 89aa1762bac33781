#pragma once
// The operator of the window benchmarks: answers every box as a dismissed one and opens no
// file dialog, so nothing waits for a person.
#include <optional>
#include <string>

#include "OperatorDialogs.h"

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

}  // namespace orvix::bench
