// ViewFrustum: the view's axes as the look-at view builds them, and the five planes that
// bound what the perspective projection shows (the near and far planes and four sides).
#include "render/view_frustum.h"

#include <cmath>
#include <numbers>

namespace {

double Dot(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// Scales v to unit length; false when it has none to speak of.
bool Normalize(double v[3]) {
  const double length = std::sqrt(Dot(v, v));
  if (!(length > 1e-9) || !std::isfinite(length)) return false;
  for (int i = 0; i < 3; ++i) v[i] /= length;
  return true;
}

}  // namespace

ViewFrustum::ViewFrustum(double fieldOfViewY, double aspect, double nearPlane, double farPlane,
                         const LookAtView& view) {
  // The projection GL keeps for these numbers is not a perspective one.
  if (!(fieldOfViewY > 0 && fieldOfViewY < 180 && aspect > 0 && std::isfinite(aspect) &&
        nearPlane > 0 && farPlane > nearPlane)) {
    return;
  }
  forward_[0] = view.CentreX - view.EyeX;
  forward_[1] = view.CentreY - view.EyeY;
  forward_[2] = view.CentreZ - view.EyeZ;
  const double up[3] = {view.UpX, view.UpY, view.UpZ};
  if (!Normalize(forward_)) return;
  Cross(forward_, up, side_);
  // An up direction along the line of sight (or none) leaves the view without a side.
  if (!Normalize(side_) || !std::isfinite(Dot(up, up))) return;
  Cross(side_, forward_, up_);
  eye_[0] = view.EyeX;
  eye_[1] = view.EyeY;
  eye_[2] = view.EyeZ;
  if (!std::isfinite(Dot(eye_, eye_))) return;

  nearPlane_ = nearPlane;
  farPlane_ = farPlane;
  const double tanY = std::tan(fieldOfViewY * std::numbers::pi / 360.0);
  const double tanX = tanY * aspect;
  horizontal_[0] = 1 / std::hypot(1.0, tanX);
  horizontal_[1] = tanX * horizontal_[0];
  vertical_[0] = 1 / std::hypot(1.0, tanY);
  vertical_[1] = tanY * vertical_[0];
  active_ = true;
}

bool ViewFrustum::Excludes(double x, double y, double z, double radius) const {
  if (!active_) return false;
  const double offset[3] = {x - eye_[0], y - eye_[1], z - eye_[2]};
  const double across = Dot(offset, side_);
  const double upwards = Dot(offset, up_);
  const double depth = Dot(offset, forward_);
  const double reach = radius + kMargin;
  // Each test is false for a NaN, which therefore is never left out.
  return depth < nearPlane_ - reach || depth > farPlane_ + reach ||
         std::abs(across) * horizontal_[0] - depth * horizontal_[1] > reach ||
         std::abs(upwards) * vertical_[0] - depth * vertical_[1] > reach;
}
