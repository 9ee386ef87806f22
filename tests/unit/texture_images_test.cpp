// The three images the program carries: found by name in any case, laid out as the TGA
// files the saver expects, and showing the pictures they are meant to show.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gl/gl_constants.h"
#include "textures/embedded_images.h"
#include "textures/tga_reader.h"
#include "unit/tga_test_support.h"

namespace {

using Bytes = std::span<const uint8_t>;

uint32_t Le16(Bytes b, size_t at) {
  return b[at] | b[at + 1] << 8;
}

Bytes Image(std::string_view name) {
  auto found = FindEmbeddedImage(name);
  EXPECT_TRUE(found.has_value()) << name;
  return found.value_or(Bytes{});
}

TEST(EmbeddedImages, FoundByNameInAnyCase) {
  for (std::string_view name : {"METEOR", "meteor", "mEtEoR", "METAL", "metal"})
    EXPECT_EQ(Image(name).size(), 49196u) << name;
  for (std::string_view name : {"DYM1", "dym1", "Dym1"}) EXPECT_EQ(Image(name).size(), 66075u);
  EXPECT_EQ(Image("meteor").data(), Image("METEOR").data());
  EXPECT_NE(Image("meteor").data(), Image("metal").data());
  using namespace std::string_view_literals;
  for (std::string_view name :
       {""sv, "meteor.tga"sv, "meteo"sv, "meteors"sv, "TGA"sv, "#1"sv, "METEOR\0"sv, " METEOR"sv})
    EXPECT_FALSE(FindEmbeddedImage(name).has_value()) << "'" << name << "'";
}

TEST(EmbeddedImages, HeadersAndFooters) {
  struct Layout {
    const char* Name;
    uint8_t Depth, Descriptor;
    uint32_t ExtensionOffset;
  };
  for (Layout expected : {Layout{"meteor", 24, 0, 0}, Layout{"metal", 24, 0, 0},
                          Layout{"dym1", 32, 8, 18 + 128 * 128 * 4}}) {
    SCOPED_TRACE(expected.Name);
    Bytes file = Image(expected.Name);
    ASSERT_GT(file.size(), 18u + 495 + 26);
    const uint8_t header[18] = {
        0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 128, 0, 128, 0, expected.Depth, expected.Descriptor};
    EXPECT_TRUE(std::equal(header, header + 18, file.begin()));
    Bytes footer = file.last(26);
    EXPECT_EQ(Le16(footer, 0) | Le16(footer, 2) << 16, expected.ExtensionOffset);
    EXPECT_EQ(std::memcmp(footer.data() + 8, "TRUEVISION-XFILE.", 18), 0);
    if (expected.ExtensionOffset) {
      EXPECT_EQ(Le16(file, expected.ExtensionOffset), 495u);
    }
  }
}

// A decoded built-in image, with the few measures the pictures are checked by.
struct Picture {
  TgaImage Image;
  explicit Picture(std::string_view name) {
    tga_test::MessageLog log;
    EXPECT_TRUE(ReadTga(Image, name, log.Sink()));
    if (Image.Width != 128 || Image.Height != 128 || Channels() == 0 ||
        Image.Pixels.size() != 128 * 128 * Channels()) {
      ADD_FAILURE() << name << " is not a 128 x 128 image";
      Image.BitsPerPixel = 32;  // keeps the measures below in bounds
      Image.Pixels.assign(128 * 128 * 4, 0);
    }
  }
  uint32_t Channels() const { return Image.BitsPerPixel / 8; }
  int At(size_t x, size_t y, size_t c) const {
    return Image.Pixels[(y * 128 + x) * Channels() + c];
  }
  double Average(size_t c, size_t x0 = 0, size_t x1 = 128, size_t y0 = 0, size_t y1 = 128) const {
    double sum = 0;
    for (size_t y = y0; y < y1; ++y)
      for (size_t x = x0; x < x1; ++x) sum += At(x, y, c);
    return sum / double((x1 - x0) * (y1 - y0));
  }
  std::pair<int, int> Range(size_t c) const {
    int lo = 255, hi = 0;
    for (size_t i = c; i < Image.Pixels.size(); i += Channels())
      lo = std::min<int>(lo, Image.Pixels[i]), hi = std::max<int>(hi, Image.Pixels[i]);
    return {lo, hi};
  }
  // Largest change between neighbouring pixels: small for a soft, blurred picture.
  int LargestStep(size_t c) const {
    int step = 0;
    for (size_t y = 0; y + 1 < 128; ++y)
      for (size_t x = 0; x + 1 < 128; ++x)
        step = std::max({step, std::abs(At(x, y, c) - At(x + 1, y, c)),
                         std::abs(At(x, y, c) - At(x, y + 1, c))});
    return step;
  }
};

TEST(BuiltInPictures, MeteorIsOchreWithDarkAndPaleBursts) {
  Picture meteor("meteor");
  EXPECT_EQ(meteor.Image.Format, GL_RGB);
  EXPECT_NEAR(meteor.Average(0), 112, 0.5);
  EXPECT_NEAR(meteor.Average(1), 76, 0.5);
  EXPECT_NEAR(meteor.Average(2), 4, 0.5);
  EXPECT_LT(meteor.Range(0).first, 50);
  EXPECT_GT(meteor.Range(0).second, 200);
}

TEST(BuiltInPictures, MetalIsSoftGreyWithALighterBandLeftOfCentre) {
  Picture metal("metal");
  EXPECT_EQ(metal.Image.Format, GL_RGB);
  for (size_t c = 0; c < 3; ++c) {
    EXPECT_NEAR(metal.Average(c), 145, 3);
    EXPECT_GE(metal.Range(c).first, 90);
    EXPECT_LE(metal.Range(c).second, 196);
    EXPECT_LE(metal.LargestStep(c), 6);
  }
  EXPECT_GT(metal.Average(0, 32, 56), metal.Average(0, 64, 128) + 15);
}

TEST(BuiltInPictures, SmokeIsWhiteWithASoftCloudOfAlpha) {
  Picture smoke("dym1");
  EXPECT_EQ(smoke.Image.Format, GL_RGBA);
  for (size_t c = 0; c < 3; ++c) EXPECT_GE(smoke.Range(c).first, 235);
  EXPECT_EQ(smoke.Range(3).second, 255);
  for (size_t i = 0; i < 128; ++i)
    ASSERT_EQ(smoke.At(i, 0, 3) + smoke.At(i, 127, 3) + smoke.At(0, i, 3) + smoke.At(127, i, 3), 0)
        << "edges clear at " << i;
  for (size_t x0 : {0, 112})
    for (size_t y0 : {0, 112}) EXPECT_EQ(smoke.Average(3, x0, x0 + 16, y0, y0 + 16), 0);
  EXPECT_GT(smoke.Average(3, 56, 72, 56, 72), 220) << "nearly opaque in the middle";
  EXPECT_LE(smoke.LargestStep(3), 40) << "a soft edge, not a cut-out";
}

}  // namespace
