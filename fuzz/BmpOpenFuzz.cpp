// A picture opened from disk can be any file: whatever its header claims (size, offset,
// palette, bits, a negative height), the reader must stay inside the file and its own
// buffers, say kind 4 for what it cannot read, and hand StoreGreyPicture a picture whose
// pixels match its columns and rows within the store's bounds. The input is the file.
// Uncompressed pictures with the station's own grey ramp are also checked byte for byte
// against the file: each pixel is the file byte at its place in its row, or 0 past the
// file's end. Run-length pictures (RLE8, RLE4) are held to the bounds alone.
//
// The reader's work grows with the picture the header asks for (up to 2601 x 1613 pixels
// allocated and filled), so a header asking for more than kPixelBudget pixels of the store
// is given fewer rows, sign kept: widths of any size still reach the column bound, and
// narrow pictures the row bound. Nothing else of the file changes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FileTexts.h"
#include "FuzzSupport.h"
#include "GreyBmp.h"

using namespace orvix;

namespace {

uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The station's own palette stands in the file: 256 entries of (i, i, i, 0) right after
// a 40-byte information header, and the pixel rows after it.
bool StationPalette(const uint8_t* data, size_t size) {
  if (size < size_t(files::kGreyHeaderBytes)) return false;
  if (Get32(data + 14) != uint32_t(files::kInfoHeaderBytes)) return false;
  const uint32_t entries = Get32(data + 46);
  if (entries != 0 && entries != 256) return false;
  if (Get32(data + 10) < uint32_t(files::kGreyHeaderBytes)) return false;
  if (Get32(data + 30) != 0) return false;  // run-length
  for (int i = 0; i < 256; ++i) {
    const uint8_t* e = data + 54 + 4 * i;
    if (e[0] != i || e[1] != i || e[2] != i) return false;
  }
  return true;
}

constexpr int64_t kPixelBudget = 1 << 16;

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// The input as the file to read, its height bounded as described above.
const std::vector<uint8_t>& BoundedFile(const uint8_t* input, size_t size) {
  static std::vector<uint8_t> file;
  file.assign(input, input + size);
  if (size < 26) return file;
  const int32_t width = int32_t(Get32(file.data() + 18));
  const int32_t height = int32_t(Get32(file.data() + 22));
  if (width <= 0 || height == 0 || height == INT32_MIN) return file;
  const int64_t columns = std::min<int64_t>(width, files::kOpenMaxColumn + 1);
  const int64_t rows = std::min<int64_t>(height < 0 ? -int64_t(height) : height, files::kOpenMaxRow + 1);
  if (columns * rows <= kPixelBudget) return file;
  const int32_t bounded = int32_t(std::max<int64_t>(1, kPixelBudget / columns));
  Put32(file.data() + 22, uint32_t(height < 0 ? -bounded : bounded));
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  const uint8_t* data = BoundedFile(input, size).data();
  const ReadAt read = [data, size](uint64_t offset, uint8_t* buf, size_t n) -> size_t {
    if (offset >= size) return 0;
    const size_t got = std::min<uint64_t>(n, size - offset);
    std::memcpy(buf, data + offset, got);
    return got;
  };
  GreyPicture p;
  p.columns = 7;  // the reader must not leave anything of a previous picture
  p.pixels.assign(3, 1);
  const uint8_t kind = ReadGreyBmp(read, p);
  ORVIX_FUZZ_CHECK(kind == files::kKindNothing || kind == files::kKindNotGrey);
  if (kind != files::kKindNothing) {
    ORVIX_FUZZ_CHECK(p.columns == 0 && p.rows == 0 && p.pixels.empty());
    return 0;
  }
  // What StoreGreyPicture relies on.
  ORVIX_FUZZ_CHECK(p.columns >= 1 && p.columns <= files::kOpenMaxColumn + 1);
  ORVIX_FUZZ_CHECK(p.rows >= 1 && p.rows <= files::kOpenMaxRow + 1);
  ORVIX_FUZZ_CHECK(p.pixels.size() == size_t(p.columns) * size_t(p.rows));

  if (!StationPalette(data, size)) return 0;
  const int32_t width = int32_t(Get32(data + 18));
  const int32_t height = int32_t(Get32(data + 22));
  const uint64_t offset = Get32(data + 10);
  const uint64_t stride = (uint64_t(width) + 3) / 4 * 4;
  const int64_t rows = height < 0 ? -int64_t(height) : int64_t(height);
  static const uint8_t kZeros[files::kOpenMaxColumn + 1] = {};
  for (int y = 0; y < p.rows; ++y) {
    const uint64_t fileRow = height < 0 ? uint64_t(y) : uint64_t(rows - 1 - y);
    const uint64_t at = offset + fileRow * stride;
    const size_t inFile = at < size ? size_t(std::min<uint64_t>(size - at, uint64_t(p.columns))) : 0;
    const uint8_t* row = p.pixels.data() + size_t(y) * size_t(p.columns);
    ORVIX_FUZZ_CHECK(std::memcmp(row, data + at * (inFile > 0), inFile) == 0);
    ORVIX_FUZZ_CHECK(std::memcmp(row + inFile, kZeros, size_t(p.columns) - inFile) == 0);
  }
  return 0;
}
