// libFuzzer target for the TGA reader: any byte string must either decode into a buffer
// of exactly width x height pixels or be refused with one message and no pixels kept.
// Built and run by scripts/fuzz.sh.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gl/gl_constants.h"
#include "textures/tga_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TgaImage image;
  int messages = 0;
  const MessageSink count = [&messages](std::string_view text, std::string_view title) {
    if (text.empty() || title.empty()) std::abort();
    ++messages;
  };
  const bool ok = ReadTgaBytes(image, std::span<const uint8_t>(data, size), count);
  if (ok) {
    const bool rgb = image.BitsPerPixel == 24 && image.Format == GL_RGB;
    const bool rgba = image.BitsPerPixel == 32 && image.Format == GL_RGBA;
    const size_t expected = size_t{image.Width} * image.Height * image.BitsPerPixel / 8;
    if (messages != 0 || !(rgb || rgba) || image.Pixels.size() != expected || expected == 0)
      std::abort();
  } else if (messages != 1 || !image.Pixels.empty()) {
    std::abort();
  }
  return 0;
}
