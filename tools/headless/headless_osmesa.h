// The frames of a headless run drawn with OSMesa through the saver's own start-up and
// drawing code, written as PNG pictures and, if asked, logged call by call.
#pragma once

#include <memory>
#include <ostream>

#include "headless_options.h"
#include "headless_run.h"

// Creates the off-screen surface of options.Size and opens the GL log. Throws
// RenderError when OSMesa cannot start and std::runtime_error when the log cannot be
// opened. Texture-loading trouble is written to `err` and the run goes on, as the saver
// goes on after its message boxes.
std::unique_ptr<HeadlessFrames> MakeOsMesaFrames(const HeadlessOptions& options, std::ostream& err);
