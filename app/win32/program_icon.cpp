#include "app/win32/program_icon.h"

#include "app/win32/resources.h"

namespace kalvet::win32 {

HICON ProgramIcon(HINSTANCE module, int size) {
    // The .ico holds the system's icon sizes, so the picture comes unscaled.
    const auto icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(KALVET_ICON), IMAGE_ICON, size, size, LR_SHARED));
    return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

HICON OwnedProgramIcon(HINSTANCE module, int size) {
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(KALVET_ICON), IMAGE_ICON, size, size, 0));
}

}  // namespace kalvet::win32
