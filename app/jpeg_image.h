// The info window's logo: a JPEG picture decoded into plain RGB pixels by
// libjpeg. Window-free, so both flavours build and test it; the window
// turns the pixels into a bitmap.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zt {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // rows top to bottom, 3 bytes (R, G, B) per pixel

  // The colour at (x, y) as 0xRRGGBB.
  uint32_t At(int x, int y) const;
};

// Pictures larger than this are refused rather than decoded: the logo is
// small, and a damaged header must not ask for gigabytes.
constexpr int kMaxJpegSide = 4096;

// Decodes a JPEG picture (any colour space libjpeg reads) into RGB. False,
// with the image left empty, when the data is not a whole, sound JPEG
// picture: a corrupt or truncated file fails as a whole instead of giving a
// partly grey picture. libjpeg's errors never end the program.
bool DecodeJpeg(const uint8_t* data, size_t size, RgbImage& image);

}  // namespace zt
