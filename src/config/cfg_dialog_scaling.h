// The configuration dialog's layout at a display density. The layout is designed at 96 pixels
// per inch; on a scaled display every position and size, the font and the slider thumb grow
// with the density, rounded the way Windows' MulDiv rounds (to nearest, halves away from
// zero), so that the dialog looks as designed in the monitor's real pixels.
#pragma once

#include <array>

#include "config/cfg_dialog_model.h"

// `designPixels` at 96 pixels per inch, in pixels at `dpi`.
int ScaleToDpi(int designPixels, int dpi);

struct CfgBox {
  int Left, Top, Width, Height;
};

struct CfgScaledLayout {
  int ClientWidth, ClientHeight;
  int FontHeightPixels;   // character height, as kCfgForm.FontHeightPixels
  int SliderThumbLength;  // as kCfgForm.SliderThumbLength
  std::array<CfgBox, kCfgControls.size()> Controls;  // in the order of kCfgControls

  const CfgBox& Box(CfgControl id) const { return Controls[static_cast<std::size_t>(id)]; }
};

CfgScaledLayout ScaleCfgLayout(int dpi);
