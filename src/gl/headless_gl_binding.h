// The entry tables bound to OSMesa, for the headless program and the pixel tests, and a
// small off-screen surface to draw into. Only in the native build (orvanta_gl_headless).
#pragma once

#include <cstdint>
#include <vector>

// Points every GL and GLU entry at the function of that name linked into the executable:
// OSMesa's GL and the system GLU (whose own GL calls then land in OSMesa, see
// src/gl/CMakeLists.txt). ChoosePixelFormat stays null; there are no windows here.
// Throws std::runtime_error, binding nothing, when the executable's GL is not OSMesa's.
void BindOsMesaEntries();

// An RGBA off-screen colour buffer with a 24-bit depth buffer and its OSMesa context.
class HeadlessBuffer {
 public:
  // Throws std::runtime_error when OSMesa cannot create the context.
  HeadlessBuffer(int width, int height);
  ~HeadlessBuffer();
  HeadlessBuffer(const HeadlessBuffer&) = delete;
  HeadlessBuffer& operator=(const HeadlessBuffer&) = delete;

  // Makes this surface the current GL target; throws std::runtime_error on failure.
  void MakeCurrent();

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Four bytes per pixel, R G B A, bottom row first (GL's own order).
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
  // The same picture as 8-bit R G B, top row first, as image files store it.
  std::vector<std::uint8_t> RgbTopDown() const;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  void* context_;  // OSMesaContext
};
