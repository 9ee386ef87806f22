// The part of space that the perspective projection and the look-at view let through,
// used to leave out objects that cannot put a single pixel on the screen. Computed in
// double from the same numbers the projection and view are built from; a margin keeps the
// test on the safe side of the single-precision matrices GL builds from them.
#pragma once

#include <cstdint>
#include <optional>

// A look-at view: the eye, the point it looks at and the up direction, in scene units.
struct LookAtView {
  double EyeX, EyeY, EyeZ;
  double CentreX, CentreY, CentreZ;
  double UpX, UpY, UpZ;
};

// A rectangle of window pixels as glScissor takes it: from the bottom left corner.
struct WindowBox {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  bool operator==(const WindowBox&) const = default;
};

// A part of a square that faces the viewer, in the square's own units: -1 .. 1 along the
// viewer's right and up axes.
struct SquarePart {
  double Left = -1, Right = 1, Bottom = -1, Top = 1;
};

class ViewFrustum {
 public:
  // Lets everything through: a frustum that cannot be trusted (no view yet, a view with no
  // up direction, a projection GL would refuse) never hides anything.
  ViewFrustum() = default;
  // Vertical field of view in degrees, the window's size in pixels (a height of 0 taken as
  // 1, as the projection takes it), near and far plane distances.
  ViewFrustum(double fieldOfViewY, int32_t width, int32_t height, double nearPlane, double farPlane,
              const LookAtView& view);

  // The margin beyond a bounding sphere's radius, in scene units.
  static constexpr double kMargin = 1.0;
  // The margin round a WindowBox, in pixels.
  static constexpr double kPixelMargin = 2.0;

  // Whether a sphere of `radius` round (x, y, z), in the coordinates of the look-at view,
  // lies wholly outside, margin included. False when the frustum lets everything through.
  bool Excludes(double x, double y, double z, double radius) const;

  // The window pixels whose centres `part` of a square facing the viewer can cover, margin
  // included, clipped to the window (and empty when it lies wholly outside). The square is
  // centred on (x, y, z) and reaches halfSize along the view's right and up axes. Nothing
  // when the frustum lets everything through or a corner of the part lies within a unit
  // of the eye's plane, where the margin could not be trusted.
  std::optional<WindowBox> PixelsOf(double x, double y, double z, double halfSize,
                                    const SquarePart& part) const;

 private:
  bool active_ = false;
  double side_[3] = {}, up_[3] = {}, forward_[3] = {};  // the view's axes, unit length
  double eye_[3] = {};
  double nearPlane_ = 0, farPlane_ = 0;
  double width_ = 0, height_ = 0;
  double tanX_ = 0, tanY_ = 0;  // half the window's width and height at unit depth
  // Unit normals, in eye coordinates, of the four side planes through the eye: x across,
  // z along the line of sight (the planes are x * nx + depth * nz <= 0 inside).
  double horizontal_[2] = {}, vertical_[2] = {};
};
