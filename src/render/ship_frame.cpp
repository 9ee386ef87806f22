// ApplyShipFrame: cruise rocking, the four loops and the barrel roll.
#include "render/ship_frame.h"

#include <cmath>

#include "gl/gl_entries.h"

namespace {

// glRotatef with the angle worked out in double and rounded once.
void Rotate(double degrees, GLfloat x, GLfloat y, GLfloat z) {
  GL.glRotatef(static_cast<GLfloat>(degrees), x, y, z);
}

// Up to 23 degrees either way about the viewing axis, one rock per 2 pi 15 frames.
void RockWhileCruising(int32_t frameCounter) {
  Rotate(23.0 * std::sin(static_cast<double>(frameCounter) / 15.0), 0.0f, 0.0f, 1.0f);
}

// A full turn about an axis parallel to x through a pivot `pivot` units above the ship;
// `sense` is +1 or -1.
void LoopAbout(GLfloat pivot, GLfloat sense, double angle) {
  GL.glTranslatef(0.0f, pivot, 0.0f);
  Rotate(angle, sense, 0.0f, 0.0f);
  GL.glTranslatef(0.0f, -pivot, 0.0f);
}

void Loop(uint8_t variant, double angle) {
  switch (variant) {
    case 0:
      LoopAbout(9.0f, 1.0f, angle);
      break;
    case 1:
      LoopAbout(-9.0f, -1.0f, angle);
      break;
    case 2:  // with three rolls over the loop
      LoopAbout(15.0f, 1.0f, angle);
      Rotate(3.0 * angle, 0.0f, 0.0f, 1.0f);
      break;
    case 3:  // with two rolls the other way
      LoopAbout(-15.0f, -1.0f, angle);
      Rotate(2.0 * angle, 0.0f, 0.0f, -1.0f);
      break;
    default:
      break;
  }
}

}  // namespace

void ApplyShipFrame(const Scene& scene) {
  GL.glTranslatef(static_cast<GLfloat>(scene.ShipX), static_cast<GLfloat>(scene.ShipY),
                  static_cast<GLfloat>(scene.ShipZ));
  switch (scene.FlightMode) {
    case kCruise:
      RockWhileCruising(scene.FrameCounter);
      break;
    case kLoopManoeuvre:
      Loop(scene.ManoeuvreVariant, scene.ManoeuvreAngle);
      break;
    case kRollManoeuvre:
      Rotate(scene.ManoeuvreAngle, 0.0f, 0.0f, 1.0f);
      break;
    default:
      break;
  }
}
