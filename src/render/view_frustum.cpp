// ViewFrustum: the view's axes as the look-at view builds them, and the five planes that
// bound what the perspective projection shows (the near and far planes and four sides).
#include "render/view_frustum.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

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

// The whole pixels from the one before `from` to the one after `to`, each a margin further
// out, clipped to [0, size]: as an offset and a count, the count 0 when none is left.
std::pair<int32_t, int32_t> PixelSpan(double from, double to, double size) {
  const double first = std::clamp(std::floor(from - ViewFrustum::kPixelMargin), 0.0, size);
  const double end = std::clamp(std::ceil(to + ViewFrustum::kPixelMargin), first, size);
  return {static_cast<int32_t>(first), static_cast<int32_t>(end - first)};
}

}  // namespace

ViewFrustum::ViewFrustum(double fieldOfViewY, int32_t width, int32_t height, double nearPlane,
                         double farPlane, const LookAtView& view) {
  if (height == 0) height = 1;
  const double aspect = static_cast<double>(width) / static_cast<double>(height);
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
  width_ = width;
  height_ = height;
  tanX_ = tanX;
  tanY_ = tanY;
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

// A perspective projection maps the square's part, a flat convex quadrilateral in front of
// the eye, to the quadrilateral of its projected corners: their extremes bound it.
std::optional<WindowBox> ViewFrustum::PixelsOf(double x, double y, double z, double halfSize,
                                               const SquarePart& part) const {
  if (!active_) return std::nullopt;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double centre[3] = {x, y, z};
  double left = kInfinity, right = -kInfinity, bottom = kInfinity, top = -kInfinity;
  for (const double along : {part.Left, part.Right}) {
    for (const double upwards : {part.Bottom, part.Top}) {
      double corner[3];
      for (int i = 0; i < 3; ++i) {
        corner[i] = centre[i] + halfSize * (along * side_[i] + upwards * up_[i]) - eye_[i];
      }
      const double depth = Dot(corner, forward_);
      if (!(depth >= kMargin)) return std::nullopt;  // a NaN too
      const double windowX = (Dot(corner, side_) / (depth * tanX_) + 1) * width_ / 2;
      const double windowY = (Dot(corner, up_) / (depth * tanY_) + 1) * height_ / 2;
      left = std::min(left, windowX);
      right = std::max(right, windowX);
      bottom = std::min(bottom, windowY);
      top = std::max(top, windowY);
    }
  }
  if (!(std::isfinite(left + right + bottom + top))) return std::nullopt;
  const auto [boxX, boxWidth] = PixelSpan(left, right, width_);
  const auto [boxY, boxHeight] = PixelSpan(bottom, top, height_);
  return WindowBox{boxX, boxY, boxWidth, boxHeight};
}
