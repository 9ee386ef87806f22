// One run of orvanta-headless once its command line is parsed. It goes through the saver's
// own start-up (RunSaverProcess): the settings, then the saver window (TForm1) created and
// stepped on the headless seams, one frame timer step per 1/60 s of the run's own clock,
// with the trace, the pictures and the GL log taken from it. Kept apart from main so that
// tests can run it with their own settings store, streams, surface and clocks.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "config/settings.h"
#include "config/settings_store.h"
#include "headless_options.h"
#include "headless_platform.h"
#include "timer/frame_cost.h"

// Opens the store the settings come from when --settings is not given (the saver's own
// store in the real program).
using SettingsStoreOpener = std::function<std::unique_ptr<SettingsStore>()>;

// Makes the surface of a run that draws frames (OSMesa in the program).
using HeadlessSurfaceFactory =
    std::function<std::unique_ptr<HeadlessSurface>(const HeadlessOptions&)>;

// The clocks a benchmark run reads (the real ones unless a test stands in).
using CostClocks = std::function<CostReading()>;

// Runs the saver window for the steps `options` ask for; `out` receives a trace sent to "-"
// or the benchmark's line, `err` the one line that explains a failure. Returns the exit code.
// Without a factory, a run that asks for frames fails.
int RunHeadless(const HeadlessOptions& options, const SettingsStoreOpener& openStore,
                std::ostream& out, std::ostream& err,
                const HeadlessSurfaceFactory& makeSurface = {},
                const CostClocks& readClocks = ReadCostClocks);
