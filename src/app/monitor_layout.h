// The desktop's monitors and where the full-screen saver puts its windows on them: the scene
// on the primary monitor, as the maximized saver window has it, and a black cover window on
// every other monitor, so that no part of the desktop shows anywhere. The shells read the real
// monitors; tests give made-up layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A rectangle in screen coordinates, right and bottom exclusive. Monitors left of or above
// the primary one have negative coordinates.
struct ScreenRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(const ScreenRect& other) const {
    return other.Left >= Left && other.Top >= Top && other.Right <= Right && other.Bottom <= Bottom;
  }
  bool operator==(const ScreenRect&) const = default;
};

struct MonitorLayout {
  std::vector<ScreenRect> Monitors;
  std::size_t Primary = 0;  // index into Monitors
};

struct SaverPlacement {
  ScreenRect Scene;                // empty when the layout has no usable monitor
  std::vector<ScreenRect> Covers;  // one per other monitor, in the layout's order
};

// The scene goes on the primary monitor (the first one with area when Primary names none or
// one without area). Every other
// monitor gets a cover, except one that shows nothing the scene or an earlier cover does not
// already hide (a mirrored or duplicated monitor) and one without area. One monitor: no cover.
SaverPlacement PlaceSaver(const MonitorLayout& layout);
