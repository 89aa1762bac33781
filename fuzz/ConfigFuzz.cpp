// conf300.dat comes from outside: any file must load, validate and drive the acquisition
// kernels without a read or write outside their buffers. The input is a file image (its
// last bytes also pick the run mode and switches); the run applies it, then writes a few
// stream lines in one of the stored working modes with its offsets and collects them.
#include <cstddef>
#include <cstdint>

#include "ChannelSelection.h"
#include "Collector.h"
#include "LineStream.h"
#include "ConfigFile.h"
#include "WorkModes.h"
#include "FakeSeam.h"

using namespace orvix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SharedState* s = new SharedState();
  if (!ConfigFromImage(data, size, s->Config)) return 0;
  const uint8_t pick = data[size - 1];
  LoadWorkModesFromTable(*s);
  const uint8_t modes[3] = {s->VisualWorkMode, s->RecordWorkMode, s->AddWorkMode};
  s->WorkMode = modes[pick % 3];
  s->RecordOn = (pick & 4) ? -1 : 0;  // RECORD collects without clearing the planes
  s->AddOn = (pick >> 3) & 1;
  s->TestPictureOn = (pick >> 4) & 1;
  s->AnaglyphOn = (pick >> 5) & 1;
  s->ViewMode = uint8_t(1 + data[size - 2] % 5);
  ApplyConfigTable(*s);
  UpdateChannelCode(*s, {});

  // Only the lines written now are readable: the stream's older content stays unread.
  s->StreamPublished = 0;
  test::FakeSeam seam;
  seam.terminateAfterPolls = 3;  // four lines are enough to reach every offset
  bool found = true;
  WriteFrame(*s, seam, found);
  CollectFrame(*s, found, kCollectFactor);
  found = true;
  CollectAddFrame(*s, 1 + data[size - 3] % 51, FrameLimit(*s), found);
  return 0;
}
