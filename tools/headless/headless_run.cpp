// The headless run: the scene stepped without a window, its states written as a trace,
// its frames drawn when pictures or a GL log are asked for.
#include "headless_run.h"

#include <exception>
#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "scene/scene.h"
#include "trace_json.h"

namespace {

// The trace's destination, or none. A file is binary so that a trace is the same bytes
// on every platform.
class TraceOutput {
 public:
  TraceOutput(const HeadlessOptions& options, std::ostream& standardOutput) {
    if (!options.TracePath) return;
    name_ = *options.TracePath;
    if (name_ == "-") {
      stream_ = &standardOutput;
      return;
    }
    file_ = std::make_unique<std::ofstream>(name_, std::ios::binary | std::ios::trunc);
    if (!*file_) throw std::runtime_error("cannot open the trace file '" + name_ + "' for writing");
    stream_ = file_.get();
  }

  bool Enabled() const { return stream_ != nullptr; }

  void Write(const std::string& text) {
    stream_->write(text.data(), static_cast<std::streamsize>(text.size()));
    CheckWritten();
  }

  void Finish() {
    stream_->flush();
    CheckWritten();
  }

 private:
  // A full disk must not pass for a complete trace.
  void CheckWritten() {
    if (!*stream_) throw std::runtime_error("writing the trace to '" + name_ + "' failed");
  }

  std::string name_;
  std::unique_ptr<std::ofstream> file_;
  std::ostream* stream_ = nullptr;
};

std::unique_ptr<HeadlessFrames> MakeFrames(const HeadlessOptions& options,
                                           const HeadlessFramesFactory& makeFrames,
                                           std::ostream& err) {
  if (!options.RendersFrames()) return nullptr;
  if (!makeFrames) throw std::runtime_error("this build cannot draw frames");
  return makeFrames(options, err);
}

int Run(const HeadlessOptions& options, const StoredSettingsLoader& loadStoredSettings,
        std::ostream& out, std::ostream& err, const HeadlessFramesFactory& makeFrames,
        const CostClocks& readClocks) {
  const Settings settings =
      options.SettingsOverride ? *options.SettingsOverride : loadStoredSettings();
  const uint64_t seed = options.Seed ? *options.Seed : SeedFromClock();

  // Opened before the scene starts, as the saver window is created before InitScene.
  const std::unique_ptr<HeadlessFrames> frames = MakeFrames(options, makeFrames, err);
  const SceneInitHooks hooks = frames ? frames->Start() : SceneInitHooks{};

  auto scene = std::make_unique<Scene>();
  InitScene(*scene, settings, seed, hooks);

  TraceOutput trace(options, out);
  std::string line;
  auto writeState = [&](int64_t frame) {
    if (!trace.Enabled()) return;
    line.clear();
    AppendTraceLine(line, *scene, frame, options.TraceObjects);
    trace.Write(line);
  };
  auto picturePath = [&](int64_t frame) -> std::optional<std::string> {
    if (!options.Png) return std::nullopt;
    return options.Png->For(frame);
  };

  // Timed from the end of start-up; each frame until its picture is finished.
  FrameCostRecorder cost;
  if (options.Benchmark) cost.Start(readClocks());

  writeState(0);
  for (int64_t frame = 1; frame <= options.Frames; ++frame) {
    UpdateScene(*scene);
    writeState(frame);
    if (options.RendersEveryFrame()) frames->Draw(*scene, picturePath(frame));
    if (options.Benchmark) cost.FrameDone(readClocks());
  }
  if (frames && !options.RendersEveryFrame()) frames->Draw(*scene, picturePath(options.Frames));
  if (frames) frames->Finish();
  if (trace.Enabled()) trace.Finish();
  if (options.Benchmark) out << FormatFrameCost(cost.Summary()) << "\n" << std::flush;
  return kExitSuccess;
}

}  // namespace

int RunHeadless(const HeadlessOptions& options, const StoredSettingsLoader& loadStoredSettings,
                std::ostream& out, std::ostream& err, const HeadlessFramesFactory& makeFrames,
                const CostClocks& readClocks) {
  try {
    return Run(options, loadStoredSettings, out, err, makeFrames, readClocks);
  } catch (const std::bad_alloc&) {
    err << kHeadlessName << ": out of memory\n";
  } catch (const std::exception& error) {
    // SettingsError, SceneError, and the drawing's own errors carry the text to show.
    err << kHeadlessName << ": " << error.what() << "\n";
  }
  return kExitFailure;
}
