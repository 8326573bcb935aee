// Screen resolution per window. The per-monitor calls exist only from Windows 10 on (and are
// missing from older wine), so they are looked up at run time and fall back to the system-wide
// resolution that every Windows version reports.
#pragma once

#include <windows.h>

namespace kalvet::win32 {

// The dots per inch the window is shown at.
int WindowDpi(HWND window);

// The resolution of the main screen, where a new window opens unless told otherwise, and which
// GetSystemMetrics and the window class's icons are sized for.
int SystemDpi();

// A system metric (SM_CYBORDER, SM_CXSMICON …) at `dpi`, not the main screen's: as
// GetSystemMetricsForDpi gives it, else the system-wide value scaled.
int SystemMetricForDpi(int index, int dpi);

// The window rectangle that gives `rect` as client area at `dpi`, as AdjustWindowRectEx does.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace kalvet::win32
