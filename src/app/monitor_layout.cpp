// Placing the full-screen saver's windows on the monitors.
#include "app/monitor_layout.h"

#include <algorithm>

namespace {

// The primary monitor, or the first one with area when the primary is missing or has none
// (a layout reported mid-change); monitors.size() when no monitor has area.
std::size_t SceneMonitor(const MonitorLayout& layout) {
  const std::vector<ScreenRect>& monitors = layout.Monitors;
  if (layout.Primary < monitors.size() && !monitors[layout.Primary].Empty()) return layout.Primary;
  return static_cast<std::size_t>(std::find_if(monitors.begin(), monitors.end(),
                                               [](const ScreenRect& m) { return !m.Empty(); }) -
                                  monitors.begin());
}

}  // namespace

SaverPlacement PlaceSaver(const MonitorLayout& layout) {
  SaverPlacement placement;
  const std::vector<ScreenRect>& monitors = layout.Monitors;
  const std::size_t primary = SceneMonitor(layout);
  if (primary == monitors.size()) return placement;
  placement.Scene = monitors[primary];
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const ScreenRect& monitor = monitors[i];
    if (i == primary || monitor.Empty() || placement.Scene.Contains(monitor)) continue;
    const bool hidden = std::any_of(placement.Covers.begin(), placement.Covers.end(),
                                    [&](const ScreenRect& c) { return c.Contains(monitor); });
    if (!hidden) placement.Covers.push_back(monitor);
  }
  return placement;
}
