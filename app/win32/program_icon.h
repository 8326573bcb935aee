// The program's icon, as its window class carries it.
#pragma once

#include <windows.h>

namespace kalvet::win32 {

// The icon from `module`'s resources at `size` pixels square; the system's plain program icon
// if the module carries none. Shared: the system owns the handle, nobody destroys it.
HICON ProgramIcon(HINSTANCE module, int size);

// The same picture as a handle of the caller's own, to be destroyed with DestroyIcon; null if
// the module carries none. For sizes that change while the program runs: a shared icon stays in
// the system's cache as long as the module.
HICON OwnedProgramIcon(HINSTANCE module, int size);

}  // namespace kalvet::win32
