// CoverageOf: the extent of the texels with alpha, one axis at a time.
#include "textures/alpha_coverage.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace {

struct TexelRange {
  uint32_t First, Last;
};

// Widens the texels [First, Last] of an axis `size` texels long to the coordinates whose
// linear filtering can reach them. A sample at u = s * size blends texels floor(u - 0.5)
// and the one after it, so it reaches the range from u = First - 0.5 to Last + 1.5; a texel
// more on each side covers rounding in the interpolated coordinates. An edge texel with
// alpha is blended into the opposite edge, and then no coordinate is safe to leave out.
void Widen(const TexelRange& texels, uint32_t size, double& min, double& max) {
  if (texels.First == 0 || texels.Last + 1 == size) return;
  min = std::max(0.0, (texels.First - 1.5) / size);
  max = std::min(1.0, (texels.Last + 2.5) / size);
}

std::optional<TexelRange> Include(std::optional<TexelRange> range, uint32_t texel) {
  if (!range) return TexelRange{texel, texel};
  return TexelRange{std::min(range->First, texel), std::max(range->Last, texel)};
}

}  // namespace

AlphaCoverage CoverageOf(const TgaImage& image) {
  AlphaCoverage coverage;
  constexpr std::size_t kBytes = 4, kAlpha = 3;
  if (image.BitsPerPixel != 32 ||
      image.Pixels.size() != std::size_t{image.Width} * image.Height * kBytes) {
    return coverage;
  }
  std::optional<TexelRange> columns, rows;
  for (uint32_t row = 0; row < image.Height; ++row) {
    for (uint32_t column = 0; column < image.Width; ++column) {
      if (image.Pixels[(std::size_t{row} * image.Width + column) * kBytes + kAlpha] == 0) continue;
      columns = Include(columns, column);
      rows = Include(rows, row);
    }
  }
  if (!columns) return coverage;
  Widen(*columns, image.Width, coverage.SMin, coverage.SMax);
  Widen(*rows, image.Height, coverage.TMin, coverage.TMax);
  return coverage;
}
