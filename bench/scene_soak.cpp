// The long flight (bench/soak.sh): the scene at the dialog's maximum settings for many
// updates, its invariants checked at a fixed interval. Prints the steps run, the rate, how
// far the ever-growing clocks have come and the first broken invariant; exit code 1 when one
// broke. SIGINT and SIGTERM end the flight early with the same report.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/scene_invariants.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void Stop(int) {
  gStop = 1;
}

struct Options {
  int64_t Steps = 100'000'000;
  int64_t CheckEvery = 10'000;
  uint64_t Seed = 0x50A4;
};

bool ReadOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    char* end = nullptr;
    const long long value = std::strtoll(argv[i + 1], &end, 10);
    if (*end != '\0' || value <= 0) return false;
    if (std::strcmp(argv[i], "--steps") == 0)
      options.Steps = value;
    else if (std::strcmp(argv[i], "--check-every") == 0)
      options.CheckEvery = value;
    else if (std::strcmp(argv[i], "--seed") == 0)
      options.Seed = static_cast<uint64_t>(value);
    else
      return false;
  }
  return argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--steps N] [--check-every N] [--seed N]\n", argv[0]);
    return 2;
  }
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);

  const Settings& settings = kDialogMaximumSettings;
  Scene scene;
  InitScene(scene, settings, options.Seed);
  const auto start = std::chrono::steady_clock::now();
  std::string broken = FirstBrokenInvariant(scene, 0);
  int64_t step = 0;
  while (broken.empty() && step < options.Steps && !gStop) {
    UpdateScene(scene);
    ++step;
    if (step % options.CheckEvery == 0) broken = FirstBrokenInvariant(scene, step);
    if (step % 10'000'000 == 0) std::fprintf(stderr, "%lld steps\n", static_cast<long long>(step));
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("steps run: %lld of %lld%s\n", static_cast<long long>(step),
              static_cast<long long>(options.Steps), gStop ? " (stopped early)" : "");
  std::printf("steps per second: %.0f\n", static_cast<double>(step) / seconds);
  std::printf("invariants checked every %lld steps, seed %llu, settings %d,%d,%d,%d\n",
              static_cast<long long>(options.CheckEvery),
              static_cast<unsigned long long>(options.Seed), settings.MeteorCount,
              settings.SmokeCount, settings.ExplosionCount, settings.LightCount);
  for (const GrowingQuantity& clock : GrowingQuantities(scene)) {
    std::printf("%s: %.17g, spacing of doubles there %.3g of its step %.1f\n", clock.Name,
                clock.Value, clock.Resolution, clock.Step);
  }
  std::printf("CruiseFrame: %d, FrameCounter: %d (32-bit, wrapping)\n", scene.CruiseFrame,
              scene.FrameCounter);
  if (broken.empty()) {
    std::printf("first broken invariant: none\n");
    return 0;
  }
  std::printf("first broken invariant: at step %lld: %s\n", static_cast<long long>(step),
              broken.c_str());
  return 1;
}
