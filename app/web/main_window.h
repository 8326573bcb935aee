// The window as a page. Its markup is already in the page, written at build time from the
// layout tables, with the lists as Form_Load filled them (markup.h), so this window has only
// what a press reads and writes; it names the controls to the page and routes the page's
// events to Form1 by ControlId. Every decision about what a click or a press does stays in
// Form1; every call into the page goes through page.h.
#pragma once

#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/layout.h"
#include "app/window.h"

namespace kalvet::web {

class MainWindow final : public Window {
public:
    // Takes the events of the window already in the page, which the page has made ready. One
    // per page, kept for as long as the page is open.
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    std::string ShownEntry(ControlId list) const override;

    // The page's events, by the control they reached.
    void Press(ControlId control);
    void PointerDown(ControlId control);
    bool Enter(ControlId control);
    // Shrinks the captions that do not fit in the face the page really uses; once, after the
    // window is first painted.
    void FitCaptions();

private:
    Form1 form_{*this};
};

}  // namespace kalvet::web
