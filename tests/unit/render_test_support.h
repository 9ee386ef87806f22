// Shared pieces of the renderer's call-order tests: a recorder that answers without a GL
// context, the expected log line of one call, and hand-made scenes.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "gl/gl_entries.h"
#include "gl/gl_recording.h"
#include "scene/scene.h"
#include "textures/textures.h"

namespace render_test {

using Lines = std::vector<std::string>;

// One argument as the recording layer writes it: integers in decimal, floats and doubles
// in their shortest round-trip form, text (arrays, "quadric") as given.
template <typename T>
std::string Arg(T value) {
  if constexpr (std::is_convertible_v<T, std::string_view>) {
    return std::string(std::string_view(value));
  } else if constexpr (std::is_floating_point_v<T>) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  } else {
    return std::to_string(static_cast<long long>(value));
  }
}

// The log line of name(args...).
template <typename... Args>
std::string Call(std::string_view name, Args... args) {
  std::string line(name);
  line += '(';
  std::size_t index = 0;
  ((line += (index++ == 0 ? "" : ",") + Arg(args)), ...);
  return line + ')';
}

// The float a double field reaches a single-precision GL call as.
inline float F(double value) {
  return static_cast<float>(value);
}

// Records every GL and GLU call without a context (queries answer the identity matrix),
// with texture names that differ from their slots: slot i is name 101 + i.
class RecordedCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < TextureNames.size(); ++i) {
      TextureNames[i] = static_cast<GLuint>(101 + i);
    }
    recorder_.Start();
    quadric_ = GLu.gluNewQuadric();
    recorder_.Clear();
  }
  void TearDown() override { recorder_.Stop(); }

  Lines Calls() { return recorder_.TakeLines(); }

  GlRecorder recorder_;
  GLUquadric* quadric_ = nullptr;
};

// A scene with pools of the given lengths, all free, the ship cruising at the origin
// with no roll (FrameCounter 0) and the view upright.
inline Scene EmptyScene(int particles = 0, int smoke = 0, int flashes = 0) {
  Scene scene;
  scene.Particles.resize(static_cast<std::size_t>(particles));
  scene.SmokePuffs.resize(static_cast<std::size_t>(smoke));
  scene.Flashes.resize(static_cast<std::size_t>(flashes));
  scene.UpY = 4.0;
  return scene;
}

inline LightBeacon Light(double x, double y, double z, double red = 1.0, double green = 0.5,
                         double blue = 0.25) {
  LightBeacon light;
  light.X = x;
  light.Y = y;
  light.Z = z;
  light.Dir = {0.0f, 0.0f, 1.0f};
  light.Red = red;
  light.Green = green;
  light.Blue = blue;
  return light;
}

}  // namespace render_test
