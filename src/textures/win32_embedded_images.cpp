// Image store over the executable's own resources of type "TGA" (res/images.rc).
// Windows matches resource names without regard to case.

#include "textures/embedded_images.h"

#include <windows.h>

#include <string>

std::optional<std::span<const uint8_t>> FindEmbeddedImage(std::string_view name) {
  // A zero inside the name would cut it short, and "#123" would ask for a numbered
  // resource: neither can name one of our images.
  if (name.empty() || name.front() == '#' || name.find('\0') != std::string_view::npos)
    return std::nullopt;
  const std::string terminated(name);
  HRSRC info = FindResourceA(nullptr, terminated.c_str(), "TGA");
  if (info == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(nullptr, info);
  if (loaded == nullptr) return std::nullopt;
  const void* bytes = LockResource(loaded);
  const DWORD size = SizeofResource(nullptr, info);
  if (bytes == nullptr || size == 0) return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), size);
}
