#include "Anaglyph.h"

#include <algorithm>
#include <array>
#include <vector>

#include "RowDrawing.h"

namespace orvix {

using namespace display;

namespace {

constexpr int kBandRows = 16;
constexpr int kPrefetchColumns = 4;
constexpr uint32_t kBlackArgb = Argb(kBlack);

enum class Pair { None, RedCyan, GreenMagenta };

inline uint32_t Compose(Pair pair, uint8_t first, uint8_t second) {
  return pair == Pair::RedCyan ? Argb(first, second, second) : Argb(second, first, second);
}

}  // namespace

void ComposeAnaglyph(SharedState& s, PictureSurfaces& p, int start, int end,
                     const AnaglyphOptions& options) {
  RowBatch batch(p);
  FillRow("b", p.RowBitmapA);
  ClampRows(start, end);
  const Pair pair = options.redCyan        ? Pair::RedCyan
                    : options.greenMagenta ? Pair::GreenMagenta
                                           : Pair::None;
  std::array<uint32_t, kPictureColumns> marker;
  rows::BitmapToArgb(p.MarkerRowA, marker.data());
  const uint8_t* store = s.ImageStore.data();  // kan1 at byte 0 of a cell, kan2 at byte 1

  auto putRow = [&](const uint32_t* row, int y) {
    rows::PutArgbRow(p, y + 1, row);
    if (y + 1 < kMarkerLimit && y + 2 > end) rows::PutArgbRow(p, y + 3, marker.data());
    rows::CheckLinescan(s, p, y + 1);
    if (y == end) rows::ArgbToBitmap(row, p.RowBitmapA);
  };

  if (!options.rotate90) {
    // The two pictures of a band of source lines, read column by column: plane 0 is kan1,
    // plane 1 kan2, row r of a plane is display row y0 + r.
    constexpr size_t kPlane = size_t(kBandRows) * kPictureColumns;
    std::vector<uint8_t> pictures(2 * kPlane);
    std::array<uint32_t, kPictureColumns> row;
    row.fill(kBlackArgb);
    for (int y0 = start; y0 <= end; y0 += kBandRows) {
      const int n = std::min(kBandRows, end - y0 + 1);
      if (pair != Pair::None) {
        // Lines of the band: y0..y0+n-1, or end-y0 down to end-y0-n+1 flipped.
        const int firstLine = options.flipVertical ? end - y0 - (n - 1) : y0;
        for (int x = 0; x < kPictureColumns; ++x) {
          const uint8_t* cell = store + size_t(x) * kColumnStride + size_t(firstLine) * kCellBytes;
          if (x + kPrefetchColumns < kPictureColumns) {
            const uint8_t* ahead = cell + kPrefetchColumns * kColumnStride;
            for (int o = 0; o < n * kCellBytes; o += 64) __builtin_prefetch(ahead + o);
          }
          for (int i = 0; i < n; ++i, cell += kCellBytes) {
            const int r = options.flipVertical ? n - 1 - i : i;
            pictures[size_t(r) * kPictureColumns + x] = cell[0];
            pictures[kPlane + size_t(r) * kPictureColumns + x] = cell[1];
          }
        }
      }
      for (int r = 0; r < n; ++r) {
        if (pair != Pair::None) {
          const uint8_t* first = pictures.data() + size_t(r) * kPictureColumns;
          const uint8_t* second = first + kPlane;
          if (options.flipHorizontal) {
            for (int x = 0; x < kPictureColumns; ++x)
              row[kPictureColumns - 1 - x] = Compose(pair, first[x], second[x]);
          } else {
            for (int x = 0; x < kPictureColumns; ++x) row[x] = Compose(pair, first[x], second[x]);
          }
        }
        putRow(row.data(), y0 + r);
      }
    }
    return;
  }

  // 90 degrees: a display row is one source column, read along its record.
  constexpr int kLines = kTurnColumn + 1;  // source lines 0..949 land inside the row
  std::array<uint32_t, kPictureColumns> turned;
  turned.fill(kBlackArgb);
  uint32_t* row = turned.data();
  for (int y = start; y <= end; ++y) {
    const int c = kTurnColumn - (options.flipVertical ? end - y : y);  // 150..949
    if (pair != Pair::None) {
      const uint8_t* cell = store + size_t(c) * kColumnStride;
      for (int x = 0; x < kLines; ++x, cell += kCellBytes) {
        const int column = options.flipHorizontal ? kTurnColumn - x : x + kTurnShift;
        row[column] = Compose(pair, cell[0], cell[1]);
      }
    }
    putRow(row, y);
  }
}

AnaglyphOptions AnaglyphChoices(const SharedState& s) {
  AnaglyphOptions o;
  o.greenMagenta = s.Config.Flag(cfg::kAnaglyphGreenMagentaRow) != 0;
  o.redCyan = !o.greenMagenta;
  o.rotate90 = s.Config.Flag(cfg::kAnaglyphRotate90Row) != 0;
  o.flipVertical = s.AnaglyphFlipVertical.load() != 0;
  o.flipHorizontal = s.AnaglyphFlipHorizontal.load() != 0;
  return o;
}

}  // namespace orvix
