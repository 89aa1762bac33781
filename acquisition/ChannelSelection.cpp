#include "ChannelSelection.h"

#include <bit>

namespace orvix {

ChannelUpdate UpdateChannelCode(SharedState& s) {
  ChannelUpdate changed;
  ConfigTable& c = s.Config;
  uint8_t code = 0;

  if (!c.ChannelOn(1) && !c.ChannelOn(2) && !c.ChannelOn(3) && !c.ChannelOn(4))
    c.SetChannelOn(1, true);

  // Channels beyond the fitted detectors are switched off; channel 1 stands in when the
  // remaining ones are all off.
  const int32_t detectors = s.DetectorCount.load();
  if (detectors < 4) {
    c.SetChannelOn(4, false);
    if (!c.ChannelOn(1) && !c.ChannelOn(2) && !c.ChannelOn(3)) c.SetChannelOn(1, true);
  }
  if (detectors < 3) {
    c.SetChannelOn(3, false);
    if (!c.ChannelOn(1) && !c.ChannelOn(2)) c.SetChannelOn(1, true);
  }
  if (detectors < 2) {
    c.SetChannelOn(2, false);
    c.SetChannelOn(1, true);
  }

  if (s.AddOn.load() != 0) {
    // ADD scans one channel: the last AddChannel switch that is on wins.
    code = kChannelCodes[1];
    for (int k = 1; k <= 4; ++k)
      if (c.AddChannel(k)) code = kChannelCodes[k];
    const uint8_t low = code & 0x0F;
    uint8_t view = s.ViewMode.load();
    if ((low & 1) != 0 || low == 0) view = 1;
    if ((low & 2) != 0) view = 2;
    if ((low & 4) != 0) view = 3;
    if ((low & 8) != 0) view = 4;
    s.ViewMode = view;
    s.AddChannelCode = static_cast<uint8_t>(low + 16 * view);
  } else {
    for (int k = 1; k <= 4; ++k)
      if (c.ChannelOn(k)) code = static_cast<uint8_t>(code + kChannelCodes[k]);
    s.AddChannelCode = 0;
  }

  if (s.TestPictureOn.load() != 0) {
    // The test picture scans the one channel on screen.
    if (s.ViewMode.load() == kAllView) {
      s.ViewMode = s.LastSingleView.load();
      changed.viewTakenBack = true;
    }
    const uint8_t view = s.ViewMode.load();
    code = (view >= 1 && view <= 4) ? kChannelCodes[view] : kChannelCodes[1];
  }

  s.ChannelCode = code;
  s.ChannelCount = static_cast<uint8_t>(std::popcount(static_cast<unsigned>(code & 0x0F)));
  s.ChannelMask = code & 0x0F;
  return changed;
}

void MarkUnsaved(SharedState& s) {
  uint8_t m = s.ChannelMask.load();
  if (m == 0) {
    switch (s.ViewMode.load()) {
      case 2: m = 2; break;
      case 3: m = 4; break;
      case 4: m = 8; break;
      default: m = 1; break;
    }
  }
  s.UnsavedChannels = s.UnsavedChannels.load() | m;
  s.SavedChannels = s.SavedChannels.load() & static_cast<uint8_t>(~m);
}

}  // namespace orvix
