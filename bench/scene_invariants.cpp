// The scene's invariants, with every range written once, as the spawners and the update
// make it.
#include "bench/scene_invariants.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <type_traits>

#include "scene/scene_fields.h"

namespace {

struct Range {
  double Low, High;
  bool Holds(double value) const { return value >= Low && value <= High; }  // NaN never does
};

constexpr Range Exactly(double value) {
  return {value, value};
}

// Colours are stored as floats: a double just under a bound may round onto the float above it.
constexpr double kFloatSlack = 1e-6;
constexpr Range Colour(double low, double high) {
  return {low - kFloatSlack, high + kFloatSlack};
}

// The longest any particle lives: a side meteor starts as far as 1500 ahead and closes at no
// less than 4 a frame (VZ from -1, the flight speed from 5); kind 0 closes at 6 or more and
// debris shrinks away within 200 frames. Angles grow by the spin for as long as that.
constexpr double kLongestLife = (SceneDepth + 5) / 4.0 + 1;
constexpr double kGiantSpin = 4 / (10.0 / 20);  // a spin of 4 over a giant of radius 10

constexpr Range kFinite{-DBL_MAX, DBL_MAX};
// The smallest value above 0, where a radius, life or opacity must stay.
constexpr double kAboveZero = DBL_MIN;
constexpr Range kAcross{-SceneHalfWidth, SceneHalfWidth};
constexpr Range kDepth{-SceneDepth, 5};
constexpr double kLongestTurn = kLongestLife * kGiantSpin;  // degrees, either way
constexpr Range kAngle{-kLongestTurn, 360 + kLongestTurn};
constexpr Range kSpin{-4, 4};
constexpr Range kGiantSpinRange{-kGiantSpin, kGiantSpin};
constexpr Range kFacets{3, 7};
constexpr Range kShininess{0, 126};
constexpr Range kTrailRadius{0, 15};
constexpr Range kAnyColour = Colour(0, 1);
constexpr Range kMeteorRadius{0.1, 5.1};
constexpr Range kGiantRadius{10, 70};
constexpr Range kFlightSpeed{5, 25};
// Debris moves at +-3.5 on every axis, less half the flight speed (5 to 25) along z; its
// puffs inherit that z speed.
constexpr Range kDebrisSpeed{-3.5, 3.5};
constexpr Range kDebrisSpeedZ{-3.5 - 25 / 2.0, 3.5 - 5 / 2.0};

constexpr struct {  // kind 0, the only meteors with no sideways speed
  Range VZ{1, 2};
  Range RedGreen = Colour(0.7, 0.7 + 1 / 8.0);
  Range Blue = Colour(0, 1 / 1.2);
} kAhead;
constexpr struct {  // kind 1
  Range VX{1, 6};
  Range VY{-2, 2};
  Range VZ{-1, 2};
} kFromSide;
constexpr struct {
  Range Radius{kAboveZero, 6};
  Range Shrink{0.03, 0.03 + 1 / 30.0};
} kDebris;
constexpr struct {
  Range Radius{1.5 + 1, 1.5 + 30};  // at least one update before it shows
  Range Alpha{kAboveZero, 0.3};
} kFlash;
constexpr struct {
  Range Z{-SceneDepth * 1.5, 500};
  Range Distance{200, 700};
  Range DirectionLength{1 - kFloatSlack, 1 + kFloatSlack};
} kLight;
constexpr struct {
  Range Sideways{-4, 4};
  Range Z{-125, -15};
  Range UpLengthSquared{16 - 1e-9, 16 + 1e-9};
} kShip;

// Where the first broken promise was found, built into text only when there is one.
class Checker {
 public:
  void At(const char* what, std::size_t index = SIZE_MAX) {
    what_ = what;
    index_ = index;
  }
  void Expect(std::string_view field, double value, Range range) {
    if (problem_.empty() && !range.Holds(value)) {
      char text[120];
      std::snprintf(text, sizeof text, " = %.17g is outside [%.17g, %.17g]", value, range.Low,
                    range.High);
      problem_ = Where() + std::string(field) + text;
    }
  }
  void Require(const char* promise, bool holds) {
    if (problem_.empty() && !holds) problem_ = Where() + promise;
  }
  bool Broken() const { return !problem_.empty(); }
  std::string Problem() const { return problem_; }

 private:
  std::string Where() const {
    return std::string(what_) + (index_ == SIZE_MAX ? "" : " " + std::to_string(index_)) + ": ";
  }

  const char* what_ = "scene";
  std::size_t index_ = SIZE_MAX;
  std::string problem_;
};

void CheckFinite(Checker& c, const SceneParticle& p) {
  ForEachField(p, [&](std::string_view name, const auto& value) {
    if constexpr (std::is_floating_point_v<std::remove_cvref_t<decltype(value)>>) {
      c.Expect(name, value, kFinite);
    }
  });
}

template <typename Moving>
void CheckMotion(Checker& c, const Moving& o, Range vx, Range vy, Range vz) {
  c.Expect("X", o.X, kAcross);
  c.Expect("Y", o.Y, kAcross);
  c.Expect("Z", o.Z, kDepth);
  c.Expect("VX", o.VX, vx);
  c.Expect("VY", o.VY, vy);
  c.Expect("VZ", o.VZ, vz);
}

void CheckColours(Checker& c, const SceneParticle& p, Range red, Range green, Range blue) {
  c.Expect("Red", p.Red, red);
  c.Expect("Green", p.Green, green);
  c.Expect("Blue", p.Blue, blue);
}

void CheckParticle(Checker& c, const SceneParticle& p) {
  c.Expect("AngleX", p.AngleX, kAngle);
  c.Expect("AngleY", p.AngleY, kAngle);
  c.Expect("Shininess", p.Shininess, kShininess);
  c.Expect("TrailRadius", p.TrailRadius, kTrailRadius);
  Range spin = kSpin, facets = kFacets;
  if (p.IsMeteor == 0) {
    CheckMotion(c, p, kDebrisSpeed, kDebrisSpeed, kDebrisSpeedZ);
    c.Expect("Radius", p.Radius, kDebris.Radius);
    c.Expect("Shrink", p.Shrink, kDebris.Shrink);
    CheckColours(c, p, kAnyColour, kAnyColour, kAnyColour);
    facets = Exactly(3);
  } else if (p.VX == 0) {
    const bool giant = p.Radius >= kGiantRadius.Low;
    CheckMotion(c, p, Exactly(0), Exactly(0), kAhead.VZ);
    c.Expect("Radius", p.Radius, giant ? kGiantRadius : kMeteorRadius);
    c.Expect("Shrink", p.Shrink, Exactly(0));
    CheckColours(c, p, kAhead.RedGreen, kAhead.RedGreen, kAhead.Blue);
    if (giant) spin = kGiantSpinRange;
  } else {
    CheckMotion(c, p, kFromSide.VX, kFromSide.VY, kFromSide.VZ);
    c.Expect("Radius", p.Radius, kMeteorRadius);
    c.Expect("Shrink", p.Shrink, Exactly(0));
    CheckColours(c, p, kAnyColour, kAnyColour, kAnyColour);
  }
  c.Expect("SpinX", p.SpinX, spin);
  c.Expect("SpinY", p.SpinY, spin);
  c.Expect("Slices", p.Slices, facets);
  c.Expect("Stacks", p.Stacks, facets);
}

void CheckSmoke(Checker& c, const SmokePuff& puff) {
  CheckMotion(c, puff, Exactly(0), Exactly(0), kDebrisSpeedZ);
  c.Expect("Life", puff.Life, {kAboveZero, 6});
  c.Expect("Kind", puff.Kind, Exactly(0));
}

void CheckFlash(Checker& c, const ExplosionFlash& flash) {
  CheckMotion(c, flash, Exactly(0), Exactly(0), Exactly(0));
  c.Expect("Radius", flash.Radius, kFlash.Radius);
  c.Expect("Alpha", flash.Alpha, kFlash.Alpha);
}

void CheckLight(Checker& c, const LightBeacon& light) {
  c.Expect("Z", light.Z, kLight.Z);
  c.Expect("distance from the axis", std::hypot(light.X, light.Y), kLight.Distance);
  const double x = light.Dir.X, y = light.Dir.Y;
  c.Expect("Dir length", std::sqrt(x * x + y * y), kLight.DirectionLength);
  c.Expect("Dir.Z", light.Dir.Z, Exactly(0));
  for (double colour : {light.Red, light.Green, light.Blue}) c.Expect("colour", colour, kAnyColour);
}

template <typename Record, typename Check>
void CheckPool(Checker& c, const char* name, const std::vector<Record>& pool, int32_t length,
               Check check) {
  c.At(name);
  c.Require("pool length differs from its setting",
            pool.size() == static_cast<std::size_t>(length));
  for (std::size_t i = 0; i < pool.size() && !c.Broken(); ++i) {
    c.At(name, i);
    if (pool[i].Alive != 0) check(c, pool[i]);
  }
}

void CheckFlight(Checker& c, const Scene& s, int64_t step) {
  c.At("flight");
  if (step > 0) {
    c.Expect("FlightSpeed", s.FlightSpeed, kFlightSpeed);
    c.Expect("UpX^2 + UpY^2", s.UpX * s.UpX + s.UpY * s.UpY, kShip.UpLengthSquared);
  }
  c.Expect("ShipX", s.ShipX, kShip.Sideways);
  c.Expect("ShipY", s.ShipY, kShip.Sideways);
  if (step > 0) c.Expect("ShipZ", s.ShipZ, kShip.Z);
  c.Expect("FlightMode", s.FlightMode, {0, 2});
  c.Expect("ManoeuvreVariant", s.ManoeuvreVariant, {0, 3});
  c.Expect("ManoeuvreAngle", s.ManoeuvreAngle, {0, 360});
  c.Expect("ShotCooldown", s.ShotCooldown, {0, 5});
  for (double shot : {s.ShotX, s.ShotY, s.ShotZ}) c.Expect("Shot", shot, kFinite);
  c.Expect("CruiseClock", s.CruiseClock, {0, s.SceneClock + 1e-6});
  for (const GrowingQuantity& clock : GrowingQuantities(s)) {
    c.Expect(clock.Name, clock.Value, kFinite);
    c.Expect(std::string(clock.Name) + " step resolution", clock.Resolution, {0, 1e-6});
  }
  c.At("lights");
  c.Expect("count", static_cast<double>(s.Lights.size()),
           {0, static_cast<double>(s.Config.LightCount)});
}

}  // namespace

std::string FirstBrokenInvariant(const Scene& s, int64_t step) {
  Checker c;
  CheckFlight(c, s, step);
  for (std::size_t i = 0; i < s.Particles.size() && !c.Broken(); ++i) {
    c.At("particle", i);
    CheckFinite(c, s.Particles[i]);  // free slots too: a spawn reuses what they hold
  }
  CheckPool(c, "particle", s.Particles, s.Config.MeteorCount, CheckParticle);
  CheckPool(c, "smoke puff", s.SmokePuffs, s.Config.SmokeCount, CheckSmoke);
  CheckPool(c, "flash", s.Flashes, s.Config.ExplosionCount, CheckFlash);
  for (std::size_t i = 0; i < s.Lights.size() && !c.Broken(); ++i) {
    c.At("light", i);
    CheckLight(c, s.Lights[i]);
  }
  return c.Problem();
}

std::array<GrowingQuantity, 2> GrowingQuantities(const Scene& s) {
  const auto resolution = [](double value, double step) {
    return (std::nextafter(value, DBL_MAX) - value) / step;
  };
  return {{{"SceneClock", s.SceneClock, 0.1, resolution(s.SceneClock, 0.1)},
           {"CruiseClock", s.CruiseClock, 0.1, resolution(s.CruiseClock, 0.1)}}};
}
