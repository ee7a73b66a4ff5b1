// The monitors the saver has to cover. Windows 98 and 2000 brought the
// calls that list them; Windows 95 and NT 4 have one screen and lack them,
// so they are looked up at run time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "vorsaver/movie/movie_layout.h"

namespace vorsaver {

struct MonitorList {
    std::vector<PixelBox> monitors;
    std::size_t primary = 0;
};

MonitorList ListMonitors();

// The same through the given calls; where either is missing, or lists
// nothing, the one screen that every Windows reports.
using EnumMonitorsCall = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using MonitorInfoCall = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
MonitorList ListMonitorsWith(EnumMonitorsCall enumMonitors, MonitorInfoCall monitorInfo);

}  // namespace vorsaver
