#include "app/win32/first_paint.h"

#include "app/startup_probe.h"

namespace kalvet::win32 {

void FinishFirstPaint(HWND window) {
    if (!StartupProbeActive()) return;
    // The controls would otherwise paint one by one as the loop reaches their messages; this
    // makes the time taken that of a complete first picture.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RecordFirstPaint();
    PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace kalvet::win32
