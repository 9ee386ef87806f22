// TGA decoding for the built-in textures. See tga_reader.h for what is understood.

#include "textures/tga_reader.h"

#include <algorithm>
#include <array>
#include <new>
#include <string>

#include "gl/gl_constants.h"
#include "textures/embedded_images.h"

namespace {

constexpr std::string_view kError = "ERROR";
constexpr size_t kHeaderBytes = 12;
constexpr size_t kImageSpecBytes = 6;
constexpr size_t kMaxPacketPixels = 128;

void ReportDataEndsEarly(const MessageSink& report) {
  report("Image data ends early", kError);
}

size_t BytesPerPixel(const TgaImage& image) {
  return image.BitsPerPixel / 8;
}
size_t PixelCount(const TgaImage& image) {
  return size_t{image.Width} * image.Height;
}

// Offsets 12 to 17: width, height, depth, and the descriptor, which is read but not used.
bool ReadImageSpec(TgaImage& image, TgaStream& stream, const MessageSink& report) {
  std::array<uint8_t, kImageSpecBytes> imageInfo;
  if (!stream.Read(imageInfo)) {
    ReportDataEndsEarly(report);
    return false;
  }
  image.Width = imageInfo[1] * 256u + imageInfo[0];
  image.Height = imageInfo[3] * 256u + imageInfo[2];
  image.BitsPerPixel = imageInfo[4];
  if (image.Width == 0 || image.Height == 0 ||
      (image.BitsPerPixel != 24 && image.BitsPerPixel != 32)) {
    report("Invalid texture information", kError);
    return false;
  }
  image.Format = image.BitsPerPixel == 24 ? GL_RGB : GL_RGBA;
  return true;
}

// A header can promise far more pixels than the file holds; such a file is refused
// before a buffer of the promised size is made.
bool CanHold(const TgaStream& stream, size_t neededBytes, const MessageSink& report) {
  if (stream.Remaining() >= neededBytes) return true;
  ReportDataEndsEarly(report);
  return false;
}

bool AllocatePixels(TgaImage& image, const MessageSink& report) {
  try {
    image.Pixels.assign(PixelCount(image) * BytesPerPixel(image), 0);
    return true;
  } catch (const std::bad_alloc&) {
    report("Could not allocate memory for image", kError);
    return false;
  }
}

void Release(std::vector<uint8_t>& buffer) {
  std::vector<uint8_t>().swap(buffer);
}

}  // namespace

bool TgaStream::Read(std::span<uint8_t> out) {
  if (out.size() > Remaining()) return false;
  std::copy_n(bytes_.begin() + position_, out.size(), out.begin());
  position_ += out.size();
  return true;
}

bool ReadTgaUncompressed(TgaImage& image, TgaStream& stream, const MessageSink& report) {
  if (!ReadImageSpec(image, stream, report)) return false;
  const size_t imageSize = PixelCount(image) * BytesPerPixel(image);
  if (!CanHold(stream, imageSize, report) || !AllocatePixels(image, report)) return false;
  stream.Read(image.Pixels);  // cannot fall short: CanHold checked the length
  const size_t step = BytesPerPixel(image);
  for (size_t at = 0; at < imageSize; at += step) std::swap(image.Pixels[at], image.Pixels[at + 2]);
  return true;
}

namespace {

// Reads packets until the image is full. Refuses a pixel beyond width x height before
// anything is written.
bool DecodePackets(TgaImage& image, TgaStream& stream, std::vector<uint8_t>& colour,
                   const MessageSink& report) {
  const size_t pixelCount = PixelCount(image), bytesPerPixel = BytesPerPixel(image);
  size_t currentPixel = 0;
  uint8_t* out = image.Pixels.data();
  // Stores the colour buffer as the next pixel, B G R (A) turned into R G B (A).
  auto store = [&]() {
    if (currentPixel == pixelCount) {
      report("Too many pixels read", kError);
      return false;
    }
    out[0] = colour[2];
    out[1] = colour[1];
    out[2] = colour[0];
    if (bytesPerPixel == 4) out[3] = colour[3];
    out += bytesPerPixel;
    ++currentPixel;
    return true;
  };
  auto readColour = [&]() {
    if (stream.Read(colour)) return true;
    ReportDataEndsEarly(report);
    return false;
  };

  // Packets run across row ends; only the whole image's pixel count matters.
  while (currentPixel < pixelCount) {
    uint8_t header = 0;
    if (!stream.Read({&header, 1})) {
      ReportDataEndsEarly(report);
      return false;
    }
    if (header < 128) {  // raw packet: header + 1 pixels follow
      for (int n = header + 1; n > 0; --n)
        if (!readColour() || !store()) return false;
    } else {  // run packet: one pixel, repeated header - 127 times
      if (!readColour()) return false;
      for (int n = header - 127; n > 0; --n)
        if (!store()) return false;
    }
  }
  return true;
}

}  // namespace

bool ReadTgaCompressed(TgaImage& image, TgaStream& stream, const MessageSink& report) {
  if (!ReadImageSpec(image, stream, report)) return false;
  // Every packet is a header byte and at least one pixel, and covers at most 128 pixels.
  const size_t fewestPackets = (PixelCount(image) + kMaxPacketPixels - 1) / kMaxPacketPixels;
  if (!CanHold(stream, fewestPackets * (1 + BytesPerPixel(image)), report)) return false;
  if (!AllocatePixels(image, report)) return false;

  std::vector<uint8_t> colour;
  try {
    colour.assign(BytesPerPixel(image), 0);
  } catch (const std::bad_alloc&) {
    report("Could not allocate memory for color buffer", kError);
    Release(image.Pixels);
    return false;
  }
  if (DecodePackets(image, stream, colour, report)) return true;
  Release(image.Pixels);  // the colour buffer goes with this scope
  return false;
}

namespace {

bool ReadHeaderAndPixels(TgaImage& image, TgaStream& stream, const MessageSink& report) {
  std::array<uint8_t, kHeaderBytes> header;
  if (!stream.Read(header)) {
    ReportDataEndsEarly(report);
    return false;
  }
  const uint8_t imageType = header[2];
  if (imageType == 2) return ReadTgaUncompressed(image, stream, report);
  if (imageType == 10) return ReadTgaCompressed(image, stream, report);
  report("TGA file be type 2 or type 10\r\nJest=" + std::to_string(imageType), "Invalid Image");
  return false;
}

}  // namespace

bool ReadTgaBytes(TgaImage& image, std::span<const uint8_t> file, const MessageSink& report) {
  TgaStream stream(file);
  if (ReadHeaderAndPixels(image, stream, report)) return true;
  image = TgaImage{};  // no half-decoded picture, and its buffer goes back
  return false;
}

bool ReadTga(TgaImage& image, std::string_view name, const MessageSink& report) {
  const std::optional<std::span<const uint8_t>> file = FindEmbeddedImage(name);
  if (!file) {
    report("Could not open texture file", kError);
    image = TgaImage{};
    return false;
  }
  return ReadTgaBytes(image, *file, report);
}
