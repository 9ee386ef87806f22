// Camera-facing squares (the glows of the coloured lights and the smoke puffs) and the
// viewer's axes they are built from.
#pragma once

#include "scene/vec3.h"

// The viewer's axes in the current model coordinates: the first three rows of the
// model-view matrix's rotation part.
struct ViewAxes {
  Vec3 Right;    // the viewer's x axis
  Vec3 Up;       // the viewer's y axis
  Vec3 Towards;  // the viewer's z axis: points at the viewer, a normal that faces it
};

// One glGetFloatv of the model-view matrix. Read once per drawing pass, not per square.
ViewAxes ReadViewAxes();

// One GL_QUADS square with texture coordinates 0..1, corners at the centre plus or minus
// halfSize times right plus or minus halfSize times up, counter-clockwise as the viewer
// sees it so that it survives back-face culling. Sets no colour, normal or texture.
void DrawBillboard(double x, double y, double z, double halfSize, const Vec3& right,
                   const Vec3& up);
