#pragma once
// The scan-unit operations the station calls. No unit is attached: each operation has
// a fixed effect on the shared state.
#include <string>

#include "RunState.h"

namespace orvix {

inline constexpr const char* kUnitIdentity = "   USB 2.0   ";

std::string UnitIdentify();
void UnitOpen(SharedState& s);          // AcquisitionBusy = 0, DeviceOpen = 1
void UnitSendSettings(SharedState& s);  // AcquisitionBusy = 0
void UnitClearStream(SharedState& s);   // every byte of RawStream = 0
void UnitReadState(SharedState& s);     // status word, scale and kV readings

}  // namespace orvix
