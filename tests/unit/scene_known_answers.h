// Known answers for the scene: what each spawner must make of draws that a test chooses,
// worked out with the formulas of the flight on those draws, and comparisons that name
// the field that differs. Draw lists are read in the order the scene takes them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene/scene.h"
#include "scene/scene_fields.h"

// Distinct, irregular draws: a step of the golden ratio's fraction from `start`, so that
// no two of a few hundred coincide and a swapped pair of draws changes the answer.
inline std::vector<double> UglyDraws(std::size_t count, double start = 0.1377) {
  std::vector<double> draws;
  double value = start;
  for (std::size_t i = 0; i < count; ++i) {
    draws.push_back(value);
    value = std::fmod(value + 0.6180339887498949, 1.0);
  }
  return draws;
}

// Random(n) of a draw R: floor(R * n).
inline int32_t Pick(double r, int32_t n) {
  return static_cast<int32_t>(std::floor(r * n));
}

inline std::vector<double> Concat(std::initializer_list<std::vector<double>> parts) {
  std::vector<double> all;
  for (const std::vector<double>& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A slot holding values no spawner writes, so that a field a spawner forgets to set (or
// sets when it must keep it) shows.
inline SceneParticle LeftoverSlot(double trailRadius) {
  SceneParticle p;
  p.Alive = 0;
  p.X = p.Y = p.Z = 77.25;
  p.VX = p.VY = p.VZ = -66.5;
  p.AngleX = p.AngleY = 55.75;
  p.SpinX = p.SpinY = 44.125;
  p.Red = p.Green = p.Blue = 0.33f;
  p.Radius = 33.5;
  p.Slices = p.Stacks = 99;
  p.TrailRadius = trailRadius;
  p.Shininess = 98;
  p.Shrink = 22.75;
  p.IsMeteor = 0;
  return p;
}

// Scene-wide values that a spawn reads.
struct SpawnInputs {
  double SceneClock = 0;
  double FlightSpeed = 0;
};

// The draws that every kind starts with.
inline constexpr std::size_t kCommonDraws = 8;
inline constexpr std::size_t kAheadDraws = kCommonDraws + 9;  // one more for a giant
inline constexpr std::size_t kFromSideDraws = kCommonDraws + 8;
inline constexpr std::size_t kAtShipDraws = kCommonDraws + 6;
inline constexpr std::size_t kDebrisPieceDraws = kAtShipDraws + 8;

inline SceneParticle ExpectedCommon(std::span<const double> d, SceneParticle p) {
  p.Alive = 1;
  p.AngleX = d[0] * 360;
  p.AngleY = d[1] * 360;
  p.SpinX = d[2] * 8 - 4;
  p.SpinY = d[3] * 8 - 4;
  p.IsMeteor = 1;
  p.Radius = d[4] * 5 + 0.1;
  p.Shininess = Pick(d[5], 127);
  p.Slices = Pick(d[6], 5) + 3;
  p.Stacks = Pick(d[7], 5) + 3;
  return p;
}

// Kind 0: far ahead, flying at the viewer; d[15] decides a giant (Random(40) = 0).
inline SceneParticle ExpectedAhead(std::span<const double> d, SceneParticle slot) {
  SceneParticle p = ExpectedCommon(d, slot);
  p.X = d[8] * 500 * 2 - 500;
  p.Y = d[9] * 500 * 2 - 500;
  p.Z = d[10] * 5 - 1500;
  p.VX = 0;
  p.VY = 0;
  p.VZ = d[11] + 1;
  p.Red = static_cast<float>(d[12] / 8 + 0.7);
  p.Green = static_cast<float>(d[13] / 8 + 0.7);
  p.Blue = static_cast<float>(d[14] / 1.2);
  p.Shrink = 0;
  std::size_t next = 16;
  if (Pick(d[15], 40) == 0) {
    p.Radius = d[16] * 60 + 10;
    p.SpinX = p.SpinX / (p.Radius / 20);
    p.SpinY = p.SpinY / (p.Radius / 20);
    next = 17;
  }
  p.TrailRadius = d[next] * 15;
  return p;
}

// Kind 1: enters at the left edge; keeps the slot's TrailRadius.
inline SceneParticle ExpectedFromSide(std::span<const double> d, SceneParticle slot) {
  SceneParticle p = ExpectedCommon(d, slot);
  p.X = -500 + 0.1;
  p.Y = d[8] * 500 * 2 - 500;
  p.Z = -(d[9] * 1500);
  p.VX = d[10] * 5 + 1;
  p.VY = d[11] * 4 - 2;
  p.VZ = d[12] * 3 - 1;
  p.Red = static_cast<float>(d[13]);
  p.Green = static_cast<float>(d[14]);
  p.Blue = static_cast<float>(d[15]);
  p.Shrink = 0;
  return p;
}

// Kind 2: a spark where SceneClock puts the ship; keeps the slot's TrailRadius.
inline SceneParticle ExpectedAtShip(std::span<const double> d, SceneParticle slot,
                                    const SpawnInputs& in) {
  SceneParticle p = ExpectedCommon(d, slot);
  p.X = std::sin(in.SceneClock / 5.7) * 4;
  p.Y = std::sin(in.SceneClock / 8.3) * 4;
  p.Z = std::sin(in.SceneClock / 24.2) * 55 - 70;
  p.VX = 0;
  p.VY = 0;
  p.VZ = d[8] * 3 - in.FlightSpeed;
  p.Red = static_cast<float>(d[9] / 8 + 0.7);
  p.Green = static_cast<float>(d[10] / 8 + 0.7);
  p.Blue = static_cast<float>(d[11] / 1.2);
  p.Radius = d[12] / 5 + 0.1;
  p.Shrink = d[13] / 200 + 0.02;
  return p;
}

// One piece of a burst of `count` round (x, y, z): a kind-2 spark, then the piece's own
// eight draws.
inline SceneParticle ExpectedDebrisPiece(std::span<const double> d, SceneParticle slot,
                                         const SpawnInputs& in, int32_t count, double x, double y,
                                         double z) {
  SceneParticle p = ExpectedAtShip(d, slot, in);
  const std::span<const double> piece = d.subspan(kAtShipDraws);
  p.Radius = piece[0] * 4 + 2;
  p.X = (piece[1] - 0.5) * count / 10 + x;
  p.Y = (piece[2] - 0.5) * count / 10 + y;
  p.Z = (piece[3] - 0.5) * count / 10 + z;
  p.VX = piece[4] * 7 - 3.5;
  p.VY = piece[5] * 7 - 3.5;
  p.VZ = piece[6] * 7 - 3.5 - in.FlightSpeed / 2;
  p.Shrink = piece[7] / 30 + 0.03;
  p.Red = p.Green = p.Blue = 1;
  p.IsMeteor = 0;
  p.Slices = p.Stacks = 3;
  return p;
}

// A field of `actual` that differs from `expected` fails, naming the field (a direction by
// its component, "Dir.Y").
template <typename Value>
void ExpectSameField(std::string_view name, const Value& actual, const Value& expected) {
  EXPECT_EQ(actual, expected) << "field " << name;
}
inline void ExpectSameField(std::string_view name, const Vec3& actual, const Vec3& expected) {
  const std::string prefix(name);
  ExpectSameField(prefix + ".X", actual.X, expected.X);
  ExpectSameField(prefix + ".Y", actual.Y, expected.Y);
  ExpectSameField(prefix + ".Z", actual.Z, expected.Z);
}

// Every field of a scene record against its known answer.
template <typename Record>
void ExpectRecord(const Record& actual, const Record& expected, const std::string& where) {
  SCOPED_TRACE(where);
  ForEachFieldOfBoth(actual, expected, [](std::string_view name, const auto& a, const auto& e) {
    ExpectSameField(name, a, e);
  });
}
