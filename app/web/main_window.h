// The window as a page. Its markup is already in the page, written at build time from the
// layout tables (markup.h); this class takes hold of the controls, runs Form_Load and routes
// the page's events to Form1 by ControlId. Every decision about what a click or a press does
// stays in Form1; every call into the page goes through page.h.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/layout.h"
#include "app/window.h"

namespace kalvet::web {

class MainWindow final : public Window {
public:
    // Takes hold of every box, list and button in the page, runs Form_Load, listens, focuses
    // the first control of the Tab order and announces the window ready. One per page, kept
    // for as long as the page is open.
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;
    std::string ShownEntry(ControlId list) const override;

    // The page's events, by the control they reached.
    void Press(ControlId control);
    void PointerDown(ControlId control);
    bool Enter(ControlId control);
    // Shrinks the captions that do not fit in the face the page really uses; once, after the
    // window is first painted.
    void FitCaptions();

private:
    // Each list's entries as Form1 gave them: the page shows them with no-break spaces, so the
    // shown entry is always taken from here, never read back from the page.
    std::array<std::vector<std::string>, kControlCount> entries_;
    Form1 form_{*this};
};

}  // namespace kalvet::web
