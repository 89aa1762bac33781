#pragma once
// What a save or an open came to, as the operator is told it. Every save and open ends
// with a kind byte and a result code; ReportFileError turns the pair into the box to show
// (the window shows it through its OperatorDialogs). No dialog is shown here.
#include <cstdint>
#include <string>

#include "OperatorDialogs.h"

namespace orvix {

// One box: shown only when `show` is set; always an error box.
struct FileErrorBox {
  bool show = false;
  std::string text;
  MsgButtons buttons = MsgButtons::Ok;
};

// The text of a result code; empty for a code the table does not hold.
std::string FileErrorCodeText(uint16_t code);

// The box of (kind, code). The code matters only for kind 3 (a failed open).
FileErrorBox ReportFileError(uint8_t kind, uint16_t code);

// The result code for an errno of a failed open; codes mean what they mean on the
// station's file layer (2 not found, 3 path not found, 5 access denied, ...). An errno
// with no counterpart gives kUnmappedOpenError, which has no text.
inline constexpr uint16_t kUnmappedOpenError = 0xFFFF;
uint16_t OpenErrorCode(int errnum);

}  // namespace orvix
