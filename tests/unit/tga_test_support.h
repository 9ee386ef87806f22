// Helpers for the TGA tests: small TGA files built in memory, and a sink that keeps what
// the reader reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textures/tga_reader.h"

namespace tga_test {

// An 18-byte header (no ID, no colour map, lower-left origin) followed by `data` as is.
inline std::vector<uint8_t> MakeTga(uint8_t imageType, uint16_t width, uint16_t height,
                                    uint8_t bitsPerPixel, std::vector<uint8_t> data = {}) {
  std::vector<uint8_t> file(18, 0);
  file[2] = imageType;
  file[12] = uint8_t(width), file[13] = uint8_t(width >> 8);
  file[14] = uint8_t(height), file[15] = uint8_t(height >> 8);
  file[16] = bitsPerPixel;
  file[17] = bitsPerPixel == 32 ? 8 : 0;
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

using Message = std::pair<std::string, std::string>;  // text, title

struct MessageLog {
  std::vector<Message> Messages;
  MessageSink Sink() {
    return [this](std::string_view text, std::string_view title) {
      Messages.emplace_back(text, title);
    };
  }
};

}  // namespace tga_test
