#include <windows.h>

#include "app/win32/first_paint.h"
#include "app/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const auto window = kalvet::win32::MainWindow::Create(instance);
    if (!window) return 1;
    window->Show(showCommand);
    kalvet::win32::FinishFirstPaint(window->Handle());
    return kalvet::win32::RunMessageLoop(window->Handle());
}
