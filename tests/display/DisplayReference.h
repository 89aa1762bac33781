#pragma once
// A plain, pixel-at-a-time reading of the station's drawing rules, used to check the
// banded builders: every row goes through its row bitmap and is drawn with its marker,
// one row after the other in the station's order, onto a surface of its own.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "RunState.h"
#include "DisplayConstants.h"
#include "PictureSurfaces.h"

namespace orvix::test {

struct ReferenceDisplay {
  using Row = std::array<uint32_t, 1100>;
  explicit ReferenceDisplay(SharedState& state) : s(state), img(802 * 1102, 0) {}

  SharedState& s;
  std::vector<uint32_t> img;
  Row A{}, B{}, MA{}, MB{};
  int linescanCalls = 0;
  bool readOutside = false;

  // Starts from the kernels' surfaces as they are.
  void CopyFrom(const PictureSurfaces& p);

  uint32_t& At(int row, int col) { return img[size_t(row) * 1102 + col]; }
  int P(int x, int y, int k) {
    const size_t i = StoreIndex(x, y, k);
    if (x < 0 || y < 0 || i >= kImageStoreSize) {
      readOutside = true;
      return 0;
    }
    return s.ImageStore[i];
  }
  static uint32_t Grey(int v) { return display::GreyArgb(uint8_t(v)); }
  static void Fill(Row& r, char letter) { r.fill(display::Argb(display::ColourOfLetter(letter))); }

  void Put(const Row& r, int surfaceRow);
  void Linescan(int surfaceRow);
  void BlitRow(int y, int d);
  void BlitQuadrantRow(int y);
  void Border();
  void QuadrantFrame();
  void MarkerRows(int mask);
  static void Clamp(int& start, int& end);

  void Single(int code, int k, int start, int end);
  void All(int k, int start, int end);
  void Anaglyph(int start, int end, const AnaglyphOptions& o);
  void Refresh(int view, int code, int mask);
  void Whole(int view, int code, char letter, int allMask);
};

}  // namespace orvix::test
