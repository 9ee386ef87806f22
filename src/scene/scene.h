// The scene: the object pools, the scene-wide flight state, and the operations that
// build it (InitScene), fill it (the spawners) and advance it by one frame
// (UpdateScene). Pure C++: nothing here touches GL or the operating system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "config/settings.h"
#include "scene/scene_random.h"
#include "scene/vec3.h"

// Objects live while X and Y stay within -SceneHalfWidth .. +SceneHalfWidth ...
inline constexpr int32_t SceneHalfWidth = 500;
// ... and Z stays at or above -SceneDepth (and at or below 5, just behind the viewer).
inline constexpr int32_t SceneDepth = 1500;

// One slot of Particles: a meteor (IsMeteor 1) or a piece of explosion debris (0).
struct SceneParticle {
  uint8_t Alive = 0;
  double X = 0, Y = 0, Z = 0;
  double VX = 0, VY = 0, VZ = 0;  // per frame; FlightSpeed is added to Z on top
  double AngleX = 0, AngleY = 0;  // degrees
  double SpinX = 0, SpinY = 0;    // degrees per frame
  float Red = 0, Green = 0, Blue = 0;
  double Radius = 0;
  int32_t Slices = 0;
  int32_t Stacks = 0;
  double TrailRadius = 0;  // circle on which debris drops smoke
  int32_t Shininess = 0;
  double Shrink = 0;  // subtracted from Radius every frame
  uint8_t IsMeteor = 0;
};

struct SmokePuff {
  uint8_t Alive = 0;
  double X = 0, Y = 0, Z = 0;
  double VX = 0, VY = 0, VZ = 0;
  double Life = 0;   // 6.0 at birth, minus 0.1 per frame
  uint8_t Kind = 0;  // the drawing binds texture slot Kind + 2
};

struct ExplosionFlash {
  uint8_t Alive = 0;
  double X = 0, Y = 0, Z = 0;
  double VX = 0, VY = 0, VZ = 0;
  double Radius = 0;  // 1.5 at birth, plus 1 per frame
  double Alpha = 0;   // 0.3 at birth, minus 0.01 per frame
  uint8_t Kind = 0;
};

// A coloured spotlight; every entry of Lights is live.
struct LightBeacon {
  double X = 0, Y = 0, Z = 0;
  Vec3 Dir;  // unit length
  double Red = 0, Green = 0, Blue = 0;
};

enum class SpawnKind : uint8_t {
  Ahead = 0,     // a meteor far ahead, flying at the viewer
  FromSide = 1,  // a meteor entering at the left edge
  AtShip = 2,    // a small shrinking spark on the ship's path; the base of every debris piece
};

// FlightMode values.
inline constexpr uint8_t kCruise = 0;
inline constexpr uint8_t kLoopManoeuvre = 1;
inline constexpr uint8_t kRollManoeuvre = 2;

// All scene state. The saver owns one; tests and tools make their own, and two scenes
// built with the same seed and settings evolve identically.
struct Scene {
  std::vector<SceneParticle> Particles;  // fixed length from InitScene on
  std::vector<SmokePuff> SmokePuffs;     // fixed length
  std::vector<ExplosionFlash> Flashes;   // fixed length
  std::vector<LightBeacon> Lights;       // dense, 0 .. LightCount entries, order not stable

  double FlightSpeed = 0;
  double ShipX = 0, ShipY = 0, ShipZ = 0;
  double UpX = 0, UpY = 0;
  uint8_t FlightMode = kCruise;
  uint8_t ManoeuvreVariant = 0;
  double ManoeuvreAngle = 0;  // degrees
  int32_t ShotCooldown = 0;   // the lasers show while above 0
  double ShotX = 0, ShotY = 0, ShotZ = 0;
  double SceneClock = 0;
  double CruiseClock = 0;
  int32_t CruiseFrame = 0;   // wraps
  int32_t FrameCounter = 0;  // wraps

  Settings Config;  // the counts the pools were built with; LightCount caps Lights
  UniformRandom Rng;
};

// A scene that cannot be built, e.g. a pool setting too large to allocate. The message
// is meant for the user as it stands.
class SceneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The GL halves of scene start-up, supplied by the renderer; the scene calls them at
// their place in the start-up order and otherwise knows nothing about them.
struct SceneInitHooks {
  std::function<void()> LoadTextures;         // right after seeding
  std::function<void()> SetFixedRenderState;  // last of all
};

// A pool grows no larger than this many bytes. Far beyond anything the settings dialog
// offers; it keeps a wild stored value from committing memory that the system would
// only refuse later by killing the process.
inline constexpr std::size_t kMaxPoolBytes = std::size_t{1} << 30;

// Seeds the generator, runs hooks.LoadTextures, draws CruiseFrame and FrameCounter,
// builds the pools from settings (negative counts give empty pools) with every particle
// slot a meteor spread over the whole depth, and ends with hooks.SetFixedRenderState.
// Throws SceneError, naming the setting, when a pool cannot be allocated.
void InitScene(Scene& scene, const Settings& settings, uint64_t seed,
               const SceneInitHooks& hooks = {});

// Fills one particle slot, alive or not. A slot outside the pool or a kind outside
// SpawnKind changes nothing and draws nothing.
void SpawnParticle(Scene& scene, int32_t slot, SpawnKind kind);
// Up to count debris pieces around (x, y, z) in the lowest free particle slots.
void SpawnDebris(Scene& scene, int32_t count, double x, double y, double z);
// The lowest free smoke slot becomes a puff; nothing when the pool is full.
void SpawnSmoke(Scene& scene, uint8_t kind, double x, double y, double z, double vx, double vy,
                double vz);
// The lowest free flash slot becomes a flash; nothing when the pool is full.
void SpawnFlash(Scene& scene, uint8_t kind, double x, double y, double z, double vx, double vy,
                double vz);
// Appends one light far behind the scene, unless Lights already holds LightCount.
void SpawnLight(Scene& scene);

// Advances the scene by one frame. Allocates nothing unless Lights changes length.
void UpdateScene(Scene& scene);

// Round to nearest, halves to even, saturated to the int32 range (NaN gives 0).
int32_t RoundHalfEven(double value);
