#include "vorsaver/movie/monitors_win.h"

namespace vorsaver {

namespace {

struct Listing {
    MonitorInfoCall monitorInfo;
    MonitorList* list;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto* listing = reinterpret_cast<Listing*>(param);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!listing->monitorInfo(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    if (info.dwFlags & MONITORINFOF_PRIMARY) listing->list->primary = listing->list->monitors.size();
    listing->list->monitors.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    return TRUE;
}

}  // namespace

MonitorList ListMonitorsWith(EnumMonitorsCall enumMonitors, MonitorInfoCall monitorInfo) {
    MonitorList list;
    if (enumMonitors != nullptr && monitorInfo != nullptr) {
        Listing listing = {monitorInfo, &list};
        enumMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listing));
    }
    if (list.monitors.empty()) {
        list.monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        list.primary = 0;
    }
    return list;
}

MonitorList ListMonitors() {
    HMODULE user = GetModuleHandleA("user32.dll");
    auto enumMonitors = reinterpret_cast<EnumMonitorsCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayMonitors")));
    auto monitorInfo = reinterpret_cast<MonitorInfoCall>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    return ListMonitorsWith(enumMonitors, monitorInfo);
}

}  // namespace vorsaver
