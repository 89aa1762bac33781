#pragma once
// The scan-unit operations the station calls. No unit is attached: each operation has
// a fixed effect on the shared state. The acquisition thread and the windows reach them
// through ScanUnit, which the station owns one of and tests may replace.
#include <string>

#include "RunState.h"

namespace orvix {

inline constexpr const char* kUnitIdentity = "   USB 2.0   ";

std::string UnitIdentify();
void UnitOpen(SharedState& s);          // AcquisitionBusy = 0, DeviceOpen = 1
void UnitSendSettings(SharedState& s);  // AcquisitionBusy = 0
void UnitClearStream(SharedState& s);   // every byte of RawStream = 0
void UnitReadState(SharedState& s);     // status word, scale and kV readings

class ScanUnit {
 public:
  virtual ~ScanUnit() = default;
  virtual std::string Identify() = 0;
  virtual void Open(SharedState& s) = 0;
  virtual void SendSettings(SharedState& s) = 0;
  virtual void ClearStream(SharedState& s) = 0;
  virtual void ReadState(SharedState& s) = 0;
};

// The station's unit: the fixed effects above.
class SimulatedScanUnit final : public ScanUnit {
 public:
  std::string Identify() override { return UnitIdentify(); }
  void Open(SharedState& s) override { UnitOpen(s); }
  void SendSettings(SharedState& s) override { UnitSendSettings(s); }
  void ClearStream(SharedState& s) override { UnitClearStream(s); }
  void ReadState(SharedState& s) override { UnitReadState(s); }
};

}  // namespace orvix
