// What Form1 needs of a window, and all it needs: a front end implements this one interface
// over its toolkit's controls. Every text crossing it is UTF-8; the front end converts at its
// edge. Controls are named by ControlId, never by caption.
#pragma once

#include <string>
#include <string_view>

#include "app/layout.h"

namespace kalvet {

class Window {
public:
    virtual ~Window() = default;

    // The whole current text of a text box, exactly as the user left it (nothing trimmed).
    virtual std::string Text(ControlId textBox) const = 0;

    // Replaces the whole text of a text box. Does not move the focus or raise any handler.
    virtual void SetText(ControlId textBox, std::string_view text) = 0;

    // Appends an entry at the end of a drop-down list. Entries are never sorted.
    virtual void AddListEntry(ControlId list, std::string_view entry) = 0;

    // Makes entry `index` (0 is the first) the list's shown entry. The index is always one
    // that exists.
    virtual void SelectListEntry(ControlId list, int index) = 0;

    // The text of the list's shown entry, or "" when it shows none.
    virtual std::string ShownEntry(ControlId list) const = 0;
};

}  // namespace kalvet
