// Picture files: the grey BMP save of a 2200 x 1600 picture and the open of the same
// file, each as a ratio to one plain write / read of the same bytes in the same run, and
// the JPEG save of the 1100 x 800 colour picture as a time. Saves and opens run on the
// button press while no acquisition runs; the figures say how long the operator waits.
#include <fcntl.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "FileWrite.h"
#include "GreyBmp.h"
#include "PictureEncoders.h"
#include "RunState.h"

namespace orvix::bench {
namespace {

std::string BenchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp && *tmp ? tmp : "/tmp");
}

std::unique_ptr<SharedState> FilledState() {
  auto s = std::make_unique<SharedState>();
  for (int x = 0; x < kStoreColumns; ++x)
    for (int y = 0; y < kStoreRows; ++y) s->ImageStore[StoreIndex(x, y, 1)] = uint8_t(x + y);
  s->WorkMode = 0x30;
  return s;
}

// One plain write of `size` bytes to a new file, then close.
double PlainWriteSeconds(const std::string& path, const std::vector<uint8_t>& bytes) {
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) std::abort();
    ::fsync(fd);
    ::close(fd);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  ::unlink(path.c_str());
  return best;
}

double PlainReadSeconds(const std::string& path, size_t size) {
  std::vector<uint8_t> buf(size);
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (::read(fd, buf.data(), size) != ssize_t(size)) std::abort();
    ::close(fd);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

void BM_GreyBmpSave2200x1600(benchmark::State& state) {
  auto s = FilledState();
  const std::string path = BenchFolder() + "/orvix_bench_grey.bmp";
  const double sec = BestSeconds(state, [&] {
    const std::vector<uint8_t> bytes = GreyBmpBytes(*s, 0x30, 1);
    if (!WriteFileReplacing(path, bytes.data(), bytes.size()).ok) std::abort();
  });
  const std::vector<uint8_t> bytes = GreyBmpBytes(*s, 0x30, 1);
  const double plain = PlainWriteSeconds(path + ".plain", bytes);
  ::unlink(path.c_str());
  state.counters["ms"] = sec * 1e3;
  state.counters["plain_write_ms"] = plain * 1e3;
  state.counters["x_plain_write"] = sec / plain;
}
BENCHMARK(BM_GreyBmpSave2200x1600)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_GreyBmpOpen2200x1600(benchmark::State& state) {
  auto s = FilledState();
  const std::string path = BenchFolder() + "/orvix_bench_open.bmp";
  const std::vector<uint8_t> bytes = GreyBmpBytes(*s, 0x30, 1);
  if (!WriteFileReplacing(path, bytes.data(), bytes.size()).ok) std::abort();
  auto t = std::make_unique<SharedState>();
  const double sec = BestSeconds(state, [&] {
    GreyPicture p;
    uint16_t code = 0;
    if (ReadGreyBmpFile(path, p, code) != 50) std::abort();
    StoreGreyPicture(*t, 2, p);
  });
  const double plain = PlainReadSeconds(path, bytes.size());
  ::unlink(path.c_str());
  state.counters["ms"] = sec * 1e3;
  state.counters["plain_read_ms"] = plain * 1e3;
  state.counters["x_plain_read"] = sec / plain;
}
BENCHMARK(BM_GreyBmpOpen2200x1600)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_JpegSave1100x800Colour(benchmark::State& state) {
  QImage picture(1100, 800, QImage::Format_RGB32);
  for (int y = 0; y < 800; ++y)
    for (int x = 0; x < 1100; ++x) picture.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
  const std::string work = BenchFolder() + "/orvix_bench_work.bmp";
  const std::string jpeg = BenchFolder() + "/orvix_bench.jpg";
  const double sec = BestSeconds(state, [&] {
    const std::vector<uint8_t> bmp = ColourBmpBytes(picture);
    if (!WriteFileReplacing(work, bmp.data(), bmp.size()).ok) std::abort();
    if (!WriteJpegFromBmp(jpeg, work)) std::abort();
  });
  ::unlink(work.c_str());
  ::unlink(jpeg.c_str());
  state.counters["ms"] = sec * 1e3;
}
BENCHMARK(BM_JpegSave1100x800Colour)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvix::bench
