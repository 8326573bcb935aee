// What Form1 needs of a window, and all it needs: a front end implements these interfaces over
// its toolkit's controls. Every text crossing them is UTF-8; the front end converts at its
// edge. Controls are named by ControlId, never by caption.
//
// Besides these calls, every front end must:
// - build each control from the layout tables (layout.h) at its place, with TwipsToPixels and
//   FontPixels at its screen's resolution;
// - give the focus to TabOrder()'s first control and let Tab visit the controls in that order;
// - shrink a caption that does not fit its room in the face really used (captions.h's
//   FitCaptions, handed the toolkit's text measurement);
// - name each box, list and button to screen readers by AccessibleName();
// - hand a primary-button press in a text box to Form1::TextBoxClicked before the box takes
//   it, so that the caret lands in the emptied box;
// - hand a button's press by mouse, tap, Space or Enter to Form1::ButtonClicked, once per press;
// - show a text set into a box from its first character;
// - let a press on a label reach the control beneath it.
#pragma once

#include <string>
#include <string_view>

#include "app/layout.h"

namespace kalvet {

// The designation lists as start-up fills them (Form1::Form_Load), before the window is shown.
class ListFiller {
public:
    virtual ~ListFiller() = default;

    // Appends an entry at the end of a drop-down list. Entries are never sorted.
    virtual void AddListEntry(ControlId list, std::string_view entry) = 0;

    // Makes entry `index` (0 is the first) the list's shown entry. The index is always one
    // that exists.
    virtual void SelectListEntry(ControlId list, int index) = 0;
};

// The window as a press or a click reads and writes it.
class Window {
public:
    virtual ~Window() = default;

    // The whole current text of a text box, exactly as the user left it (nothing trimmed).
    virtual std::string Text(ControlId textBox) const = 0;

    // Replaces the whole text of a text box. Does not move the focus or raise any handler.
    virtual void SetText(ControlId textBox, std::string_view text) = 0;

    // The text of the list's shown entry, or "" when it shows none.
    virtual std::string ShownEntry(ControlId list) const = 0;
};

}  // namespace kalvet
