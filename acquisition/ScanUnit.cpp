#include "ScanUnit.h"

namespace orvix {

std::string UnitIdentify() { return kUnitIdentity; }

void UnitOpen(SharedState& s) {
  s.AcquisitionBusy = 0;
  s.DeviceOpen = 1;
}

void UnitSendSettings(SharedState& s) { s.AcquisitionBusy = 0; }

void UnitClearStream(SharedState& s) {
  // Called on the UI thread before a thread is started, so no reader or writer is active.
  s.StreamPublished.store(0, std::memory_order_release);
  s.RawStream.Zero();
}

void UnitReadState(SharedState& s) {
  s.UnitStatusWord = 10000;
  s.UnitScale = 12e3;
  s.UnitKV = 20;
}

}  // namespace orvix
