// PNG output through libpng's simplified interface, which reports errors as values
// instead of jumping out of the caller.
#include "png_writer.h"

#include <png.h>

#include <cstddef>
#include <fstream>

namespace {

png_image DescribeRgb(int32_t width, int32_t height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  return image;
}

[[noreturn]] void Refuse(const png_image& image) {
  throw PngError(std::string("cannot encode the PNG picture: ") + image.message);
}

}  // namespace

std::vector<uint8_t> EncodePng(int32_t width, int32_t height, std::span<const uint8_t> rgb) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
    throw PngError("cannot encode the PNG picture: its size does not match its pixels");
  }
  png_image image = DescribeRgb(width, height);
  png_alloc_size_t size = 0;
  // The first call only measures.
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    Refuse(image);
  }
  std::vector<uint8_t> encoded(size);
  if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, rgb.data(), 0, nullptr)) {
    Refuse(image);
  }
  encoded.resize(size);
  return encoded;
}

void WritePng(const std::string& path, int32_t width, int32_t height,
              std::span<const uint8_t> rgb) {
  const std::vector<uint8_t> encoded = EncodePng(width, height, rgb);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw PngError("cannot open the picture file '" + path + "' for writing");
  file.write(reinterpret_cast<const char*>(encoded.data()),
             static_cast<std::streamsize>(encoded.size()));
  file.close();
  // A full disk must not pass for a complete picture.
  if (!file) throw PngError("writing the picture to '" + path + "' failed");
}
