// Enumerating the monitors.
#include "app/win32/win32_monitors.h"

#include <windows.h>

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& layout = *reinterpret_cast<MonitorLayout*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) layout.Primary = layout.Monitors.size();
  const RECT& r = info.rcMonitor;
  layout.Monitors.push_back({r.left, r.top, r.right, r.bottom});
  return TRUE;
}

}  // namespace

MonitorLayout SystemMonitorLayout() {
  MonitorLayout layout;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&layout));
  return layout;
}
