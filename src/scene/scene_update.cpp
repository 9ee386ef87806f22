// UpdateScene: one frame of the flight. Pools first (moved with the previous frame's
// speed and shot at from the previous frame's ship position), then the flight itself.
#include <cmath>
#include <limits>

#include "scene/scene.h"
#include "scene/scene_pools.h"

namespace {

// Counters wrap like two's-complement hardware; signed overflow itself is undefined.
int32_t WrappingIncrement(int32_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + 1u);
}

// Bitwise rather than short-circuit operators in the two box tests below: every term is
// cheap, and one predictable branch beats six that follow random positions.
template <typename Object>
bool OutsideScene(const Object& o) {
  return (o.Z > 5) | (o.Z < -SceneDepth) | (o.X < -SceneHalfWidth) | (o.X > SceneHalfWidth) |
         (o.Y < -SceneHalfWidth) | (o.Y > SceneHalfWidth);
}

template <typename Object>
void Move(Object& o, double flightSpeed) {
  o.X = o.X + o.VX;
  o.Y = o.Y + o.VY;
  o.Z = (o.Z + o.VZ) + flightSpeed;
}

// The firing corridor: a box reaching 800 units ahead of the ship, as wide and high as
// 30 units plus the meteor's diameter. It is fixed for a whole particle pass (the ship
// moves in the flight step), and the guns close with the first shot of the pass.
struct Corridor {
  double ShipX, ShipY, ShipZ;
  bool GunsReady;

  // Each bound is summed left to right, ship first: (ShipX - 15) - Radius. Adding
  // 15 + Radius first can round the other way and decide a meteor on the edge differently.
  bool Contains(const SceneParticle& p) const {
    return (ShipX - 15 - p.Radius <= p.X) & (p.X <= ShipX + 15 + p.Radius) &
           (ShipY - 15 - p.Radius <= p.Y) & (p.Y <= ShipY + 15 + p.Radius) & (ShipZ - 800 <= p.Z) &
           (p.Z <= ShipZ);
  }
};

void Shoot(Scene& s, SceneParticle& meteor) {
  SpawnDebris(s, RoundHalfEven(meteor.Radius * 2), meteor.X, meteor.Y, meteor.Z);
  s.ShotCooldown = 5;
  s.ShotX = meteor.X;
  s.ShotY = meteor.Y;
  s.ShotZ = meteor.Z;
  SpawnFlash(s, 0, meteor.X, meteor.Y, meteor.Z, 0, 0, 0);
  meteor.Alive = 0;
}

// A random draw only while the component is still above 0, so a black piece stays put.
void Cool(UniformRandom& rng, float& component, double step, double jitter) {
  if (component <= 0) return;
  double cooled = component - step - rng.R() * jitter;
  if (cooled < 0) cooled = 0;
  component = static_cast<float>(cooled);
}

void CoolAndSmoke(Scene& s, SceneParticle& p, int32_t& smokeSearch) {
  Cool(s.Rng, p.Red, 0.01, 0.007);
  Cool(s.Rng, p.Green, 0.02, 0.014);
  Cool(s.Rng, p.Blue, 0.03, 0.02);
  if (s.Rng.Random(2) != 0) return;
  // The puff lands on a circle round the piece, its angle wandering with the position.
  const double a = (p.X + p.Y + p.Z) / 30;
  const double b = (p.X - p.Y - p.Z) / 30;
  SpawnSmokeFrom(s, smokeSearch, 0, p.X + p.TrailRadius * std::sin(a),
                 p.Y + p.TrailRadius * std::cos(a), p.Z + p.TrailRadius * std::sin(b), 0, 0, p.VZ);
}

void RefillSlot(Scene& s, int32_t slot) {
  if (s.Rng.Random(30) != 0) return;
  SpawnParticle(s, slot, s.Rng.Random(10) == 0 ? SpawnKind::FromSide : SpawnKind::Ahead);
}

void UpdateParticles(Scene& s) {
  // No puff ends before the smoke pass, so the smoke search can move forward only.
  int32_t smokeSearch = 0;
  // Held in locals: the compiler cannot tell that writes to a particle leave these alone.
  const double speed = s.FlightSpeed;
  Corridor corridor{s.ShipX, s.ShipY, s.ShipZ, s.FlightMode == kCruise && s.ShotCooldown <= 0};
  const auto length = static_cast<int32_t>(s.Particles.size());
  for (int32_t i = 0; i < length; ++i) {
    SceneParticle& p = s.Particles[i];
    if (p.Alive == 0) {
      RefillSlot(s, i);  // a refilled particle first moves next frame
      continue;
    }
    Move(p, speed);
    p.AngleX = p.AngleX + p.SpinX;
    p.AngleY = p.AngleY + p.SpinY;
    p.Radius = p.Radius - p.Shrink;
    if (corridor.GunsReady && p.IsMeteor == 1 && corridor.Contains(p)) {
      Shoot(s, p);
      corridor.GunsReady = false;
      continue;
    }
    if (p.IsMeteor == 0) CoolAndSmoke(s, p, smokeSearch);
    if (OutsideScene(p) || p.Radius <= 0) p.Alive = 0;
  }
}

void UpdateSmoke(Scene& s) {
  for (SmokePuff& puff : s.SmokePuffs) {
    if (puff.Alive != 1) continue;
    Move(puff, s.FlightSpeed);
    puff.Life = puff.Life - 0.1;
    if (OutsideScene(puff) || puff.Life <= 0) puff.Alive = 0;
  }
}

void UpdateFlashes(Scene& s) {
  for (ExplosionFlash& flash : s.Flashes) {
    if (flash.Alive != 1) continue;
    Move(flash, s.FlightSpeed);
    flash.Radius = flash.Radius + 1.0;
    flash.Alpha = flash.Alpha - 0.01;
    if (OutsideScene(flash) || flash.Alpha <= 0) flash.Alive = 0;
  }
}

// Lights drift at a fifth of the speed and retire 500 units behind the viewer. A
// retired light's index is taken by the last one, which waits until the next frame.
void UpdateLights(Scene& s) {
  for (std::size_t i = 0; i < s.Lights.size(); ++i) {
    s.Lights[i].Z = s.Lights[i].Z + s.FlightSpeed / 5;
    if (s.Lights[i].Z > 500) {
      s.Lights[i] = s.Lights.back();
      s.Lights.pop_back();
    }
  }
}

void Cruise(Scene& s) {
  s.CruiseFrame = WrappingIncrement(s.CruiseFrame);
  s.FlightSpeed = std::sin(s.CruiseFrame / 100.0) * 10 + 15;
  s.CruiseClock = s.CruiseClock + 0.1;
  // The up vector keeps length 4 while the view rolls back and forth.
  const double roll = std::cos(s.CruiseFrame / 300.0) * 4;
  s.UpX = std::sin(roll) * 4;
  s.UpY = std::cos(roll) * 4;
  s.ShipX = std::sin(s.CruiseClock / 5.7) * 4;
  s.ShipY = std::sin(s.CruiseClock / 8.3) * 4;
  s.ShipZ = std::sin(s.CruiseClock / 24.2) * 55 - 70;
  if (s.Rng.Random(100) == 0) {
    s.FlightMode = static_cast<uint8_t>(s.Rng.Random(2) + 1);
    s.ManoeuvreAngle = 0;
    s.ManoeuvreVariant = static_cast<uint8_t>(s.Rng.Random(4));
  }
}

// A full turn in steps of 3 degrees; the flight is frozen meanwhile.
void Manoeuvre(Scene& s) {
  s.ManoeuvreAngle = s.ManoeuvreAngle + 3;
  if (s.ManoeuvreAngle >= 360) s.FlightMode = kCruise;
}

void StepFlight(Scene& s) {
  if (s.FlightMode == kCruise) {
    Cruise(s);
  } else if (s.FlightMode == kLoopManoeuvre || s.FlightMode == kRollManoeuvre) {
    Manoeuvre(s);
  }
}

void MaybeAddLight(Scene& s) {
  if (s.Lights.empty() || s.Rng.Random(100) == 0) SpawnLight(s);
}

}  // namespace

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (value <= kMin) return std::numeric_limits<int32_t>::min();
  if (value >= kMax) return std::numeric_limits<int32_t>::max();
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return static_cast<int32_t>(whole);
}

void UpdateScene(Scene& s) {
  s.FrameCounter = WrappingIncrement(s.FrameCounter);
  if (s.ShotCooldown > 0) s.ShotCooldown = s.ShotCooldown - 1;
  UpdateParticles(s);
  UpdateSmoke(s);
  UpdateFlashes(s);
  UpdateLights(s);
  StepFlight(s);
  MaybeAddLight(s);
  s.SceneClock = s.SceneClock + 0.1;
}
