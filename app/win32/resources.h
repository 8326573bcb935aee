// Resource IDs, shared by the resource scripts and the code that loads the resources.
#pragma once

// The program's icon. Explorer shows a program's first icon group, the one with the lowest ID.
#define KALVET_ICON 1
