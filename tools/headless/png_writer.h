// Writing a picture as a PNG file with libpng.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A picture that could not be encoded or written; the message names the file.
class PngError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The PNG encoding of an 8-bit RGB picture, rows top first. Throws PngError when the
// size does not match the pixels or libpng refuses.
std::vector<uint8_t> EncodePng(int32_t width, int32_t height, std::span<const uint8_t> rgb);

// Encodes and writes the picture to `path`, replacing the file. Throws PngError when the
// file cannot be written completely.
void WritePng(const std::string& path, int32_t width, int32_t height, std::span<const uint8_t> rgb);
