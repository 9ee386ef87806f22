// Cost of one frame as the saver draws it: 1280 x 720 on OSMesa, the default settings,
// after 600 steps of flight (meteors shot, smoke and lights about). Each iteration draws
// the same state and waits for the picture to be finished. The GL and GLU calls of that
// frame are counted once through the recording layer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <iostream>

#include "gl/gl_recording.h"
#include "render/headless_window.h"

namespace {

constexpr int kFlightFrames = 600;

void ReportTextureTrouble(std::string_view text, std::string_view title) {
  std::cerr << title << ": " << text << "\n";
}

int64_t CountCallsOfOneFrame(HeadlessWindow& window, const Scene& scene) {
  int64_t calls = 0;
  GlRecorder recorder(GlRecorder::Forwarding::On);
  recorder.SetSink([&calls](std::string_view) { ++calls; });
  recorder.Start();
  window.RenderFrame(scene);
  recorder.Stop();
  return calls;
}

void RenderFrameAfterFlight(benchmark::State& state) {
  HeadlessWindow window(1280, 720);
  Scene scene;
  window.CreateScene(scene, kDefaultSettings, 20261208, ReportTextureTrouble);
  for (int frame = 0; frame < kFlightFrames; ++frame) UpdateScene(scene);
  const int64_t calls = CountCallsOfOneFrame(window, scene);

  for (auto _ : state) window.RenderFrame(scene);

  state.counters["gl_calls_per_frame"] = static_cast<double>(calls);
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(RenderFrameAfterFlight)->Unit(benchmark::kMillisecond)->UseRealTime();
