// Vec3: a single-precision triple, the form in which OpenGL takes a light's direction.
#pragma once

struct Vec3 {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
};

// Scales v to unit length in place. The length is taken in double precision from the
// single components; a zero vector stays zero rather than turning into NaNs.
void Normalize(Vec3& v);
