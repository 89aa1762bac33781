#include "ViewBuilders.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "Lines.h"
#include "Anaglyph.h"
#include "RowDrawing.h"

namespace orvix {

using namespace display;

namespace {

// Display rows computed per pass over the store's columns: enough consecutive lines of a
// column record per pass to use whole cache lines, few enough for the band to stay in cache.
constexpr int kBandRows = 64;
// Line arithmetic is done on values first saturated to this range, so no counter or
// offset can overflow it.
constexpr int64_t kLineRange = 1 << 24;

// Columns ahead whose cells are fetched while the current column is read: the cells of a
// column record lie 8070 bytes from the next column's, too far apart for the hardware to
// guess, so the builders ask for them before they need them.
constexpr int kPrefetchColumns = 4;

inline void PrefetchSpan(const uint8_t* from, size_t bytes) {
  for (size_t o = 0; o < bytes; o += 64) __builtin_prefetch(from + o);
  __builtin_prefetch(from + bytes - 1);
}

int Saturate(int64_t v) { return int(std::clamp<int64_t>(v, -kLineRange, kLineRange)); }

int FloorHalf(int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

using ArgbRow = std::array<uint32_t, kPictureColumns>;

// Puts grey display row y on surface row y + 1, then its marker d rows below unless a later
// row of this run (the last is yLast) covers that row, then the linescan check.
void EmitSingleRow(SharedState& s, PictureSurfaces& p, const uint8_t* grey, int y, int d,
                   int yLast, const ArgbRow& marker) {
  const int row = y + 1;
  rows::PutGreyRow(p, row, grey);
  if (row < kMarkerLimit && y + d > yLast) rows::PutArgbRow(p, row + d, marker.data());
  rows::CheckLinescan(s, p, row);
}

// Builders of 0x20 and 0x30: `sample` fills band row r (display row y0 + r) for n rows.
template <typename Sample>
void BuildSingleBands(SharedState& s, PictureSurfaces& p, int start, int end, int d,
                      Sample sample) {
  ClampRows(start, end);
  RowBatch batch(p);
  ArgbRow marker;
  rows::BitmapToArgb(p.MarkerRowA, marker.data());
  std::vector<uint8_t> band(size_t(kBandRows) * kPictureColumns);
  for (int y0 = start; y0 <= end; y0 += kBandRows) {
    const int n = std::min(kBandRows, end - y0 + 1);
    sample(band.data(), y0, n);
    for (int r = 0; r < n; ++r)
      EmitSingleRow(s, p, band.data() + size_t(r) * kPictureColumns, y0 + r, d, end, marker);
    if (y0 + n > end)
      rows::GreyToBitmap(band.data() + size_t(n - 1) * kPictureColumns, p.RowBitmapA);
  }
}

bool ValidChannel(int k) { return k >= 1 && k <= 4; }

}  // namespace

int DisplayCode(uint8_t workMode) {
  const Lines lines = LinesOf(workMode);
  return lines == Lines::L1600b ? kCode1600 : LinesCode(workMode);
}

void BuildSingle20(SharedState& s, PictureSurfaces& p, int k, int start, int end) {
  if (!ValidChannel(k)) return;
  const uint8_t* plane = s.ImageStore.data() + (k - 1);
  // P(x, y): columns 0..1099, lines 0..799.
  BuildSingleBands(s, p, start, end, 2, [&](uint8_t* band, int y0, int n) {
    const size_t span = size_t(n) * kCellBytes;
    for (int x = 0; x < kPictureColumns; ++x) {
      const uint8_t* cell = plane + size_t(x) * kColumnStride + size_t(y0) * kCellBytes;
      if (x + kPrefetchColumns < kPictureColumns)
        PrefetchSpan(cell + kPrefetchColumns * kColumnStride, span);
      uint8_t* out = band + x;
      for (int r = 0; r < n; ++r) out[size_t(r) * kPictureColumns] = cell[r * kCellBytes];
    }
  });
}

void BuildSingle30(SharedState& s, PictureSurfaces& p, int k, int start, int end) {
  if (!ValidChannel(k)) return;
  const uint8_t* plane = s.ImageStore.data() + (k - 1);
  // Mean of P(2+2x, 2y+1), P(3+2x, 2y+1), P(2+2x, 2y+2), P(3+2x, 2y+2): columns 2..2201,
  // lines 1..1600.
  BuildSingleBands(s, p, start, end, 3, [&](uint8_t* band, int y0, int n) {
    const size_t span = size_t(2 * n) * kCellBytes;
    for (int x = 0; x < kPictureColumns; ++x) {
      const uint8_t* left =
          plane + size_t(2 + 2 * x) * kColumnStride + size_t(2 * y0 + 1) * kCellBytes;
      const uint8_t* right = left + kColumnStride;
      if (x + kPrefetchColumns / 2 < kPictureColumns) {
        PrefetchSpan(left + kPrefetchColumns * kColumnStride, span);
        PrefetchSpan(right + kPrefetchColumns * kColumnStride, span);
      }
      uint8_t* out = band + x;
      for (int r = 0; r < n; ++r) {
        const int o = 2 * r * kCellBytes;
        const unsigned sum = left[o] + right[o] + left[o + kCellBytes] + right[o + kCellBytes];
        out[size_t(r) * kPictureColumns] = uint8_t(sum / 4);
      }
    }
  });
}

void BuildSingle10(SharedState& s, PictureSurfaces& p, int k, int start, int end) {
  if (!ValidChannel(k)) return;
  ClampRows(start, end);
  // Row pairs at y = start + 1, start + 3, ... while y <= end; pair i shows source line
  // r = y / 2 (and r + 1 below it), so consecutive pairs take consecutive lines.
  const int yFirst = start + 1;
  if (yFirst > end) return;
  const int pairs = (end - yFirst) / 2 + 1;
  const int yLast = yFirst + 2 * (pairs - 1);
  const int r0 = yFirst / 2;
  constexpr int kSrc = kPictureColumns / 2 + 1;  // source columns 0..550
  const uint8_t* plane = s.ImageStore.data() + (k - 1);

  RowBatch batch(p);
  ArgbRow marker;
  rows::BitmapToArgb(p.MarkerRowA, marker.data());
  std::vector<uint8_t> src(size_t(kBandRows + 1) * kSrc);
  std::array<uint8_t, kPictureColumns> upper{}, lower{};
  for (int i0 = 0; i0 < pairs; i0 += kBandRows) {
    const int n = std::min(kBandRows, pairs - i0);
    // Source lines r0 + i0 .. r0 + i0 + n (at most line 400).
    for (int c = 0; c < kSrc; ++c) {
      const uint8_t* cell = plane + size_t(c) * kColumnStride + size_t(r0 + i0) * kCellBytes;
      if (c + kPrefetchColumns < kSrc)
        PrefetchSpan(cell + kPrefetchColumns * kColumnStride, size_t(n + 1) * kCellBytes);
      for (int r = 0; r <= n; ++r) src[size_t(r) * kSrc + c] = cell[r * kCellBytes];
    }
    for (int i = 0; i < n; ++i) {
      const uint8_t* a = src.data() + size_t(i) * kSrc;  // line r
      const uint8_t* b = a + kSrc;                        // line r + 1
      for (int c = 0; c < kSrc - 1; ++c) {
        upper[2 * c] = a[c];
        upper[2 * c + 1] = uint8_t((a[c] + a[c + 1]) / 2);
        lower[2 * c] = uint8_t((a[c] + b[c]) / 2);
        lower[2 * c + 1] = uint8_t((a[c] + b[c] + a[c + 1] + b[c + 1]) / 4);
      }
      const int y = yFirst + 2 * (i0 + i);
      // RowBitmapB at surface row y, then RowBitmapA as BlitRow(y, 1).
      rows::PutGreyRow(p, y, upper.data());
      rows::CheckLinescan(s, p, y);
      rows::PutGreyRow(p, y + 1, lower.data());
      if (y + 1 < kMarkerLimit && y == yLast) rows::PutArgbRow(p, y + 2, marker.data());
      rows::CheckLinescan(s, p, y + 1);
    }
  }
  rows::GreyToBitmap(upper.data(), p.RowBitmapB);
  rows::GreyToBitmap(lower.data(), p.RowBitmapA);
}

void BuildSingle(SharedState& s, PictureSurfaces& p, int code, int k, int start, int end) {
  switch (code) {
    case kCode400: BuildSingle10(s, p, k, start, end); break;
    case kCode800: BuildSingle20(s, p, k, start, end); break;
    case kCode1600: BuildSingle30(s, p, k, start, end); break;
    default: break;
  }
}

namespace {

// Quadrant rows computed per pass; the four channel planes of a band stay in L1.
constexpr int kQuadrantBand = 16;

// Means of kan1..kan4 for `n` quadrant rows from source line s0 (row i starts at line
// s0 + K*i): plane ch, row i, column x at means[(ch * kQuadrantBand + i) * 549 + x].
template <int K>
void QuadrantMeans(const uint8_t* store, int s0, int n, uint8_t* means) {
  constexpr int kShift = K == 1 ? 0 : (K == 2 ? 1 : 2);
  constexpr size_t kPlane = size_t(kQuadrantBand) * kQuadrantColumns;
  const size_t span = size_t(K * n + K) * kCellBytes;
  for (int x = 0; x < kQuadrantColumns; ++x) {
    const uint8_t* cells[K];
    for (int j = 0; j < K; ++j) {
      cells[j] = store + size_t(K * x + j) * kColumnStride + size_t(s0 + j) * kCellBytes;
      if (x + kPrefetchColumns / K < kQuadrantColumns)
        PrefetchSpan(cells[j] + kPrefetchColumns * kColumnStride, span);
    }
    for (int i = 0; i < n; ++i) {
      const size_t o = size_t(i) * K * kCellBytes;
      for (int ch = 0; ch < 4; ++ch) {
        unsigned sum = 0;
        for (int j = 0; j < K; ++j) sum += cells[j][o + ch];
        means[ch * kPlane + size_t(i) * kQuadrantColumns + x] = uint8_t(sum >> kShift);
      }
    }
  }
}

}  // namespace

void BuildAllRows(SharedState& s, PictureSurfaces& p, int k, int start, int end) {
  if (k != 1 && k != 2 && k != 4) return;
  const int limit = kQuadrantRows * k;
  start = std::min(start, limit);
  end = std::min(end, limit);
  int count = int((int64_t(end) - start) / k);
  ClampQuadrantRows(start, end, count);
  const int q0 = k == 1 ? start : start / k;
  // k = 1: rows while q < 400, count + 1 of them; otherwise at least one row, then while
  // q < 399 and fewer than count are done. A start at the last lines of the frame (q from
  // 399 on, when a RECORD frame runs past its picture) draws nothing: its one row would land
  // on the divider row 400 and the bottom border 801, or on row 401 of the kan3 quadrant.
  int rowsToDraw = 0;
  if (k == 1)
    rowsToDraw = std::clamp(std::min(kQuadrantRows - q0, count + 1), 0, kQuadrantRows);
  else if (q0 < kQuadrantRowLimit)
    rowsToDraw = std::max(1, std::min(kQuadrantRowLimit - q0, count));
  if (rowsToDraw <= 0) return;
  // Row i averages P(kx + j, start + k*i + j) over j < k. Its last line stays inside the
  // store: start + k*rowsToDraw - 1 <= 1599 for any arguments.
  if (start + int64_t(k) * rowsToDraw - 1 >= kStoreRows) return;

  RowBatch batch(p);
  ArgbRow markerA, markerB, rowA, rowB;
  rows::BitmapToArgb(p.MarkerRowA, markerA.data());
  rows::BitmapToArgb(p.MarkerRowB, markerB.data());
  // The divider columns 549 and 550 keep what the row bitmaps hold.
  rows::BitmapToArgb(p.RowBitmapA, rowA.data());
  rows::BitmapToArgb(p.RowBitmapB, rowB.data());

  const uint8_t* store = s.ImageStore.data();
  constexpr size_t kPlane = size_t(kQuadrantBand) * kQuadrantColumns;
  std::vector<uint8_t> means(4 * kPlane);
  for (int i0 = 0; i0 < rowsToDraw; i0 += kQuadrantBand) {
    const int n = std::min(kQuadrantBand, rowsToDraw - i0);
    const int s0 = start + k * i0;
    if (k == 1) QuadrantMeans<1>(store, s0, n, means.data());
    if (k == 2) QuadrantMeans<2>(store, s0, n, means.data());
    if (k == 4) QuadrantMeans<4>(store, s0, n, means.data());
    for (int i = 0; i < n; ++i) {
      const uint8_t* m = means.data() + size_t(i) * kQuadrantColumns;
      for (int x = 0; x < kQuadrantColumns; ++x) {
        rowA[x] = GreyArgb(m[x]);
        rowA[kRightQuadrantColumn + x] = GreyArgb(m[kPlane + x]);
        rowB[x] = GreyArgb(m[2 * kPlane + x]);
        rowB[kRightQuadrantColumn + x] = GreyArgb(m[3 * kPlane + x]);
      }
      const int done = i0 + i;
      const int y = (k == 1 ? q0 : q0 + 1) + done;
      rows::PutArgbRow(p, y, rowA.data());
      rows::PutArgbRow(p, y + kQuadrantRows, rowB.data());
      rows::CheckLinescan(s, p, y);
      rows::CheckLinescan(s, p, y + kQuadrantRows);
      if (y < kQuadrantMarkerLimit && done == rowsToDraw - 1) {
        rows::PutArgbRow(p, y + 1, markerA.data());
        rows::PutArgbRow(p, y + kQuadrantRows + 1, markerB.data());
      }
    }
  }
  rows::ArgbToBitmap(rowA.data(), p.RowBitmapA);
  rows::ArgbToBitmap(rowB.data(), p.RowBitmapB);
}

void BuildAll(SharedState& s, PictureSurfaces& p, int code, int start, int end) {
  switch (code) {
    case kCode400: BuildAllRows(s, p, 1, start, end); break;
    case kCode800: BuildAllRows(s, p, 2, start, end); break;
    case kCode1600: BuildAllRows(s, p, 4, start, end); break;
    default: break;
  }
}

void RefreshNewLines(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                     uint8_t mask) {
  const int64_t offsetV = s.OffsetV.load();
  const int32_t current = s.CurrentLine.load();
  const int start = Saturate(int64_t(s.LastDrawnLine.load()) - offsetV);
  int end = Saturate(int64_t(current) - offsetV);
  if (end < start) end = Saturate(int64_t(s.PrevFrameLines.load()) - offsetV);
  const int code = DisplayCode(workMode);

  RowBatch batch(p);
  if (view == kAllView) {
    SetMarkerRows(p, mask);
    switch (code) {
      case kCode400: BuildAllRows(s, p, 1, start - 2, end - 1); break;
      case kCode800: BuildAllRows(s, p, 2, start - 3, end - 1); break;
      case kCode1600: BuildAllRows(s, p, 4, start - 5, end - 1); break;
      default: break;
    }
  } else if (view >= 1 && view <= 4 && (mask >> (view - 1) & 1) != 0) {
    FillRow("l", p.MarkerRowA);
    switch (code) {
      case kCode400: BuildSingle10(s, p, view, 2 * start - 1, 2 * end); break;
      case kCode800: BuildSingle20(s, p, view, start - 2, end); break;
      // Signed halving: a start above the frame's first line (OffsetV larger than
      // LastDrawnLine) gives a negative row, which ClampRows raises to row 0.
      case kCode1600: BuildSingle30(s, p, view, FloorHalf(start) - 1, FloorHalf(end)); break;
      default: break;
    }
  }
  s.LastDrawnLine = current;
}

std::string ViewCaption(const SharedState& s) {
  const unsigned v = s.ViewMode.load();
  return v < s.ViewCaptions.size() ? s.ViewCaptions[v] : std::string();
}

namespace {

void PublishCaption(PictureSurfaces& p, const std::string& caption) {
  if (p.captionChanged) p.captionChanged(caption);
}

// The common part of both full redraws, after the border.
void DrawWholeView(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                   const std::string& letter, uint8_t allMask) {
  const int code = DisplayCode(workMode);
  if (s.AnaglyphOn.load() != 0 && view == 3) {
    FillRow("w", p.MarkerRowA);
    ComposeAnaglyph(s, p, 0, kLastDisplayRow, p.Anaglyph);
    PublishCaption(p, kAnaglyphCaption);
  } else {
    if (view == kAllView) {
      DrawQuadrantFrame(s, p);
      SetMarkerRows(p, allMask);
      const int last = code == kCode400 ? 399 : code == kCode800 ? 799 : 1599;
      BuildAll(s, p, code, 0, last);
    } else if (view >= 1 && view <= 4) {
      FillRow(letter, p.MarkerRowA);
      BuildSingle(s, p, code, view, 0, kLastDisplayRow);
    }
    PublishCaption(p, ViewCaption(s));
  }
  s.PictureAnnotated = 0;
}

}  // namespace

void RedrawPicture(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                   const std::string& letter) {
  RowBatch batch(p);
  DrawPictureBorder(p);
  DrawWholeView(s, p, view, workMode, letter, 0);
}

void RedrawPictureMarked(SharedState& s, PictureSurfaces& p, int view, uint8_t workMode,
                         uint8_t mask) {
  RowBatch batch(p);
  const bool single = view >= 1 && view <= 4;
  if (single && (mask >> (view - 1) & 1) == 0 && s.AnaglyphOn.load() == 0) {
    PublishCaption(p, ViewCaption(s));
    return;
  }
  DrawWholeView(s, p, view, workMode, "l", mask);
}

}  // namespace orvix
