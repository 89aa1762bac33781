#pragma once
// What the fuzz targets share: one SharedState for the life of the fuzzing process (its
// 118 MB of buffers are allocated once, never per input), a way to give the stream back
// the zeros it had before an input wrote into it, and a reader of the control bytes an
// input carries in front of its payload.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "RunState.h"

namespace orvix::fuzz {

// The state every input runs on. Inputs change only what they are given, and the targets
// put back what the kernels read before the next input runs.
inline SharedState& State() {
  static SharedState* s = new SharedState();
  return *s;
}

// The part of RawStream an input wrote into: bytes [0, dirtyEnd) are zeroed again before
// the next input, so what one input leaves behind never shows through to the next.
class StreamScratch {
 public:
  void Reset(SharedState& s) {
    if (dirtyEnd_ > 0) std::memset(s.RawStream.data(), 0, dirtyEnd_);
    dirtyEnd_ = 0;
    s.StreamPublished = 0;
  }
  void Dirty(size_t end) { dirtyEnd_ = std::max(dirtyEnd_, std::min(end, kRawStreamSize)); }

 private:
  size_t dirtyEnd_ = 0;
};

// Control bytes taken from the front of an input; once they run out every value is 0.
class Controls {
 public:
  Controls(const uint8_t* data, size_t size) : p_(data), n_(size) {}
  uint8_t Byte() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
  }
  uint16_t U16() { return uint16_t(Byte() | Byte() << 8); }
  uint32_t U32() { return uint32_t(U16()) | uint32_t(U16()) << 16; }
  // A value in lo..hi (inclusive) from two bytes.
  int Range(int lo, int hi) { return lo + int(U16() % uint32_t(hi - lo + 1)); }
  bool Bit() { return (Byte() & 1) != 0; }
  const uint8_t* Rest() const { return p_; }
  size_t RestSize() const { return n_; }

 private:
  const uint8_t* p_;
  size_t n_;
};

// A fault the sanitizers cannot see: stop with a message the fuzzer records as a crash.
#define ORVIX_FUZZ_CHECK(cond)                                                     \
  do {                                                                             \
    if (!(cond)) {                                                                 \
      __builtin_printf("fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

}  // namespace orvix::fuzz
