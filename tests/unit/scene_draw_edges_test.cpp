// Every integer draw of the scene at the edge that decides it (data/scene_draw_edges.txt):
// each draw is taken at its place in a known-answer scene with R just below and just above
// k/n, and the scene must show the outcome the table names for each side.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "scene_fixtures.h"
#include "scene_known_answers.h"
#include "unit/test_data.h"

namespace {

// Draws of 0.5 with `r` at `index`: 0.5 decides nothing rare (no giant, no refill, no
// manoeuvre), so the draw under test is the only one that matters.
std::vector<double> DrawsWith(std::size_t index, double r, std::size_t count = 24) {
  std::vector<double> draws(count, 0.5);
  draws[index] = r;
  return draws;
}

// One kind-0 meteor spawned from the draws, seen through `field`.
int64_t Spawned(std::vector<double> draws,
                const std::function<int64_t(const SceneParticle&)>& field) {
  Scene scene = MakeScene(1, 0, 0, 0);
  scene.Rng.ScriptDraws(std::move(draws));
  SpawnParticle(scene, 0, SpawnKind::Ahead);
  return field(scene.Particles[0]);
}

// The whole-number angle, in radians, that the light was placed at; -1 for none.
int64_t LightAngle(double r) {
  Scene scene = MakeScene(0, 0, 0, 1);
  scene.Rng.ScriptDraws(DrawsWith(0, r));
  SpawnLight(scene);
  const LightBeacon& light = scene.Lights.at(0);
  const double distance = 0.5 * 500 + 200;
  for (int a = 0; a < 1000; ++a) {
    if (light.X == std::sin(a) * distance && light.Y == std::cos(a) * distance) return a;
  }
  return -1;
}

// One frame of a still scene: a black debris piece (it draws only for its smoke), an empty
// particle slot, or the bare flight, as the draw under test needs.
Scene FrameOf(Scene scene, std::vector<double> draws) {
  scene.Rng.ScriptDraws(std::move(draws));
  UpdateScene(scene);
  return scene;
}

Scene WithBlackDebris() {
  Scene scene = MakeScene(1, 1, 0, 0);
  HoldFlight(scene, 0);
  SceneParticle& piece = PlaceMeteor(scene, 0, 0, 0, -300, 3);
  piece.IsMeteor = 0;
  piece.Shrink = 0.001;
  return scene;
}

Scene WithFreeSlot() {
  Scene scene = MakeScene(1, 0, 0, 0);
  HoldFlight(scene, 0);
  return scene;
}

Scene Cruising() {
  return MakeScene(0, 0, 0, 0);
}

Scene WithOneLight() {
  Scene scene = MakeScene(0, 0, 0, 2);
  HoldFlight(scene, 0);
  scene.Lights.emplace_back().Z = -2250;
  return scene;
}

int64_t Yes(bool happened) {
  return happened ? 1 : 0;
}

// Each draw of the table, taken with R at its place.
const std::map<std::string, std::function<int64_t(double)>> kDraws = {
    {"shininess",
     [](double r) { return Spawned(DrawsWith(5, r), [](auto& p) { return p.Shininess; }); }},
    {"slices", [](double r) { return Spawned(DrawsWith(6, r), [](auto& p) { return p.Slices; }); }},
    {"stacks", [](double r) { return Spawned(DrawsWith(7, r), [](auto& p) { return p.Stacks; }); }},
    {"giant",
     [](double r) {
       return Spawned(DrawsWith(15, r), [](auto& p) { return Yes(p.Radius >= 10); });
     }},
    {"light-angle", LightAngle},
    {"smoke",
     [](double r) { return Yes(CountAlive(FrameOf(WithBlackDebris(), {r}).SmokePuffs) == 1); }},
    {"refill",
     [](double r) {
       return Yes(FrameOf(WithFreeSlot(), DrawsWith(0, r)).Particles[0].Alive == 1);
     }},
    {"from-side",
     [](double r) {
       std::vector<double> draws = DrawsWith(1, r);
       draws[0] = 0.0;  // the slot is refilled
       return Yes(FrameOf(WithFreeSlot(), draws).Particles[0].X == -499.9);
     }},
    {"manoeuvre",
     [](double r) { return Yes(FrameOf(Cruising(), DrawsWith(0, r)).FlightMode != 0); }},
    {"flight-mode",
     [](double r) {
       return int64_t{FrameOf(Cruising(), {0.0, r, 0.5}).FlightMode};
     }},
    {"variant",
     [](double r) {
       return int64_t{FrameOf(Cruising(), {0.0, 0.5, r}).ManoeuvreVariant};
     }},
    {"add-light",
     [](double r) { return Yes(FrameOf(WithOneLight(), DrawsWith(0, r)).Lights.size() == 2); }},
    {"cruise-frame",
     [](double r) {
       Scene scene;
       scene.Rng.ScriptDraws({r, 0.5});
       InitScene(scene, {0, 0, 0, 0}, 1);
       return int64_t{scene.CruiseFrame};
     }},
    {"frame-counter",
     [](double r) {
       Scene scene;
       scene.Rng.ScriptDraws({0.5, r});
       InitScene(scene, {0, 0, 0, 0}, 1);
       return int64_t{scene.FrameCounter};
     }},
};

int64_t Outcome(const std::string& text) {
  if (text == "yes") return 1;
  if (text == "no") return 0;
  return std::stoll(text);
}

TEST(DrawEdges, EveryIntegerDrawTurnsAtItsEdge) {
  const auto rows = ReadTestTable("scene_draw_edges.txt");
  ASSERT_EQ(rows.size(), kDraws.size()) << "data/scene_draw_edges.txt and the draws differ";
  for (const std::vector<std::string>& row : rows) {
    SCOPED_TRACE(row[0]);
    const double n = std::stod(row[1]), k = std::stod(row[2]);
    // A thousandth of a step either side: far from the edge in floating point, yet a step
    // of n in either direction lands both sides on the same integer.
    const double below = (k - 0.001) / n, above = (k + 0.001) / n;
    const auto& draw = kDraws.at(row[0]);
    EXPECT_EQ(draw(below), Outcome(row[3])) << "R = " << below;
    EXPECT_EQ(draw(above), Outcome(row[4])) << "R = " << above;
  }
}

}  // namespace
