// The desktop's monitors as Windows lists them, in the monitors' own pixels.
#pragma once

#include <functional>

#include "app/monitor_layout.h"

MonitorLayout SystemMonitorLayout();

// Where the saver window reads the monitors from; tests put made-up layouts here.
using MonitorLayoutSource = std::function<MonitorLayout()>;
