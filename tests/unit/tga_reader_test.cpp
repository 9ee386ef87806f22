// Decoding of TGA files: the run-length packets, the byte order of both readers, and every
// way a file is refused, with the text and title the user sees.

#include <gtest/gtest.h>

#include "gl/gl_constants.h"
#include "textures/tga_reader.h"
#include "unit/tga_test_support.h"

namespace {

using tga_test::MakeTga;
using tga_test::Message;
using Bytes = std::vector<uint8_t>;

struct Decoded {
  bool Ok = false;
  TgaImage Image;
  tga_test::MessageLog Log;
};

Decoded Decode(const Bytes& file) {
  Decoded d;
  d.Ok = ReadTgaBytes(d.Image, file, d.Log.Sink());
  return d;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// ---- run-length packets ---------------------------------------------------------------

TEST(TgaPackets, HeaderByteGivesThePixelCount) {
  // Each packet is followed by one marker pixel, which lands in the wrong place (or
  // overflows the image) if the packet covers one pixel too few or too many.
  for (int header : {0, 1, 127, 128, 129, 255}) {
    SCOPED_TRACE(header);
    const int count = header < 128 ? header + 1 : header - 127;
    Bytes data = {uint8_t(header)};
    for (int i = 0; i < (header < 128 ? count : 1); ++i) data.insert(data.end(), {1, 2, 3});
    Decoded d = Decode(MakeTga(10, count + 1, 1, 24, Concat(data, {0, 7, 8, 9})));
    ASSERT_TRUE(d.Ok);
    Bytes expected;
    for (int i = 0; i < count; ++i) expected.insert(expected.end(), {3, 2, 1});
    EXPECT_EQ(d.Image.Pixels, Concat(expected, {9, 8, 7}));
  }
}

TEST(TgaPackets, RunOfTwoFillsATwoByOneImage) {
  Decoded d = Decode(MakeTga(10, 2, 1, 24, {129, 1, 2, 3}));
  ASSERT_TRUE(d.Ok);
  EXPECT_EQ(d.Image.Pixels, (Bytes{3, 2, 1, 3, 2, 1}));
  EXPECT_EQ(d.Image.Format, GL_RGB);
  EXPECT_EQ(d.Image.BitsPerPixel, 24u);
}

TEST(TgaPackets, PacketsCrossRowEndsAndKeepAlpha) {
  // 3 x 2 at 32 bits: a run of 4 covers row 0 and the start of row 1, a raw packet the rest.
  Decoded d = Decode(MakeTga(10, 3, 2, 32, {131, 1, 2, 3, 4, 1, 5, 6, 7, 8, 9, 10, 11, 12}));
  ASSERT_TRUE(d.Ok);
  EXPECT_EQ(d.Image.Pixels,
            (Bytes{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12}));
  EXPECT_EQ(d.Image.Format, GL_RGBA);
}

TEST(TgaPackets, DecodingStopsAtTheLastPixel) {
  // What follows would overflow the image if it were read as a packet.
  Decoded d = Decode(MakeTga(10, 2, 1, 24, {129, 1, 2, 3, 255, 9, 9, 9, 'T', 'R', 'U', 'E'}));
  ASSERT_TRUE(d.Ok);
  EXPECT_TRUE(d.Log.Messages.empty());
  EXPECT_EQ(d.Image.Pixels, (Bytes{3, 2, 1, 3, 2, 1}));
}

// ---- uncompressed pixels --------------------------------------------------------------

TEST(TgaUncompressed, ThirtyTwoBitPixelBecomesRgba) {
  Decoded d = Decode(MakeTga(2, 1, 1, 32, {10, 20, 30, 40}));
  ASSERT_TRUE(d.Ok);
  EXPECT_EQ(d.Image.Pixels, (Bytes{30, 20, 10, 40}));
  EXPECT_EQ(d.Image.Format, GL_RGBA);
  EXPECT_EQ(d.Image.BitsPerPixel, 32u);
}

TEST(TgaUncompressed, RowsKeepStoredOrderWhateverTheOrigin) {
  Bytes file =
      MakeTga(2, 2, 3, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
  file[17] = 0x20;                      // descriptor: top-left origin
  file.resize(file.size() + 26, 0xEE);  // a footer, never read
  Decoded d = Decode(file);
  ASSERT_TRUE(d.Ok);
  EXPECT_EQ(d.Image.Pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));
  EXPECT_EQ(d.Image.Width, 2u);
  EXPECT_EQ(d.Image.Height, 3u);
  EXPECT_EQ(d.Image.Format, GL_RGB);
}

TEST(TgaUncompressed, SizesAreLittleEndian) {
  Decoded d = Decode(MakeTga(2, 300, 258, 24, Bytes(300 * 258 * 3, 0)));
  ASSERT_TRUE(d.Ok);
  EXPECT_EQ(d.Image.Width, 300u);
  EXPECT_EQ(d.Image.Height, 258u);
  EXPECT_EQ(d.Image.Pixels.size(), 300u * 258 * 3);
}

// ---- refusals ---------------------------------------------------------------------------

// Every refusal: false, one message with the exact text and title, and no pixels kept.
void ExpectRefused(const Bytes& file, const Message& expected) {
  TgaImage image;
  image.Pixels.assign(12, 0xAB);  // left over from an earlier use: must not survive
  tga_test::MessageLog log;
  EXPECT_FALSE(ReadTgaBytes(image, file, log.Sink()));
  EXPECT_EQ(log.Messages, std::vector<Message>{expected});
  EXPECT_EQ(image.Pixels.capacity(), 0u) << "the buffer is released";
}

const Message kInvalidInfo{"Invalid texture information", "ERROR"};
const Message kTooMany{"Too many pixels read", "ERROR"};
const Message kEndsEarly{"Image data ends early", "ERROR"};

TEST(TgaRefusals, OtherImageTypesNameTheirType) {
  for (int type : {0, 1, 3, 9, 11, 255})
    ExpectRefused(
        MakeTga(type, 1, 1, 24, {1, 2, 3}),
        {"TGA file be type 2 or type 10\r\nJest=" + std::to_string(type), "Invalid Image"});
}

TEST(TgaRefusals, EmptyImagesAndOtherDepths) {
  for (uint8_t type : {2, 10}) {
    SCOPED_TRACE(int(type));
    ExpectRefused(MakeTga(type, 0, 1, 24, {0, 1, 2, 3}), kInvalidInfo);
    ExpectRefused(MakeTga(type, 1, 0, 24, {0, 1, 2, 3}), kInvalidInfo);
    for (int depth : {8, 16, 31, 33})
      ExpectRefused(MakeTga(type, 1, 1, depth, {0, 1, 2, 3, 4}), kInvalidInfo);
  }
}

TEST(TgaRefusals, RunPastTheLastPixel) {
  ExpectRefused(MakeTga(10, 2, 1, 24, {130, 1, 2, 3}), kTooMany);
  ExpectRefused(MakeTga(10, 2, 1, 24, {0, 1, 2, 3, 255, 1, 2, 3}), kTooMany);
  ExpectRefused(MakeTga(10, 1, 1, 32, {1, 1, 2, 3, 4, 5, 6, 7, 8}), kTooMany);  // raw packet of 2
}

TEST(TgaRefusals, DataEndingEarly) {
  Bytes header = MakeTga(2, 2, 2, 24);
  ExpectRefused({}, kEndsEarly);
  ExpectRefused(Bytes(header.begin(), header.begin() + 11), kEndsEarly);
  ExpectRefused(Bytes(header.begin(), header.begin() + 17), kEndsEarly);
  ExpectRefused(MakeTga(2, 2, 2, 24, Bytes(11, 0)), kEndsEarly);              // one byte short
  ExpectRefused(MakeTga(10, 2, 1, 24), kEndsEarly);                           // no packets
  ExpectRefused(MakeTga(10, 2, 1, 24, {128, 1, 2, 3}), kEndsEarly);           // one packet short
  ExpectRefused(MakeTga(10, 3, 1, 24, {128, 1, 2, 3, 1, 4, 5}), kEndsEarly);  // mid-pixel
  // 65535 x 65535 x 4 bytes would be 17 GB: refused before any buffer is made.
  ExpectRefused(MakeTga(2, 65535, 65535, 32, Bytes(64, 1)), kEndsEarly);
  ExpectRefused(MakeTga(10, 65535, 65535, 32, Bytes(64, 255)), kEndsEarly);
}

TEST(TgaRefusals, ReadTgaReportsAMissingImage) {
  TgaImage image;
  tga_test::MessageLog log;
  EXPECT_FALSE(ReadTga(image, "no-such-image", log.Sink()));
  EXPECT_EQ(log.Messages, (std::vector<Message>{{"Could not open texture file", "ERROR"}}));
}

}  // namespace
