// The frame-rate meter, its stroke font and its drawing.
#include "render/frame_rate_overlay.h"

#include <cstdio>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

// Glyphs are seven-segment figures on a cell one unit wide and two high, plus the dot and
// the colon; the segments are named as on a display: a top, b and c the right side, d the
// bottom, e and f the left side, g the middle.
constexpr StrokeSegment kA{0, 2, 1, 2}, kB{1, 2, 1, 1}, kC{1, 1, 1, 0}, kD{0, 0, 1, 0},
    kE{0, 0, 0, 1}, kF{0, 1, 0, 2}, kG{0, 1, 1, 1};

std::vector<StrokeSegment> Glyph(char c) {
  switch (c) {
    case '0':
      return {kA, kB, kC, kD, kE, kF};
    case '1':
      return {kB, kC};
    case '2':
      return {kA, kB, kG, kE, kD};
    case '3':
      return {kA, kB, kG, kC, kD};
    case '4':
      return {kF, kG, kB, kC};
    case '5':
    case 'S':
      return {kA, kF, kG, kC, kD};
    case '6':
      return {kA, kF, kG, kE, kC, kD};
    case '7':
      return {kA, kB, kC};
    case '8':
      return {kA, kB, kC, kD, kE, kF, kG};
    case '9':
      return {kA, kB, kC, kD, kF, kG};
    case 'F':
      return {kA, kF, kG, kE};
    case 'P':
      return {kA, kB, kG, kE, kF};
    case '-':
      return {kG};
    case '.':
      return {{0.5f, 0, 0.5f, 0.25f}};
    case ':':
      return {{0.5f, 0.4f, 0.5f, 0.65f}, {0.5f, 1.35f, 0.5f, 1.6f}};
    default:
      return {};
  }
}

// From one glyph's left edge to the next one's, in cell widths.
constexpr float kAdvance = 1.6f;

}  // namespace

void FrameRateMeter::FrameDrawn(double seconds) {
  if (!started_) {
    started_ = true;
    spanStart_ = seconds;
    return;  // the first frame opens the span; frames are counted as they end it
  }
  ++framesInSpan_;
  const double span = seconds - spanStart_;
  if (span >= 1.0) {
    rate_ = static_cast<double>(framesInSpan_) / span;
    measured_ = true;
    framesInSpan_ = 0;
    spanStart_ = seconds;
  }
}

std::string FrameRateMeter::Text() const {
  if (!measured_) return "FPS: -";
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %.1f", rate_);
  return text;
}

std::vector<StrokeSegment> LayOutStrokeText(std::string_view text, float x, float y, float height) {
  const float unit = height / 2.0f;
  std::vector<StrokeSegment> strokes;
  float left = x;
  for (const char c : text) {
    for (const StrokeSegment& s : Glyph(c)) {
      strokes.push_back({left + s.X1 * unit, y + s.Y1 * unit, left + s.X2 * unit, y + s.Y2 * unit});
    }
    left += kAdvance * unit;
  }
  return strokes;
}

void DrawFrameRateText(std::string_view text, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  GL.glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
  for (const GLenum cap : {GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_TEXTURE_GEN_S,
                           GL_TEXTURE_GEN_T, GL_BLEND, GL_CULL_FACE}) {
    GL.glDisable(cap);
  }
  GL.glViewport(0, 0, width, height);
  // One unit per pixel, the origin in the lower left corner.
  GL.glMatrixMode(GL_PROJECTION);
  GL.glPushMatrix();
  GL.glLoadIdentity();
  GL.glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glPushMatrix();
  GL.glLoadIdentity();
  GL.glColor3f(1.0f, 1.0f, 1.0f);
  GL.glBegin(GL_LINES);
  for (const StrokeSegment& s :
       LayOutStrokeText(text, kFrameRateTextMargin, kFrameRateTextMargin, kFrameRateTextHeight)) {
    // Half a pixel in, so each stroke covers whole pixels on every rasteriser.
    GL.glVertex3f(s.X1 + 0.5f, s.Y1 + 0.5f, 0.0f);
    GL.glVertex3f(s.X2 + 0.5f, s.Y2 + 0.5f, 0.0f);
  }
  GL.glEnd();
  GL.glPopMatrix();
  GL.glMatrixMode(GL_PROJECTION);
  GL.glPopMatrix();
  GL.glPopAttrib();  // also brings back the matrix mode the frame had
}
