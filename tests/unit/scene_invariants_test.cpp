// The scene's invariants (bench/scene_invariants.h): a short flight at the dialog's maximum
// keeps every one after every frame, and a scene spoiled in one place is reported at that
// place (data/scene_invariant_breaks.txt), so the long soak cannot pass by checking nothing.
#include "bench/scene_invariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>

#include "unit/test_data.h"

namespace {

TEST(SceneInvariants, AShortFlightKeepsEveryOneAfterEveryFrame) {
  Scene scene;
  InitScene(scene, kDialogMaximumSettings, 0xF11E);
  ASSERT_EQ(FirstBrokenInvariant(scene, 0), "");
  for (int frame = 1; frame <= 2000; ++frame) {
    UpdateScene(scene);
    ASSERT_EQ(FirstBrokenInvariant(scene, frame), "") << "frame " << frame;
  }
}

// Each way of spoiling a scene: the slot and value come from the table.
const std::map<std::string, std::function<void(Scene&, double)>> kSpoilers = {
    {"meteor-x", [](Scene& s, double v) { s.Particles[7].X = v; }},
    {"meteor-red", [](Scene& s, double v) { s.Particles[7].Red = static_cast<float>(v); }},
    {"meteor-spin", [](Scene& s, double v) { s.Particles[7].SpinX = v; }},
    {"free-slot-angle",
     [](Scene& s, double v) {
       s.Particles[7].Alive = 0;
       s.Particles[7].AngleX = v;
     }},
    {"pool-length", [](Scene& s, double v) { s.Particles.resize(static_cast<std::size_t>(v)); }},
    {"flight-speed", [](Scene& s, double v) { s.FlightSpeed = v; }},
    {"scene-clock", [](Scene& s, double v) { s.SceneClock = v; }},
    {"lights",
     [](Scene& s, double v) { s.Lights.resize(static_cast<std::size_t>(v), s.Lights[0]); }},
};

TEST(SceneInvariants, ASpoiledSceneIsReportedWhereItWasSpoiled) {
  // Every particle a meteor from ahead, as InitScene leaves them, with the flight and one
  // light as the first update would make them.
  Scene healthy;
  InitScene(healthy, kDialogMaximumSettings, 0xF11E);
  healthy.FlightSpeed = 10;
  healthy.UpY = 4;
  healthy.ShipZ = -70;
  SpawnLight(healthy);
  SceneParticle& meteor = healthy.Particles[7];
  meteor.Radius = 2;  // no giant, so the ordinary spin range holds
  meteor.SpinX = meteor.SpinY = 0;
  ASSERT_EQ(FirstBrokenInvariant(healthy, 1), "");
  const auto rows = ReadTestLines("scene_invariant_breaks.txt");
  ASSERT_EQ(rows.size(), kSpoilers.size()) << "data/scene_invariant_breaks.txt not read";
  for (const std::string& row : rows) {
    std::istringstream words(row);
    std::string what, value;
    words >> what >> value;
    std::string report;
    std::getline(words >> std::ws, report);
    SCOPED_TRACE(what);
    Scene scene = healthy;
    kSpoilers.at(what)(
        scene, value == "nan" ? std::numeric_limits<double>::quiet_NaN() : std::stod(value));
    EXPECT_EQ(FirstBrokenInvariant(scene, 1).substr(0, report.size()), report);
  }
}

}  // namespace
