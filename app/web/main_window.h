// The window as a page: one element per row of the layout tables, Form1 behind them. This class
// only translates: layout twips into CSS pixels, the page's events into Form1's routing by
// ControlId, and texts in and out of the elements. Every decision about what a click or a press
// does stays in Form1; every call into the page goes through page.h.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/layout.h"
#include "app/web/page.h"
#include "app/window.h"

namespace kalvet::web {

// The CSS font list for one of the layout's fonts: its face under the Latin name browsers
// know it by, the Song faces of other systems, the layout's stand-in, then any serif face.
std::string FontCss(const FontChoice& font, int pixels);

class MainWindow final : public Window {
public:
    // Builds every control into the page, fits the captions, sets the Tab order, runs
    // Form_Load, focuses the first control of the Tab order and announces the window ready.
    // The window must outlive the page's listeners: make it once and keep it.
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;
    std::string ShownEntry(ControlId list) const override;

private:
    // What a listener needs to reach Form1 for one control.
    struct Route {
        MainWindow* window;
        ControlId id;
    };

    void Build();
    void FitCaption(Element& caption, std::string_view text, const FontChoice& font, int room);

    std::vector<Element> elements_;  // in the order of Controls(), so indexed by ControlId
    std::array<Route, kControlCount> routes_{};
    // Each list's entries as Form1 gave them: the page shows them with no-break spaces, so the
    // shown entry is always taken from here, never read back from the page.
    std::array<std::vector<std::string>, kControlCount> entries_;
    Form1 form_{*this};
};

}  // namespace kalvet::web
