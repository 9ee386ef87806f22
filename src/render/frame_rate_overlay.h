// The frame rate drawn over the picture, as XScreenSaver's GL hacks show theirs with "-fps":
// a meter that turns drawn frames into a figure once a second, a stroke font of line
// segments (OpenGL 1.1 has no text of its own), and the drawing of a line of it in the
// lower left corner with every piece of GL state it touches put back afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FrameRateMeter {
 public:
  // A frame was drawn at `seconds` on a steady clock. Once a second or more has passed since
  // the figure was last set, it becomes the frames per second over that span.
  void FrameDrawn(double seconds);
  // "FPS: 59.8"; "FPS: -" until the first second has passed.
  std::string Text() const;
  double FramesPerSecond() const { return rate_; }

 private:
  bool started_ = false;
  bool measured_ = false;
  double spanStart_ = 0.0;
  int64_t framesInSpan_ = 0;
  double rate_ = 0.0;
};

// One stroke of the font, from (X1, Y1) to (X2, Y2).
struct StrokeSegment {
  float X1, Y1, X2, Y2;
};

// The strokes of `text` with its first glyph's lower left corner at (x, y) and glyphs
// `height` tall (y grows upwards). Digits, '.', ':', '-', 'F', 'P', 'S' and the space are
// drawn; other characters take a glyph's room and draw nothing.
std::vector<StrokeSegment> LayOutStrokeText(std::string_view text, float x, float y, float height);

// Height of the drawn text and its distance from the window's lower left corner, in pixels.
inline constexpr float kFrameRateTextHeight = 16.0f;
inline constexpr float kFrameRateTextMargin = 10.0f;

// Draws `text` in white in the lower left corner of a `width` by `height` window, over
// whatever is there, and leaves the GL state (enables, colour, matrices, matrix mode,
// viewport) as it found it.
void DrawFrameRateText(std::string_view text, int32_t width, int32_t height);
