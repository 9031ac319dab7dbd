// JPEG decoding with libjpeg. libjpeg reports a fatal error by calling its
// error manager's error_exit, which by default ends the process; here it
// jumps back to the decoding function instead (setjmp/longjmp). Between the
// setjmp and any jump only libjpeg's C code and plain data live, so no C++
// destructor is skipped. Warnings (a truncated file, a damaged segment)
// count as failures too.
#include "app/jpeg_image.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace zt {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer is also ours
  std::jmp_buf jump;
};

void ErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(err->jump, 1);
}

// Level -1 is a warning about the data; higher levels are trace messages.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

// The decoding proper. Returns false on any error or warning; image.pixels
// is sized before the first scanline is read.
bool Decode(const uint8_t* data, size_t size, RgbImage& image) {
  jpeg_decompress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width > static_cast<JDIMENSION>(kMaxJpegSide) ||
      info.image_height > static_cast<JDIMENSION>(kMaxJpegSide)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image.pixels[static_cast<size_t>(info.output_scanline) * image.width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  bool sound = err.pub.num_warnings == 0;
  jpeg_destroy_decompress(&info);
  return sound;
}

}  // namespace

uint32_t RgbImage::At(int x, int y) const {
  size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return (uint32_t{pixels[i]} << 16) | (uint32_t{pixels[i + 1]} << 8) | pixels[i + 2];
}

bool DecodeJpeg(const uint8_t* data, size_t size, RgbImage& image) {
  image = RgbImage{};
  // libjpeg treats an empty buffer as a fatal error of its own; a buffer
  // too large for its length type is no logo either.
  bool ok = data && size > 0 && size <= 0x7fffffffu && Decode(data, size, image);
  if (!ok) image = RgbImage{};
  return ok;
}

}  // namespace zt
