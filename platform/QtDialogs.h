#pragma once
// The operator dialogs as the station shows them: Qt message boxes and file dialogs.
#include "OperatorDialogs.h"

namespace orvix {

// Needs a QApplication.
OperatorDialogs& QtDialogs();

}  // namespace orvix
