#include <windows.h>

#include "app/win32/main_window.h"
#ifdef KALVET_STARTUP_PROBE
#include "app/win32/first_paint.h"
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const auto window = kalvet::win32::MainWindow::Create(instance);
    if (!window) return 1;
    window->Show(showCommand);
#ifdef KALVET_STARTUP_PROBE
    kalvet::win32::FinishFirstPaint(window->Handle());
#endif
    return kalvet::win32::RunMessageLoop(window->Handle());
}
