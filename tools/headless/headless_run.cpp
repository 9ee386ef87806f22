// The headless run: the saver's start-up on a platform of its own, then the saver window
// stepped on the headless seams, its states written as a trace, its frames drawn when
// pictures, a GL log or a benchmark ask for them.
#include "headless_run.h"

#include <exception>
#include <fstream>
#include <memory>
#include <new>
#include <span>
#include <stdexcept>
#include <string>

#include "app/saver_startup.h"
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

int Run(const HeadlessOptions& options, const Settings& settings, std::ostream& out,
        std::ostream& err, const HeadlessSurfaceFactory& makeSurface,
        const CostClocks& readClocks) {
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

// --settings as a store: it answers with exactly the values given, as the user's store
// would with those stored, and keeps nothing. So such a run goes through the very same
// loading as the saver and still neither reads nor changes the user's settings.
class GivenSettingsStore final : public SettingsStore {
 public:
  explicit GivenSettingsStore(const Settings& settings) : settings_(settings) {}

  std::unique_ptr<SettingsKey> OpenKey() override { return std::make_unique<Key>(settings_); }
  std::string KeyPath() const override { return "--settings"; }

 private:
  class Key final : public SettingsKey {
   public:
    explicit Key(const Settings& settings) : settings_(settings) {}

    ValueQuery QueryValue(std::string_view name) override {
      for (const SettingDescription& setting : kSettingDescriptions) {
        if (setting.StoredName == name) return {ValueStatus::Present, settings_.*setting.Field};
      }
      return {ValueStatus::Missing, 0};
    }
    bool SetValue(std::string_view, int32_t) override { return false; }

   private:
    Settings settings_;
  };

  Settings settings_;
};

// orvanta-headless as one more platform of the saver's start-up. Its own command line was
// read before (a wrong one exits with 2, not as a start-up error); what it runs is the saver
// itself, and every box or error line goes to standard error.
class HeadlessPlatform final : public SaverPlatform {
 public:
  HeadlessPlatform(const HeadlessOptions& options, const SettingsStoreOpener& openStore,
                   std::ostream& out, std::ostream& err, const HeadlessSurfaceFactory& makeSurface,
                   const CostClocks& readClocks)
      : options_(options),
        openStore_(openStore),
        out_(out),
        err_(err),
        makeSurface_(makeSurface),
        readClocks_(readClocks) {}

  std::unique_ptr<SettingsStore> OpenSettingsStore() override {
    if (options_.SettingsOverride) {
      return std::make_unique<GivenSettingsStore>(*options_.SettingsOverride);
    }
    return openStore_();
  }

  CommandLine ReadCommandLine(std::span<const std::string>) override {
    CommandLine command;
    command.Mode = SaverMode::FullScreen;
    command.Title = std::string(kSaverTitle);
    return command;
  }
  SaverMode ModeNamedBy(std::span<const std::string>) override { return SaverMode::FullScreen; }
  // No window shows a title.
  void SetTitle(const std::string&) override {}
  // OSMesa is linked in, and a run that cannot start it says so itself.
  std::string GraphicsUnavailable() override { return {}; }

  int RunConfiguration(Settings&, SettingsStore&) override {
    throw StartupError("there is no settings dialog off-screen");
  }

  int RunSaver(const CommandLine&, const Settings& settings) override {
    try {
      return Run(options_, settings, out_, err_, makeSurface_, readClocks_);
    } catch (const std::bad_alloc&) {
      err_ << kHeadlessName << ": out of memory\n";
    } catch (const std::exception& error) {
      // SceneError, and the drawing's and the outputs' own errors carry the text to show.
      err_ << kHeadlessName << ": " << error.what() << "\n";
    }
    return kExitFailure;
  }

  void ShowStartupError(const std::string& text) override { WriteStartupError(text); }
  void WriteStartupError(const std::string& text) override {
    err_ << kHeadlessName << ": " << text << "\n";
  }

 private:
  const HeadlessOptions& options_;
  const SettingsStoreOpener& openStore_;
  std::ostream& out_;
  std::ostream& err_;
  const HeadlessSurfaceFactory& makeSurface_;
  const CostClocks& readClocks_;
};

}  // namespace

int RunHeadless(const HeadlessOptions& options, const SettingsStoreOpener& openStore,
                std::ostream& out, std::ostream& err, const HeadlessSurfaceFactory& makeSurface,
                const CostClocks& readClocks) {
  HeadlessPlatform platform(options, openStore, out, err, makeSurface, readClocks);
  return RunSaverProcess({}, platform);
}
