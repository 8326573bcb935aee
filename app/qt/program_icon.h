// The program's icon, as its windows and the application carry it.
#pragma once

#include <QIcon>

namespace kalvet::qt {

// Every size rendered from the icon's drawing at build time, compiled into the program, so
// the window has its icon whether or not the program is installed.
QIcon ProgramIcon();

}  // namespace kalvet::qt
