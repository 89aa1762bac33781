#pragma once
// The grey picture file: 8-bit BMP with a linear 256-entry grey palette, pixel data at
// byte 1078, bottom-up rows padded to 4 bytes. Written from one channel of ImageStore at
// the full resolution of the scan, and the only format read back.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "RunState.h"

namespace orvix {

// The grey picture of a lines code (WorkMode AND 0x70).
struct GreyGeometry {
  int width = 0;
  int height = 0;
  int pixelsPerMetre = 0;
  int stride = 0;          // width rounded up to a multiple of 4
  int64_t fileSize = 0;    // stride x height + 1078
  std::string sizeText;    // what the save dialog shows: width "-" height
};
GreyGeometry PictureGeometry(uint8_t workMode);

// The whole grey BMP of channel ch (1..4) for `workMode`. Row y of the file holds the
// store's columns 0..stride-1 of picture row y, so the padding bytes are the store's
// columns width..stride-1. The caller holds StoreLock.
std::vector<uint8_t> GreyBmpBytes(const SharedState& s, uint8_t workMode, int ch);

// Sets SavedChannels bit ch-1 and clears UnsavedChannels bit ch-1; other ch do nothing.
void MarkPictureSaved(SharedState& s, int ch);

// --- Reading -----------------------------------------------------------------------------

// The part of a grey picture file that the store can hold: columns 0..2600 and rows
// 0..1612 at most, row-major, top row first, grey values (a grey palette applied).
struct GreyPicture {
  int columns = 0;
  int rows = 0;
  std::vector<uint8_t> pixels;  // columns x rows
};

// Reads n bytes at offset into buf; returns how many it got (0 at the end or on error).
using ReadAt = std::function<size_t(uint64_t offset, uint8_t* buf, size_t n)>;

// Reads an 8-bit BMP, uncompressed or run-length (RLE8), or a 4-bit run-length one (RLE4).
// Every access stays inside the file and the buffers whatever the header claims: rows are
// taken from the file's pixel-data offset, a negative height (top-down rows) is honoured
// for uncompressed files, rows wider than the store keep only the columns it holds, and a
// file shorter than its header claims gives what it has (the rest stays 0). A palette of
// greys is applied (the station's own ramp maps every value to itself); any other palette
// leaves the bytes as they are. Returns kind 50 when read, 4 when the file is not such a
// picture (too short a header, not "BM", another depth or compression, a top-down
// run-length picture, no width or height).
uint8_t ReadGreyBmp(const ReadAt& read, GreyPicture& out);

// Opens and reads `path`: kind 3 with the open's result code when it cannot be opened,
// else what ReadGreyBmp gives.
uint8_t ReadGreyBmpFile(const std::string& path, GreyPicture& out, uint16_t& code);

// Clears channel ch (1..4) of ImageStore and writes `p` into it at (0, 0). The caller
// holds StoreLock.
void StoreGreyPicture(SharedState& s, int ch, const GreyPicture& p);

}  // namespace orvix
