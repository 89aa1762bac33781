#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "RunState.h"
#include "PictureSurfaces.h"
#include "DisplayReference.h"

namespace orvix::test {

inline constexpr uint32_t kSentinel = 0xFF123456u;

inline std::unique_ptr<SharedState> RandomStore(uint32_t seed) {
  auto s = std::make_unique<SharedState>();
  uint64_t x = 0x9E3779B97F4A7C15ull ^ seed;
  uint8_t* d = s->ImageStore.data();
  for (size_t i = 0; i + 8 <= kImageStoreSize; i += 8) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    std::memcpy(d + i, &x, 8);
  }
  return s;
}

inline void FillSentinel(PictureSurfaces& p) { p.Image1.fill(kSentinel); }

inline uint32_t SurfacePixel(const PictureSurfaces& p, int row, int col) {
  return reinterpret_cast<const uint32_t*>(p.Image1.constScanLine(row))[col];
}

// Compares Image1 and the four row bitmaps with the reference; reports the first mismatch.
inline ::testing::AssertionResult SameAsReference(const PictureSurfaces& p,
                                                  ReferenceDisplay& ref) {
  if (ref.readOutside) return ::testing::AssertionFailure() << "reference read outside the store";
  for (int r = 0; r < 802; ++r)
    for (int c = 0; c < 1102; ++c)
      if (SurfacePixel(p, r, c) != ref.At(r, c))
        return ::testing::AssertionFailure()
               << "surface row " << r << " column " << c << ": " << std::hex
               << SurfacePixel(p, r, c) << " expected " << ref.At(r, c);
  const std::pair<const QImage*, ReferenceDisplay::Row*> rows[] = {
      {&p.RowBitmapA, &ref.A}, {&p.RowBitmapB, &ref.B}, {&p.MarkerRowA, &ref.MA},
      {&p.MarkerRowB, &ref.MB}};
  for (int i = 0; i < 4; ++i)
    for (int x = 0; x < 1100; ++x)
      if (rows[i].first->pixel(x, 0) != (*rows[i].second)[x])
        return ::testing::AssertionFailure() << "row bitmap " << i << " pixel " << x;
  return ::testing::AssertionSuccess();
}

}  // namespace orvix::test
