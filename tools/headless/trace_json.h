// The scene as JSON Lines: one object per frame with the flight state, the pool counts
// and the lights, optionally every live particle, smoke puff and flash.
#pragma once

#include <cstdint>
#include <string>

#include "scene/scene.h"

// Appends one trace object for the state after `frame` updates, ending with '\n'.
void AppendTraceLine(std::string& out, const Scene& scene, int64_t frame, bool withObjects);

// Numbers in their shortest form that reads back to the same value of the same type;
// NaN and infinities, which JSON cannot hold, become null.
void AppendJsonNumber(std::string& out, double value);
void AppendJsonNumber(std::string& out, float value);
