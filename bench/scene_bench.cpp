// Cost of one UpdateScene once the flight has settled: meteors shot, debris smoking,
// smoke and light pools as full as they get. Target: 20 us per step at the maximum.
#include <benchmark/benchmark.h>

#include "scene/scene.h"

namespace {

constexpr int kWarmUpFrames = 5000;

void UpdateSceneSteadyState(benchmark::State& state, Settings settings) {
  Scene scene;
  InitScene(scene, settings, 20261208);
  for (int frame = 0; frame < kWarmUpFrames; ++frame) UpdateScene(scene);
  for (auto _ : state) {
    UpdateScene(scene);
    benchmark::DoNotOptimize(scene.FlightSpeed);
  }
}

}  // namespace

BENCHMARK_CAPTURE(UpdateSceneSteadyState, Defaults, kDefaultSettings)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UpdateSceneSteadyState, DialogMaximum, kDialogMaximumSettings)
    ->Unit(benchmark::kMicrosecond);
