// Reader for the true-colour TGA images the saver carries: image type 2 (uncompressed)
// and 10 (run-length encoded), 24 or 32 bits per pixel. Pixel data is taken to start
// right after the 18-byte header; anything after the pixels (extension area, footer) is
// never read. Rows are kept in stored order, whatever the descriptor says.
//
// Failures are reported through a MessageSink with the text and title the user sees;
// the caller decides how to show them (a message box in the saver).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/message_sink.h"
#include "gl/gl_types.h"

struct TgaImage {
  std::vector<uint8_t> Pixels;  // Width x Height pixels, R G B (A), rows back to back
  uint32_t BitsPerPixel = 0;    // 24 or 32
  uint32_t Width = 0;
  uint32_t Height = 0;
  GLenum Format = 0;  // GL_RGB for 24 bits, GL_RGBA for 32
};

// A read-only cursor over the bytes of one image file that never reads past the end.
class TgaStream {
 public:
  explicit TgaStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  // Fills all of `out` and moves on, or leaves everything as it was and returns false.
  bool Read(std::span<uint8_t> out);
  size_t Remaining() const { return bytes_.size() - position_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

// Opens the built-in image `name` (any case) and decodes it. On failure the reason has
// been reported and `image` holds no pixels.
bool ReadTga(TgaImage& image, std::string_view name, const MessageSink& report);

// Decodes a whole TGA file held in memory, with the same checks and messages as ReadTga.
bool ReadTgaBytes(TgaImage& image, std::span<const uint8_t> file, const MessageSink& report);

// The two pixel readers, for a stream positioned just after the first 12 header bytes.
bool ReadTgaUncompressed(TgaImage& image, TgaStream& stream, const MessageSink& report);
bool ReadTgaCompressed(TgaImage& image, TgaStream& stream, const MessageSink& report);
