#include "common/dpi_win.h"

namespace {

// A function of user32 that older systems lack; null there.
template <typename Function> Function user32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

} // namespace

int dpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto perWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = perWindow != nullptr && window != nullptr ? perWindow(window) : 0;
    if (dpi != 0) {
        return static_cast<int>(dpi);
    }
    HDC screen = GetDC(window);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window, screen);
    return systemDpi;
}

SIZE windowSizeForClient(SIZE client, DWORD style, int dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjustForDpi = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer = {0, 0, client.cx, client.cy};
    if (adjustForDpi == nullptr || !adjustForDpi(&outer, style, FALSE, 0, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&outer, style, FALSE, 0);
    }
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

RECT monitorOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    HMONITOR handle = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                        : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(handle, &monitor)) {
        monitor.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return monitor.rcMonitor;
}
