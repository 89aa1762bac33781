#include "GreyBmp.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Lines.h"
#include "FileErrors.h"
#include "FileTexts.h"
#include "FileWrite.h"

namespace orvix {

namespace {

using namespace files;

// Rows handled together: the cells of one column for 32 consecutive rows lie in 160
// bytes, so a block touches each column's cache lines once instead of once per row.
constexpr int kRowBlock = 32;

// The compression field's run-length codes.
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;

void Put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint32_t Get16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A file's bytes one by one from an offset on, read a block at a time.
class ByteStream {
 public:
  ByteStream(const ReadAt& read, uint64_t offset) : read_(read), next_(offset) {}
  bool Get(uint8_t& b) {
    if (at_ == have_) {
      if (ended_) return false;
      have_ = read_(next_, buf_, sizeof buf_);
      next_ += have_;
      at_ = 0;
      ended_ = have_ < sizeof buf_;
      if (have_ == 0) return false;
    }
    b = buf_[at_++];
    return true;
  }

 private:
  const ReadAt& read_;
  uint64_t next_;
  uint8_t buf_[4096];
  size_t have_ = 0;
  size_t at_ = 0;
  bool ended_ = false;
};

// Run-length pixel data (RLE8 with 8 bits per pixel, RLE4 with 4) of a bottom-up picture
// of `rows` rows, into `out`, which holds the columns and rows the store can take: file
// row r is picture row rows-1-r. Pixels beyond the picture's width or the store are
// dropped; pixels the data skips or never reaches stay 0. The data ends at its end-of-
// picture mark, at the file's end, or when it moves past the last row.
void DecodeRle(const ReadAt& read, uint64_t offset, int bits, int64_t rows, const uint8_t* map,
               GreyPicture& out) {
  ByteStream in(read, offset);
  int64_t x = 0;
  int64_t r = 0;
  auto put = [&](uint8_t index) {
    const int64_t y = rows - 1 - r;
    if (x < out.columns && y < out.rows)
      out.pixels[size_t(y) * size_t(out.columns) + size_t(x)] = map[index];
    ++x;
  };
  // Pixel i of a pair of 4-bit pixels is the high half of the byte first.
  auto pixel = [bits](uint8_t byte, int i) -> uint8_t {
    return bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
  };
  uint8_t a = 0, b = 0;
  while (r < rows && in.Get(a) && in.Get(b)) {
    if (a > 0) {  // a run of `a` pixels
      for (int i = 0; i < a; ++i) put(pixel(b, i));
    } else if (b == 0) {  // end of the row
      x = 0;
      ++r;
    } else if (b == 1) {  // end of the picture
      return;
    } else if (b == 2) {  // move right and up
      uint8_t dx = 0, dy = 0;
      if (!in.Get(dx) || !in.Get(dy)) return;
      x += dx;
      r += dy;
    } else {  // `b` pixels as they are, their bytes padded to an even count
      uint8_t v = 0;
      for (int i = 0; i < b; ++i) {
        if ((bits == 8 || i % 2 == 0) && !in.Get(v)) return;
        put(pixel(v, i));
      }
      const int bytes = bits == 8 ? b : (b + 1) / 2;
      if (bytes % 2 != 0 && !in.Get(v)) return;
    }
  }
}

}  // namespace

GreyGeometry PictureGeometry(uint8_t workMode) {
  GreyGeometry g;
  switch (LinesOf(workMode)) {
    case Lines::L400: g = {550, 400, 5910, 0, 0, "550-400"}; break;
    case Lines::L800: g = {1100, 800, 11820, 0, 0, "1100-800"}; break;
    case Lines::L1600: g = {2200, 1600, 23640, 0, 0, "2200-1600"}; break;
    case Lines::L1600b: g = {2200, 1600, 47280, 0, 0, "2200-1600"}; break;
    default: g = {1100, 1100, 11820, 0, 0, "1100-800"}; break;
  }
  g.stride = (g.width + 3) / 4 * 4;
  g.fileSize = int64_t(g.stride) * g.height + kGreyHeaderBytes;
  return g;
}

std::vector<uint8_t> GreyBmpBytes(const SharedState& s, uint8_t workMode, int ch) {
  const GreyGeometry g = PictureGeometry(workMode);
  std::vector<uint8_t> out(size_t(g.fileSize));
  uint8_t* h = out.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, uint32_t(g.fileSize));
  Put32(h + 10, kGreyHeaderBytes);
  Put32(h + 14, kInfoHeaderBytes);
  Put32(h + 18, uint32_t(g.width));
  Put32(h + 22, uint32_t(g.height));
  Put16(h + 26, 1);
  Put16(h + 28, 8);
  Put32(h + 34, uint32_t(g.stride) * uint32_t(g.height));
  Put32(h + 38, uint32_t(g.pixelsPerMetre));
  Put32(h + 42, uint32_t(g.pixelsPerMetre));
  for (int i = 0; i < 256; ++i) {
    uint8_t* e = h + kFileHeaderBytes + kInfoHeaderBytes + 4 * i;
    e[0] = e[1] = e[2] = uint8_t(i);
    e[3] = 0;
  }
  if (ch < 1 || ch > 4) return out;
  // File row r holds picture row H-1-r.
  const uint8_t* store = s.ImageStore.data();
  uint8_t* pixels = out.data() + kGreyHeaderBytes;
  for (int y0 = 0; y0 < g.height; y0 += kRowBlock) {
    const int y1 = std::min(g.height, y0 + kRowBlock);
    for (int x = 0; x < g.stride; ++x) {
      const uint8_t* cell = store + StoreIndex(x, y0, ch);
      for (int y = y0; y < y1; ++y, cell += kCellBytes)
        pixels[size_t(g.height - 1 - y) * size_t(g.stride) + size_t(x)] = *cell;
    }
  }
  return out;
}

void MarkPictureSaved(SharedState& s, int ch) {
  if (ch < 1 || ch > 4) return;
  const uint8_t bit = uint8_t(1u << (ch - 1));
  s.SavedChannels = uint8_t(s.SavedChannels.load() | bit);
  s.UnsavedChannels = uint8_t(s.UnsavedChannels.load() & ~bit);
}

uint8_t ReadGreyBmp(const ReadAt& read, GreyPicture& out) {
  out = {};
  uint8_t h[54];
  if (read(0, h, sizeof h) != sizeof h) return kKindNotGrey;
  if (h[0] != 'B' || h[1] != 'M') return kKindNotGrey;
  const uint32_t dataOffset = Get32(h + 10);
  const uint32_t infoSize = Get32(h + 14);
  if (infoSize < uint32_t(kInfoHeaderBytes)) return kKindNotGrey;  // not a Windows header
  const int32_t width = int32_t(Get32(h + 18));
  const int32_t height = int32_t(Get32(h + 22));
  const uint32_t bits = Get16(h + 28);
  const uint32_t compression = Get32(h + 30);
  const bool rle = (bits == 8 && compression == kRle8) || (bits == 4 && compression == kRle4);
  if (!rle && (bits != 8 || compression != 0)) return kKindNotGrey;
  if (width <= 0 || height == 0 || height == INT32_MIN) return kKindNotGrey;
  if (rle && height < 0) return kKindNotGrey;  // run-length pictures are bottom-up only

  // The palette follows the information header; a grey one is applied.
  uint8_t map[256];
  for (int i = 0; i < 256; ++i) map[i] = uint8_t(i);
  {
    const uint32_t colours = 1u << bits;
    uint32_t entries = Get32(h + 46);
    if (entries == 0 || entries > colours) entries = colours;
    const uint64_t paletteAt = uint64_t(kFileHeaderBytes) + infoSize;
    if (paletteAt < dataOffset)
      entries = uint32_t(std::min<uint64_t>(entries, (dataOffset - paletteAt) / 4));
    else
      entries = 0;
    uint8_t pal[1024];
    const size_t got = entries ? read(paletteAt, pal, size_t(entries) * 4) : 0;
    entries = uint32_t(got / 4);
    bool grey = entries > 0;
    for (uint32_t i = 0; i < entries && grey; ++i)
      grey = pal[4 * i] == pal[4 * i + 1] && pal[4 * i] == pal[4 * i + 2];
    if (grey)
      for (uint32_t i = 0; i < entries; ++i) map[i] = pal[4 * i];
  }

  const bool topDown = height < 0;
  const int64_t rows = topDown ? -int64_t(height) : int64_t(height);
  const uint64_t stride = (uint64_t(width) + 3) / 4 * 4;
  out.columns = int(std::min<int64_t>(width, kOpenMaxColumn + 1));
  out.rows = int(std::min<int64_t>(rows, kOpenMaxRow + 1));
  out.pixels.assign(size_t(out.columns) * size_t(out.rows), 0);

  if (rle) {
    DecodeRle(read, dataOffset, int(bits), rows, map, out);
    return kKindNothing;
  }
  // Picture row y is file row y (top-down) or rows-1-y (bottom-up).
  std::vector<uint8_t> buf(size_t(out.columns));
  for (int y = 0; y < out.rows; ++y) {
    const uint64_t fileRow = topDown ? uint64_t(y) : uint64_t(rows - 1 - y);
    const size_t got = read(dataOffset + fileRow * stride, buf.data(), buf.size());
    uint8_t* dst = out.pixels.data() + size_t(y) * size_t(out.columns);
    for (size_t x = 0; x < got; ++x) dst[x] = map[buf[x]];
  }
  return kKindNothing;
}

uint8_t ReadGreyBmpFile(const std::string& path, GreyPicture& out, uint16_t& code) {
  out = {};
  // A folder, FIFO or device under the picture's name is refused as a file that cannot be
  // read, without waiting on it.
  int error = 0;
  const int fd = OpenRegularFile(path, error);
  if (fd < 0) {
    code = OpenErrorCode(error);
    return kKindReadError;
  }
  code = 0;
  const ReadAt read = [fd](uint64_t offset, uint8_t* buf, size_t n) -> size_t {
    size_t done = 0;
    while (done < n) {
      const ssize_t r = ::pread(fd, buf + done, n - done, off_t(offset + done));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) break;
      done += size_t(r);
    }
    return done;
  };
  const uint8_t kind = ReadGreyBmp(read, out);
  ::close(fd);
  return kind;
}

void StoreGreyPicture(SharedState& s, int ch, const GreyPicture& p) {
  if (ch < 1 || ch > 4) return;
  uint8_t* store = s.ImageStore.data();
  const int columns = std::min(p.columns, kOpenMaxColumn + 1);
  const int rows = std::min(p.rows, kOpenMaxRow + 1);
  // One pass over the whole plane: every cell gets its picture value, or 0 outside the
  // picture, so the plane is cleared and filled without being walked twice.
  for (int y0 = 0; y0 < kStoreRows; y0 += kRowBlock) {
    const int y1 = std::min(kStoreRows, y0 + kRowBlock);
    const int filled = std::clamp(rows, y0, y1);  // rows y0..filled-1 come from the file
    for (int x = 0; x < kStoreColumns; ++x) {
      uint8_t* cell = store + StoreIndex(x, y0, ch);
      int y = y0;
      if (x < columns)
        for (; y < filled; ++y, cell += kCellBytes)
          *cell = p.pixels[size_t(y) * size_t(p.columns) + size_t(x)];
      for (; y < y1; ++y, cell += kCellBytes) *cell = 0;
    }
  }
}

}  // namespace orvix
