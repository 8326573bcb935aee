// The start-up benchmark's view of a Win32 window (see app/startup_probe.h).
#pragma once

#include <windows.h>

namespace kalvet::win32 {

// When the start-up probe is active: paints the shown window and all its controls at once,
// records the time and asks the window to close. Does nothing otherwise.
void FinishFirstPaint(HWND window);

}  // namespace kalvet::win32
