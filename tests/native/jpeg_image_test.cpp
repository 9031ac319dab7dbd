// The logo decoder: our own logo decodes with its known colours; damaged,
// truncated or foreign data fails as a whole, without ending the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/jpeg_image.h"

namespace zt::test {
namespace {

std::string LogoBytes() {
#ifdef _WIN32
  std::string path = std::string("Z:") + ZT_LOGO_JPEG;  // the Unix path under Wine
#else
  std::string path = ZT_LOGO_JPEG;
#endif
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Decode(const std::string& bytes, RgbImage& image) {
  return DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image);
}

// Colours of the drawing at known points (scripts/make_logo.sh); JPEG may
// shift each channel a little.
struct Sample {
  int x, y;
  uint32_t rgb;
};
constexpr Sample kLogoSamples[] = {
    {2, 2, 0xffffff}, {12, 60, 0x1e3c8c}, {100, 100, 0x1e3c8c}, {60, 26, 0xc81e1e}, {30, 58, 0xc81e1e},
    {60, 38, 0xffffff},
};

bool Near(uint32_t a, uint32_t b) {
  for (int shift : {16, 8, 0})
    if (std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff)) > 12) return false;
  return true;
}

TEST(JpegImage, OurLogoDecodesWithItsColours) {
  std::string logo = LogoBytes();
  ASSERT_FALSE(logo.empty());
  RgbImage image;
  ASSERT_TRUE(Decode(logo, image));
  EXPECT_EQ(121, image.width);
  EXPECT_EQ(130, image.height);
  ASSERT_EQ(121u * 130u * 3u, image.pixels.size());
  for (const Sample& s : kLogoSamples)
    EXPECT_TRUE(Near(s.rgb, image.At(s.x, s.y))) << s.x << "," << s.y << ": " << std::hex << image.At(s.x, s.y);
}

// The offset of a marker (0xFF, code) in the data.
size_t Marker(const std::string& b, unsigned char code) {
  const char m[2] = {'\xff', static_cast<char>(code)};
  return b.find(std::string(m, 2));
}

struct Damage {
  const char* name;
  std::function<std::string(std::string)> apply;
  bool decodes;
};

const Damage kDamages[] = {
    {"Unchanged", [](std::string b) { return b; }, true},
    {"GarbageAfterTheEnd", [](std::string b) { return b + "trailing bytes"; }, true},
    {"Empty", [](std::string) { return std::string(); }, false},
    {"StartMarkerOnly", [](std::string b) { return b.substr(0, 2); }, false},
    {"HeaderOnly", [](std::string b) { return b.substr(0, Marker(b, 0xda)); }, false},
    {"CutInTheMiddle", [](std::string b) { return b.substr(0, b.size() / 2); }, false},
    {"EndMarkerMissing", [](std::string b) { return b.substr(0, b.size() - 2); }, false},
    {"NotAJpeg",
     [](std::string) {
       const char gif[] = "GIF89a\x01\x00\x01\x00 not a picture";
       return std::string(gif, sizeof gif - 1);
     },
     false},
    {"HuffmanTablesGone",
     [](std::string b) {
       for (size_t at; (at = Marker(b, 0xc4)) != std::string::npos;) b[at + 1] = '\xfe';  // DHT -> comment
       return b;
     },
     false},
    {"ZeroHeight", [](std::string b) { size_t f = Marker(b, 0xc0); b[f + 5] = b[f + 6] = 0; return b; }, false},
    {"HugeSize",
     [](std::string b) {
       size_t f = Marker(b, 0xc0);
       b[f + 5] = b[f + 6] = b[f + 7] = b[f + 8] = '\xff';
       return b;
     },
     false},
};

class JpegDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(JpegDamage, FailsAsAWholeOrDecodesWhole) {
  std::string bytes = GetParam().apply(LogoBytes());
  RgbImage image;
  image.width = 7;  // whatever was there before is not left standing
  bool decoded = Decode(bytes, image);
  EXPECT_EQ(GetParam().decodes, decoded);
  if (decoded) {
    EXPECT_EQ(121, image.width);
    EXPECT_EQ(130, image.height);
  } else {
    EXPECT_EQ(0, image.width);
    EXPECT_EQ(0, image.height);
    EXPECT_TRUE(image.pixels.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Logo, JpegDamage, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& i) { return std::string(i.param.name); });

TEST(JpegImage, NullDataFails) {
  RgbImage image;
  EXPECT_FALSE(DecodeJpeg(nullptr, 10, image));
}

}  // namespace
}  // namespace zt::test
