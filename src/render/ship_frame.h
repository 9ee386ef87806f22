// The ship's frame: its position and either the cruise rocking or a manoeuvre's rotation,
// multiplied onto the current model-view matrix.
#pragma once

#include "scene/scene.h"

// Translates to the ship and applies the rotation of scene.FlightMode (and, for loops,
// ManoeuvreVariant). Unknown modes and variants leave the translation alone. Pushes
// nothing: the caller brackets it with glPushMatrix / glPopMatrix.
void ApplyShipFrame(const Scene& scene);
