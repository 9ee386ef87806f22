// The store of images built into the program: the saver's TGA files, found by name.
// Windows keeps them as resources of type "TGA" in the executable; other platforms
// compile them into the program as byte arrays. Either way the bytes live as long as
// the process.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The bytes of the image called `name` ("meteor" finds METEOR: case does not matter),
// or nothing when the program carries no image of that name.
std::optional<std::span<const uint8_t>> FindEmbeddedImage(std::string_view name);
