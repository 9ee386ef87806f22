// Scaling the dialog's designed layout to a display density.
#include "config/cfg_dialog_scaling.h"

#include <cstdint>

int ScaleToDpi(int designPixels, int dpi) {
  const int64_t product = int64_t{designPixels} * dpi;
  const int64_t design = kCfgForm.DesignPixelsPerInch;
  const int64_t half = design / 2;
  return static_cast<int>(product >= 0 ? (product + half) / design : (product - half) / design);
}

CfgScaledLayout ScaleCfgLayout(int dpi) {
  CfgScaledLayout scaled{};
  scaled.ClientWidth = ScaleToDpi(kCfgForm.ClientWidth, dpi);
  scaled.ClientHeight = ScaleToDpi(kCfgForm.ClientHeight, dpi);
  scaled.FontHeightPixels = ScaleToDpi(kCfgForm.FontHeightPixels, dpi);
  scaled.SliderThumbLength = ScaleToDpi(kCfgForm.SliderThumbLength, dpi);
  for (const CfgControlLayout& control : kCfgControls) {
    scaled.Controls[static_cast<std::size_t>(control.Id)] = {
        ScaleToDpi(control.Left, dpi), ScaleToDpi(control.Top, dpi), ScaleToDpi(control.Width, dpi),
        ScaleToDpi(control.Height, dpi)};
  }
  return scaled;
}
