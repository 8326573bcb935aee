// The window arranged for the hand, on a narrow or touch screen: each group's controls in rows,
// kept in the order they stand in the window, and a phone keyboard's action key leading along
// the boxes a group's button reads. The desktop window is the layout's own; this is only the
// page's.
#pragma once

#include <cstdint>
#include <string>

#include "app/layout.h"

namespace kalvet::web {

// The media query under which the page shows this arrangement: the viewport is narrower than
// the window, or the primary pointer is a finger. Anywhere else the window is as on the desktop.
std::string TouchMedia();

// Every box, list and button heads a row of its own, the rows ordered by their tops; its row
// label stands before it and its unit label after it. Group boxes have no cell (row 0).
enum class RowColumn : std::uint8_t { Label = 1, Control = 2, Unit = 3 };
struct RowCell {
    int row;  // from 1, within the group
    RowColumn column;
};
RowCell RowCellOf(ControlId id);

// Where the action key leads from a box a button reads: the next box that button reads, or,
// from the last one, the button itself. None from any other box (a result, the density box).
ControlId ActionKeyTarget(ControlId box);

}  // namespace kalvet::web
