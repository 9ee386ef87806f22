// Normalize for Vec3.
#include "scene/vec3.h"

#include <cmath>

void Normalize(Vec3& v) {
  const double x = v.X;
  const double y = v.Y;
  const double z = v.Z;
  double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0) length = 1.0;
  v.X = static_cast<float>(x / length);
  v.Y = static_cast<float>(y / length);
  v.Z = static_cast<float>(z / length);
}
