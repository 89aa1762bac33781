#pragma once
// Helpers of the picture file tests: files as bytes, 8-bit BMPs of any shape, and a
// file-size limit that makes the disk look full.
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orvix::test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void WriteBytesTo(const std::string& path, const std::vector<uint8_t>& b) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

inline void Put32At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// An 8-bit BMP of width x |height| (negative: top-down) whose pixel (x, y) from the top
// is value(x, y); the pixel data starts at `offset` (at least 1078).
template <typename F>
std::vector<uint8_t> MakeBmp8(int width, int height, F value, uint32_t offset = 1078) {
  const int rows = height < 0 ? -height : height;
  const size_t stride = (size_t(width) + 3) / 4 * 4;
  std::vector<uint8_t> b(offset + stride * size_t(rows), 0xEE);  // padding is not zero
  b[0] = 'B';
  b[1] = 'M';
  std::fill(b.begin() + 2, b.begin() + 54, 0);
  Put32At(b, 2, uint32_t(b.size()));
  Put32At(b, 10, offset);
  Put32At(b, 14, 40);
  Put32At(b, 18, uint32_t(width));
  Put32At(b, 22, uint32_t(height));
  b[26] = 1;
  b[28] = 8;
  for (int i = 0; i < 256; ++i) {
    b[54 + 4 * size_t(i)] = b[55 + 4 * size_t(i)] = b[56 + 4 * size_t(i)] = uint8_t(i);
    b[57 + 4 * size_t(i)] = 0;
  }
  for (int y = 0; y < rows; ++y) {
    const size_t fileRow = height < 0 ? size_t(y) : size_t(rows - 1 - y);
    for (int x = 0; x < width; ++x) b[offset + fileRow * stride + size_t(x)] = value(x, y);
  }
  return b;
}

// While it lives, no file of this process may grow beyond `bytes`: a write past the limit
// fails with EFBIG (SIGXFSZ is ignored), as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit l = old_;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
};

}  // namespace orvix::test
