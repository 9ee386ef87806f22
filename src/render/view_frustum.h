// The part of space that the perspective projection and the look-at view let through,
// used to leave out objects that cannot put a single pixel on the screen. Computed in
// double from the same numbers the projection and view are built from; a margin keeps the
// test on the safe side of the single-precision matrices GL builds from them.
#pragma once

// A look-at view: the eye, the point it looks at and the up direction, in scene units.
struct LookAtView {
  double EyeX, EyeY, EyeZ;
  double CentreX, CentreY, CentreZ;
  double UpX, UpY, UpZ;
};

class ViewFrustum {
 public:
  // Lets everything through: a frustum that cannot be trusted (no view yet, a view with no
  // up direction, a projection GL would refuse) never hides anything.
  ViewFrustum() = default;
  // Vertical field of view in degrees, width / height, near and far plane distances.
  ViewFrustum(double fieldOfViewY, double aspect, double nearPlane, double farPlane,
              const LookAtView& view);

  // The margin beyond a bounding sphere's radius, in scene units.
  static constexpr double kMargin = 1.0;

  // Whether a sphere of `radius` round (x, y, z), in the coordinates of the look-at view,
  // lies wholly outside, margin included. False when the frustum lets everything through.
  bool Excludes(double x, double y, double z, double radius) const;

 private:
  bool active_ = false;
  double side_[3] = {}, up_[3] = {}, forward_[3] = {};  // the view's axes, unit length
  double eye_[3] = {};
  double nearPlane_ = 0, farPlane_ = 0;
  // Unit normals, in eye coordinates, of the four side planes through the eye: x across,
  // z along the line of sight (the planes are x * nx + depth * nz <= 0 inside).
  double horizontal_[2] = {}, vertical_[2] = {};
};
