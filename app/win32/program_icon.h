// The program's icon, as its window class carries it.
#pragma once

#include <windows.h>

namespace kalvet::win32 {

// The icon from `module`'s resources at `size` pixels square; the system's plain program icon
// if the module carries none. Shared: the system owns the handle, nobody destroys it.
HICON ProgramIcon(HINSTANCE module, int size);

}  // namespace kalvet::win32
