// Placing the full-screen saver's windows on the monitors.
#include "app/monitor_layout.h"

#include <algorithm>

SaverPlacement PlaceSaver(const MonitorLayout& layout) {
  SaverPlacement placement;
  const std::vector<ScreenRect>& monitors = layout.Monitors;
  const std::size_t primary = layout.Primary < monitors.size() ? layout.Primary : 0;
  if (monitors.empty() || monitors[primary].Empty()) return placement;
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
