// One run of orvanta-headless once its command line is parsed: settings, scene start-up,
// the steps, the trace, and the frames drawn for pictures and the GL log. Kept apart
// from main so that tests can run it with their own settings source, streams and
// frame drawing.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "config/settings.h"
#include "headless_options.h"
#include "scene/scene.h"
#include "timer/frame_cost.h"

// Where the settings come from when --settings is not given (the saver's own store in
// the real program). May throw SettingsError.
using StoredSettingsLoader = std::function<Settings()>;

// The drawing side of a run, standing in for the saver window: its start-up around
// InitScene and its frames. The program draws with OSMesa; tests may stand in.
class HeadlessFrames {
 public:
  virtual ~HeadlessFrames() = default;
  // What the saver window's creation does before InitScene (context, InitGL, quadric);
  // returns the hooks InitScene runs for the textures and the fixed render state.
  virtual SceneInitHooks Start() = 0;
  // Draws one frame of `scene` and writes it to `picturePath`, if given.
  virtual void Draw(const Scene& scene, const std::optional<std::string>& picturePath) = 0;
  // After the last frame: completes the outputs, throwing when one could not be written.
  virtual void Finish() = 0;
};

// Makes the drawing side of a run that asks for frames; `err` takes warnings.
using HeadlessFramesFactory =
    std::function<std::unique_ptr<HeadlessFrames>(const HeadlessOptions&, std::ostream& err)>;

// The clocks a benchmark run reads (the real ones unless a test stands in).
using CostClocks = std::function<CostReading()>;

// Runs the scene as `options` say; `out` receives a trace sent to "-" or the benchmark's
// line, `err` the one line that explains a failure. Returns the exit code. Without a
// factory, a run that asks for frames fails.
int RunHeadless(const HeadlessOptions& options, const StoredSettingsLoader& loadStoredSettings,
                std::ostream& out, std::ostream& err, const HeadlessFramesFactory& makeFrames = {},
                const CostClocks& readClocks = ReadCostClocks);
