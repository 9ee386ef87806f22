// The headless run: the saver window stepped on the headless seams, its states written as
// a trace, its frames drawn when pictures, a GL log or a benchmark ask for them.
#include "headless_run.h"

#include <exception>
#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "app/saver_window.h"
#include "render/render_state.h"
#include "scene/scene.h"
#include "scene/scene_random.h"
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

// A run that wants pictures draws into the factory's surface; any other (a trace) needs no
// pixels and runs the very same window on the null surface, so it needs no GL library.
std::unique_ptr<HeadlessSurface> MakeSurface(const HeadlessOptions& options,
                                             const HeadlessSurfaceFactory& makeSurface) {
  if (!options.RendersFrames()) {
    return std::make_unique<NullSurface>(options.Size.Width, options.Size.Height);
  }
  if (!makeSurface) throw std::runtime_error("this build cannot draw frames");
  return makeSurface(options);
}

// Whether the picture of the scene after `state` steps is wanted: each one from the first
// step on for a numbered file name or a benchmark, else only the last.
bool WantsPicture(const HeadlessOptions& options, int64_t state) {
  if (!options.RendersFrames()) return false;
  if (options.RendersEveryFrame()) return state >= 1 && state <= options.Frames;
  return state == options.Frames;
}

int Run(const HeadlessOptions& options, const StoredSettingsLoader& loadStoredSettings,
        std::ostream& out, std::ostream& err, const HeadlessSurfaceFactory& makeSurface,
        const CostClocks& readClocks) {
  const Settings settings =
      options.SettingsOverride ? *options.SettingsOverride : loadStoredSettings();
  const uint64_t seed = options.Seed ? *options.Seed : SeedFromClock();

  // Declared before the window, which draws into it until its end.
  const std::unique_ptr<HeadlessSurface> surface = MakeSurface(options, makeSurface);
  HeadlessClock clock;
  HeadlessApplication app(clock);
  HeadlessHost host(app, err);
  const auto form =
      std::make_unique<TForm1>(app, host, *surface, clock, settings, /*preview=*/false);
  // The quadric goes while the surface's GL is still there, on every way out of the run.
  struct GraphicsRelease {
    TForm1& Form;
    ~GraphicsRelease() { Form.ReleaseGraphics(); }
  } release{*form};
  form->SetSceneSeed(seed);
  if (options.ReferenceDrawing) form->SetDrawingMethod(DrawingMethod::Reference);
  form->FormCreate();
  if (!form->ContextReady()) throw RenderError("OSMesa cannot start: " + surface->Failure());
  form->FormShow();

  TraceOutput trace(options, out);
  std::string line;
  int64_t traced = -1;
  auto traceNewState = [&] {
    if (!trace.Enabled() || form->FramesProcessed() == traced) return;
    traced = form->FramesProcessed();
    line.clear();
    AppendTraceLine(line, form->SceneState(), traced, options.TraceObjects);
    trace.Write(line);
  };

  // The timer draws before it steps, so a turn of the loop draws the state the previous
  // turns left and then steps once: the picture of step N comes from turn N + 1, which
  // steps no more.
  int64_t drawn = -1;  // the state whose picture was drawn last
  app.BeforeStep = [&] {
    const int64_t state = form->FramesProcessed();
    const bool draw = WantsPicture(options, state) && state != drawn;
    const bool step = state < options.Frames;
    if (!draw && !step) return app.Terminate();
    form->PowerTimer1.SetMayRender(draw);
    form->PowerTimer1.SetMayProcess(step);
  };
  app.AfterStep = traceNewState;

  // Timed from the end of start-up; each frame until its picture is finished.
  FrameCostRecorder cost;
  surface->SetSwapObserver([&] {
    drawn = form->FramesProcessed();
    if (options.Png) surface->WritePicture(options.Png->For(form->FramesProcessed()));
    if (options.Benchmark) cost.FrameDone(readClocks());
  });
  if (options.Benchmark) cost.Start(readClocks());

  traceNewState();
  app.Run();
  surface->Finish();
  if (trace.Enabled()) trace.Finish();
  if (options.Benchmark) out << FormatFrameCost(cost.Summary()) << "\n" << std::flush;
  return kExitSuccess;
}

}  // namespace

int RunHeadless(const HeadlessOptions& options, const StoredSettingsLoader& loadStoredSettings,
                std::ostream& out, std::ostream& err, const HeadlessSurfaceFactory& makeSurface,
                const CostClocks& readClocks) {
  try {
    return Run(options, loadStoredSettings, out, err, makeSurface, readClocks);
  } catch (const std::bad_alloc&) {
    err << kHeadlessName << ": out of memory\n";
  } catch (const std::exception& error) {
    // SettingsError, SceneError, and the drawing's own errors carry the text to show.
    err << kHeadlessName << ": " << error.what() << "\n";
  }
  return kExitFailure;
}
