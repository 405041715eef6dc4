// Where the main window opens: its stored place kept on the monitors.
#pragma once

#include <vector>

#include "platform/services.h"

// The window's left and top edges moved back onto the box that holds every
// monitor (a box growing from (0, 0)): an edge before the box's start or past
// its end goes to the start. The size is not looked at.
void clamp_to_monitors(int& left, int& top, const std::vector<MonitorInfo>& monitors);
