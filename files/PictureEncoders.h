#pragma once
// The colour picture file (a 24-bit BMP of the visible picture) and the JPEG made from a
// BMP work file. The JPEG is encoded by libjpeg with quality 90, three components and
// baseline coding, set explicitly.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace orvix {

// An uncompressed 24-bit bottom-up BMP of `image`.
std::vector<uint8_t> ColourBmpBytes(const QImage& image);

// The JPEG of `image` (any format; converted to 8-bit RGB); empty when encoding failed.
std::vector<uint8_t> JpegBytes(const QImage& image);

// The BMP file `path` (a work file of the program folder), or a null image when it is not
// a regular file, cannot be read or is no BMP. A FIFO or device there is not waited on.
QImage LoadBmpFile(const std::string& path);

// Reads the BMP `bmpPath` and writes it as JPEG to `jpegPath` through the replacing
// writer. False when the BMP cannot be read or the JPEG not written; the old jpegPath
// stays then.
bool WriteJpegFromBmp(const std::string& jpegPath, const std::string& bmpPath);

}  // namespace orvix
