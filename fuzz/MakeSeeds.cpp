// Writes the seed corpora of the fuzz targets with the station's own writers, so that
// every seed is a file or stream the station really makes:
//   <out>/bmp_open/station-<code>.bmp  grey pictures of every lines code (GreyBmpBytes)
//   <out>/config/saved-*.dat           conf300.dat written by SaveConfig
//   <out>/stream/<mode>-<mask>.bin     the first lines of a frame written by WriteFrame,
//                                      behind the control bytes fuzz_stream reads
// Usage: fuzz_make_seeds <out folder>. fuzz/make-seeds.sh runs it and adds the pictures
// of other programs.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ChannelSelection.h"
#include "ConfigFile.h"
#include "FakeSeam.h"
#include "GreyBmp.h"
#include "LineStream.h"
#include "WorkModes.h"

using namespace orvix;
namespace fs = std::filesystem;

namespace {

// Stream seeds carry at most this many stream bytes (fuzz_stream's -max_len is 16384).
constexpr size_t kStreamSeedBytes = 16384 - 16;

bool WriteFile(const fs::path& p, const uint8_t* data, size_t size) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  return bool(f);
}

char Hex(int v) { return "0123456789abcdef"[v & 15]; }
std::string Hex2(uint8_t v) { return {Hex(v >> 4), Hex(v)}; }

// A picture that compresses well and still has every grey level: diagonal bands with a
// block pattern, different in each channel.
void FillStore(SharedState& s) {
  for (int x = 0; x < kStoreColumns; ++x)
    for (int y = 0; y < kStoreRows; ++y)
      for (int k = 1; k <= 4; ++k)
        s.ImageStore[StoreIndex(x, y, k)] =
            uint8_t(((x + y * k) >> 2) ^ (((x >> 6) + (y >> 6)) & 1 ? 0x80 : 0));
}

bool BmpSeeds(const fs::path& dir) {
  auto s = std::make_unique<SharedState>();
  FillStore(*s);
  bool ok = true;
  for (const uint8_t code : {0x10, 0x20, 0x30, 0x40, 0x00}) {
    const std::vector<uint8_t> b = GreyBmpBytes(*s, code, 1 + (code >> 4) % 4);
    ok &= WriteFile(dir / ("station-" + Hex2(code) + ".bmp"), b.data(), b.size());
  }
  return ok;
}

bool ConfigSeeds(const fs::path& dir) {
  auto s = std::make_unique<SharedState>();
  const fs::path tmp = fs::temp_directory_path() / "orvix-seeds-conf";
  fs::create_directories(tmp);
  bool ok = true;
  auto save = [&](const char* name) {
    ok &= SaveConfig(*s, tmp.string()).ok;
    fs::copy_file(tmp / "conf300.dat", dir / name, fs::copy_options::overwrite_existing);
  };
  DefaultConfigTable(*s);
  s->VisualWorkMode = 0x10;
  s->RecordWorkMode = 0x22;
  s->AddWorkMode = 0x20;
  StoreWorkModesInTable(*s);
  save("saved-defaults.dat");
  // Every channel on, mixing, the 1600-line RECORD mode and offsets in all valid modes.
  for (int k = 1; k <= 4; ++k) s->Config.SetChannelOn(k, true);
  s->Config.SetAddChannel(1, false);
  s->Config.SetAddChannel(3, true);
  s->Config.SetMixChannel(2, true);
  for (const int mode : {0x10, 0x11, 0x12, 0x20, 0x21, 0x22, 0x32, 0x33}) {
    s->Config.SetRecOffsetH(mode, int16_t(mode * 3 - 100));
    s->Config.SetRecOffsetV(mode, int16_t(mode % 7 * 5));
  }
  s->VisualWorkMode = 0x21;
  s->RecordWorkMode = 0x33;
  s->AddWorkMode = 0x22;
  StoreWorkModesInTable(*s);
  save("saved-channels.dat");
  fs::remove_all(tmp);
  return ok;
}

// The control bytes of fuzz_stream for a frame written from byte 0 of RawStream.
std::vector<uint8_t> StreamControls(uint8_t mode, uint8_t switches, int offsetH, int offsetV) {
  auto u16 = [](std::vector<uint8_t>& v, int x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
  };
  std::vector<uint8_t> c{mode, switches};
  u16(c, offsetH + 100);  // Range(-100, 1000)
  u16(c, offsetV + 50);   // Range(-50, 200)
  u16(c, 0);              // stream bytes from RawStream byte 0 on
  u16(c, 0);              // published: exactly the bytes given
  u16(c, 4096);           // CollectFrame searches 4 KB past them
  u16(c, 4096);           // CollectAddFrame too
  c.push_back(3);         // ADD frame 1
  c.push_back(0);
  return c;
}

bool StreamSeeds(const fs::path& dir) {
  bool ok = true;
  struct Case {
    uint8_t mode, mask, flags;  // flags: bit 4 test picture, bit 5 anaglyph, bit 7 auto-ident
    int offsetH, offsetV;
  };
  const Case cases[] = {
      {0x10, 0x1, 0x00, 0, 0},   {0x12, 0x3, 0x80, 0, 0},  {0x20, 0x1, 0x00, 0, 0},
      {0x22, 0xF, 0x00, 10, 5},  {0x21, 0x5, 0x20, 0, 0},  {0x32, 0x1, 0x00, 0, 0},
      {0x33, 0x8, 0x00, -100, -50}, {0x40, 0x2, 0x80, 1000, 200}, {0x10, 0x1, 0x10, 0, 0},
      {0x50, 0x3, 0x00, 0, 0},   {0x70, 0xF, 0x80, 0, 0},
  };
  for (const Case& c : cases) {
    auto s = std::make_unique<SharedState>();
    s->WorkMode = c.mode;
    s->ChannelMask = c.mask;
    s->ChannelCount = uint8_t(std::popcount(unsigned(c.mask)));
    s->TestPictureOn = (c.flags >> 4) & 1;
    s->AnaglyphOn = (c.flags >> 5) & 1;
    s->OffsetH = int16_t(c.offsetH);
    s->OffsetV = int16_t(c.offsetV);
    test::FakeSeam seam;
    const int32_t length = StreamLineLength(*s);
    // Lines that fit into the seed, the whole frame where it is that small.
    seam.terminateAfterPolls = std::max(1, int(kStreamSeedBytes / size_t(length)) - 2);
    bool found = true;
    WriteFrame(*s, seam, found);
    const size_t end = std::min(size_t(s->StreamPublished.load()), kStreamSeedBytes);
    std::vector<uint8_t> seed = StreamControls(c.mode, uint8_t(c.mask | c.flags), c.offsetH, c.offsetV);
    seed.insert(seed.end(), s->RawStream.data(), s->RawStream.data() + end);
    const std::string name = Hex2(c.mode) + "-" + Hex2(uint8_t(c.mask | c.flags)) + ".bin";
    ok &= WriteFile(dir / name, seed.data(), seed.size());
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <out folder>\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  for (const char* d : {"bmp_open", "config", "stream"}) fs::create_directories(out / d);
  const bool ok = BmpSeeds(out / "bmp_open") && ConfigSeeds(out / "config") &&
                  StreamSeeds(out / "stream");
  if (!ok) std::fprintf(stderr, "a seed could not be written\n");
  return ok ? 0 : 1;
}
