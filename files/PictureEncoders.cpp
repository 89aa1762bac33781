#include "PictureEncoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "FileTexts.h"
#include "FileWrite.h"

namespace orvix {

namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// libjpeg's default error handler ends the process; this one returns to the encoder.
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};
[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Plain C state only between setjmp and longjmp: no object with a destructor lives here.
bool EncodeRgb(const uint8_t* rgb, int width, int height, int bytesPerLine,
               unsigned char** out, unsigned long* outSize) {
  jpeg_compress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, outSize);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, JCS_YCbCr);  // three components, also for grey pictures
  jpeg_set_quality(&cinfo, files::kJpegQuality, TRUE);
  cinfo.progressive_mode = FALSE;  // baseline sequential
  cinfo.optimize_coding = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * size_t(bytesPerLine));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::vector<uint8_t> ColourBmpBytes(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int w = rgb.width();
  const int h = rgb.height();
  const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
  const size_t dataSize = stride * size_t(h);
  std::vector<uint8_t> out(54 + dataSize, 0);
  uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, uint32_t(out.size()));
  Put32(p + 10, 54);
  Put32(p + 14, 40);
  Put32(p + 18, uint32_t(w));
  Put32(p + 22, uint32_t(h));
  Put16(p + 26, 1);
  Put16(p + 28, 24);
  Put32(p + 34, uint32_t(dataSize));
  Put32(p + 38, uint32_t(rgb.dotsPerMeterX() > 0 ? rgb.dotsPerMeterX() : 0));
  Put32(p + 42, uint32_t(rgb.dotsPerMeterY() > 0 ? rgb.dotsPerMeterY() : 0));
  for (int y = 0; y < h; ++y) {
    const uchar* src = rgb.constScanLine(y);
    uint8_t* dst = p + 54 + size_t(h - 1 - y) * stride;
    for (int x = 0; x < w; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  return out;
}

std::vector<uint8_t> JpegBytes(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  const bool ok =
      EncodeRgb(rgb.constBits(), rgb.width(), rgb.height(), int(rgb.bytesPerLine()), &buf, &size);
  std::vector<uint8_t> out;
  if (ok && buf) out.assign(buf, buf + size);
  std::free(buf);
  return out;
}

QImage LoadBmpFile(const std::string& path) {
  std::string bytes;
  int error = 0;
  if (!ReadRegularFile(path, bytes, error)) return {};
  return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "BMP");
}

bool WriteJpegFromBmp(const std::string& jpegPath, const std::string& bmpPath) {
  const QImage picture = LoadBmpFile(bmpPath);
  if (picture.isNull()) return false;
  const std::vector<uint8_t> jpeg = JpegBytes(picture);
  if (jpeg.empty()) return false;
  MakeWritable(jpegPath);
  return WriteFileReplacing(jpegPath, jpeg.data(), jpeg.size()).ok;
}

}  // namespace orvix
