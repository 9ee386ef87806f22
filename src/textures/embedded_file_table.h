// The table of files compiled into the program by cmake/EmbedFiles.cmake; the generated
// source defines EmbeddedImageFiles(). Only the non-Windows image store reads it.
#pragma once

#include <cstddef>
#include <span>

struct EmbeddedFile {
  const char* Name;  // file stem in upper case: "METEOR"
  const unsigned char* Data;
  std::size_t Size;
};

std::span<const EmbeddedFile> EmbeddedImageFiles();
