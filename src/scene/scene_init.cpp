// InitScene: seeding, the two start counters and the pools, around the renderer's hooks.
#include <algorithm>
#include <limits>
#include <new>
#include <string>
#include <string_view>

#include "scene/scene.h"

namespace {

inline constexpr int32_t kCounterRange = std::numeric_limits<int32_t>::max();  // 0 .. 2^31-2

[[noreturn]] void ThrowPoolTooLarge(std::string_view settingName, int32_t count) {
  throw SceneError("Cannot allocate the pool for \"" + std::string(settingName) +
                   "\" = " + std::to_string(count) + ": not enough memory");
}

// A pool of as many records as the setting says, or SceneError naming it. Negative counts are no
// pool at all, which every pass and spawner already treats as "nothing to do".
template <typename Record>
std::vector<Record> MakePool(const Settings& settings, int32_t Settings::*field) {
  const int32_t count = settings.*field;
  const std::string_view settingName = SettingOf(field).StoredName;
  const auto length = static_cast<std::size_t>(std::max(count, 0));
  if (length > kMaxPoolBytes / sizeof(Record)) ThrowPoolTooLarge(settingName, count);
  try {
    return std::vector<Record>(length);
  } catch (const std::bad_alloc&) {
    ThrowPoolTooLarge(settingName, count);
  } catch (const std::length_error&) {
    ThrowPoolTooLarge(settingName, count);
  }
}

void SpreadMeteorsOverDepth(Scene& scene) {
  const auto count = static_cast<int32_t>(scene.Particles.size());
  for (int32_t i = 0; i < count; ++i) {
    SpawnParticle(scene, i, SpawnKind::Ahead);
    scene.Particles[i].Z = -scene.Rng.R() * SceneDepth;
  }
}

}  // namespace

void InitScene(Scene& scene, const Settings& settings, uint64_t seed, const SceneInitHooks& hooks) {
  scene.Rng.Seed(seed);
  if (hooks.LoadTextures) hooks.LoadTextures();

  scene.CruiseFrame = scene.Rng.Random(kCounterRange);
  scene.FrameCounter = scene.Rng.Random(kCounterRange);

  scene.Config = settings;
  scene.Particles = MakePool<SceneParticle>(settings, &Settings::MeteorCount);
  SpreadMeteorsOverDepth(scene);
  scene.SmokePuffs = MakePool<SmokePuff>(settings, &Settings::SmokeCount);
  scene.Flashes = MakePool<ExplosionFlash>(settings, &Settings::ExplosionCount);

  // Lights keeps its entries; room for a typical number of them now means the frame
  // step does not allocate when one is added.
  scene.Lights.reserve(static_cast<std::size_t>(std::clamp(settings.LightCount, 0, 64)));

  scene.FlightSpeed = 0.0;
  scene.FlightMode = kCruise;

  if (hooks.SetFixedRenderState) hooks.SetFixedRenderState();
}
