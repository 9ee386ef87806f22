// The surface a headless run draws its frames into: OSMesa, with the GL log and the PNG
// writer. Native build only.
#pragma once

#include <memory>

#include "headless_options.h"
#include "headless_platform.h"

// A surface of options.Size; opens the GL log when options ask for one (std::runtime_error
// when it cannot be opened). OSMesa itself starts at the saver window's CreateContext and
// MakeCurrent steps, which fail with the reason in Failure().
std::unique_ptr<HeadlessSurface> MakeHeadlessBuffer(const HeadlessOptions& options);
