// Image store over the byte arrays compiled into the program (see cmake/EmbedFiles.cmake).

#include "textures/embedded_images.h"

#include "textures/embedded_file_table.h"

namespace {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Resource names compare like Windows resource names: ASCII letters without regard to case.
bool SameName(std::string_view stored, std::string_view wanted) {
  if (stored.size() != wanted.size()) return false;
  for (size_t i = 0; i < stored.size(); ++i)
    if (UpperAscii(stored[i]) != UpperAscii(wanted[i])) return false;
  return true;
}

}  // namespace

std::optional<std::span<const uint8_t>> FindEmbeddedImage(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedImageFiles())
    if (SameName(file.Name, name)) return std::span<const uint8_t>(file.Data, file.Size);
  return std::nullopt;
}
