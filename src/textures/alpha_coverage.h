// Where a texture can show at all: the part of its coordinates outside which linear
// filtering of its first level gives an alpha of zero. A square drawn with it, under the
// MODULATE environment and the SRC_ALPHA / ONE_MINUS_SRC_ALPHA blend, leaves every pixel
// outside that part exactly as it was, so those pixels need not be shaded.
#pragma once

#include "textures/tga_reader.h"

// Texture coordinates, 0 .. 1 both ways; the whole texture by default.
struct AlphaCoverage {
  double SMin = 0, SMax = 1;  // across the image's columns
  double TMin = 0, TMax = 1;  // across its rows, as stored (the first row at t = 0)
};

// The coverage of an image sampled with GL_LINEAR from its first level and GL_REPEAT: the
// columns and rows that hold a texel with alpha, widened by the texel that filtering blends
// in and one more for rounding. The whole texture when the image has no alpha, no texel
// with alpha, or texels with alpha on an edge (repeat blends them into the opposite one).
AlphaCoverage CoverageOf(const TgaImage& image);
