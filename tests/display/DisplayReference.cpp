#include "DisplayReference.h"

#include <algorithm>
#include <cstring>

namespace orvix::test {

void ReferenceDisplay::CopyFrom(const PictureSurfaces& p) {
  for (int r = 0; r < 802; ++r)
    std::memcpy(&img[size_t(r) * 1102], p.Image1.constScanLine(r), 1102 * 4);
  auto take = [](const QImage& b, Row& r) {
    for (int x = 0; x < 1100; ++x) r[x] = b.pixel(x, 0);
  };
  take(p.RowBitmapA, A);
  take(p.RowBitmapB, B);
  take(p.MarkerRowA, MA);
  take(p.MarkerRowB, MB);
}

void ReferenceDisplay::Put(const Row& r, int surfaceRow) {
  if (surfaceRow < 0 || surfaceRow > 801) return;
  for (int x = 0; x < 1100; ++x) At(surfaceRow, x + 1) = r[x];
}

void ReferenceDisplay::Linescan(int surfaceRow) {
  if (s.LinescanOn != 0 && s.LinescanLine == surfaceRow) ++linescanCalls;
}

void ReferenceDisplay::BlitRow(int y, int d) {
  Put(A, y + 1);
  if (y + 1 < 797) Put(MA, y + 1 + d);
  Linescan(y + 1);
}

void ReferenceDisplay::BlitQuadrantRow(int y) {
  Put(A, y);
  Put(B, y + 400);
  Linescan(y);
  Linescan(y + 400);
  if (y < 398) {
    Put(MA, y + 1);
    Put(MB, y + 401);
  }
}

void ReferenceDisplay::Border() {
  const uint32_t f = display::Argb(display::kFuchsia);
  for (int c = 0; c <= 1101; ++c) At(0, c) = At(801, c) = f;
  for (int r = 0; r <= 801; ++r) At(r, 0) = At(r, 1101) = f;
}

void ReferenceDisplay::QuadrantFrame() {
  Fill(MA, 'b');
  Put(MA, 399);
  Put(MA, 800);
  Fill(MA, 'f');
  Put(MA, 400);
  Fill(A, 'b');
  Fill(B, 'b');
  A[550] = B[550] = display::Argb(display::kFuchsia);
  const int l = s.LinescanLine;
  if (s.LinescanOn != 0 && (l == 0 || l == 400 || l == 799)) ++linescanCalls;
}

void ReferenceDisplay::MarkerRows(int mask) {
  const uint32_t lime = display::Argb(display::kLime);
  for (auto [row, bits] : {std::pair<Row*, int>{&MA, mask & 3}, {&MB, (mask >> 2) & 3}}) {
    Fill(*row, 'b');
    for (int x = 1; x <= 549; ++x)
      if (bits == 1 || bits == 3) (*row)[x] = lime;
    for (int x = 551; x <= 1099; ++x)
      if (bits == 2 || bits == 3) (*row)[x] = lime;
    (*row)[550] = display::Argb(display::kFuchsia);
  }
}

void ReferenceDisplay::Clamp(int& start, int& end) {
  if (start < 0) start = 0;
  if (end < 0) end = 0;
  if (end < start) end = start;
  if (start > 799) start = 799;
  if (end > 799) end = 799;
}

void ReferenceDisplay::Single(int code, int k, int start, int end) {
  Clamp(start, end);
  if (code == 0x10) {
    for (int y = start + 1; y <= end; y += 2) {
      const int r = y / 2;
      for (int i = 0; i <= 549; ++i) {
        const int a = P(i, r, k), b = P(i, r + 1, k), c = P(i + 1, r, k), e = P(i + 1, r + 1, k);
        B[2 * i] = Grey(a);
        B[2 * i + 1] = Grey((a + c) / 2);
        A[2 * i] = Grey((a + b) / 2);
        A[2 * i + 1] = Grey((a + b + c + e) / 4);
      }
      Put(B, y);
      Linescan(y);
      BlitRow(y, 1);
    }
    return;
  }
  for (int y = start; y <= end; ++y) {
    for (int x = 0; x < 1100; ++x) {
      if (code == 0x20) {
        A[x] = Grey(P(x, y, k));
      } else {
        A[x] = Grey((P(2 + 2 * x, 2 * y + 1, k) + P(3 + 2 * x, 2 * y + 1, k) +
                     P(2 + 2 * x, 2 * y + 2, k) + P(3 + 2 * x, 2 * y + 2, k)) / 4);
      }
    }
    BlitRow(y, code == 0x20 ? 2 : 3);
  }
}

void ReferenceDisplay::All(int k, int start, int end) {
  start = std::min(start, 400 * k);
  end = std::min(end, 400 * k);
  int n = (end - start) / k;
  start = std::max(start, 1);
  end = std::max(std::max(end, 1), start);
  if (n >= 400) n = 399;
  auto value = [&](int x, int line, int ch) {
    int sum = 0;
    for (int j = 0; j < k; ++j) sum += P(k * x + j, line + j, ch);
    return sum / k;
  };
  auto fillRows = [&](int line) {
    for (int x = 0; x <= 548; ++x) {
      A[x] = Grey(value(x, line, 1));
      A[551 + x] = Grey(value(x, line, 2));
      B[x] = Grey(value(x, line, 3));
      B[551 + x] = Grey(value(x, line, 4));
    }
  };
  if (k == 1) {
    for (int q = start, done = 0; q < 400 && done < n + 1; ++q, ++done) {
      fillRows(q);
      BlitQuadrantRow(q);
    }
    return;
  }
  int q = start / k, done = 0;
  if (q >= 399) return;  // its row would fall on the divider and the bottom border
  do {
    fillRows(start + k * done);
    BlitQuadrantRow(q + 1);
    ++q;
    ++done;
  } while (q < 399 && done < n);
}

void ReferenceDisplay::Anaglyph(int start, int end, const AnaglyphOptions& o) {
  Fill(A, 'b');
  Clamp(start, end);
  auto colour = [&](int p1, int p2) {
    return o.redCyan ? display::Argb(uint8_t(p1), uint8_t(p2), uint8_t(p2))
                     : display::Argb(uint8_t(p2), uint8_t(p1), uint8_t(p2));
  };
  for (int y = start; y <= end; ++y) {
    for (int x = 0; x < 1100; ++x) {
      if (!o.redCyan && !o.greenMagenta) break;
      if (!o.rotate90) {
        const int line = o.flipVertical ? end - y : y;
        A[o.flipHorizontal ? 1099 - x : x] = colour(P(x, line, 1), P(x, line, 2));
      } else {
        const int c = 949 - (o.flipVertical ? end - y : y);
        const int col = o.flipHorizontal ? 949 - x : x + 150;
        if (col >= 0 && col < 1100) A[col] = colour(P(c, x, 1), P(c, x, 2));
      }
    }
    BlitRow(y, 2);
  }
}

void ReferenceDisplay::Refresh(int view, int code, int mask) {
  const int start = s.LastDrawnLine - s.OffsetV;
  int end = s.CurrentLine - s.OffsetV;
  if (end < start) end = s.PrevFrameLines - s.OffsetV;
  auto half = [](int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); };
  if (view == 5) {
    MarkerRows(mask);
    if (code == 0x10) All(1, start - 2, end - 1);
    if (code == 0x20) All(2, start - 3, end - 1);
    if (code == 0x30) All(4, start - 5, end - 1);
  } else if (view >= 1 && view <= 4 && (mask >> (view - 1) & 1)) {
    Fill(MA, 'l');
    if (code == 0x10) Single(code, view, 2 * start - 1, 2 * end);
    if (code == 0x20) Single(code, view, start - 2, end);
    if (code == 0x30) Single(code, view, half(start) - 1, half(end));
  }
  s.LastDrawnLine = s.CurrentLine.load();
}

void ReferenceDisplay::Whole(int view, int code, char letter, int allMask) {
  if (s.AnaglyphOn != 0 && view == 3) {
    Fill(MA, 'w');
    return;  // the anaglyph itself is checked on its own
  }
  if (view == 5) {
    QuadrantFrame();
    MarkerRows(allMask);
    if (code == 0x10) All(1, 0, 399);
    if (code == 0x20) All(2, 0, 799);
    if (code == 0x30) All(4, 0, 1599);
  } else {
    Fill(MA, letter);
    if (code == 0x10 || code == 0x20 || code == 0x30) Single(code, view, 0, 799);
  }
}

}  // namespace orvix::test
