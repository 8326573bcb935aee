// The window as a page: one element per row of the layout tables, Form1 behind them. This class
// only translates: layout twips into CSS pixels, the page's events into Form1's routing by
// ControlId, and texts in and out of the elements. Every decision about what a click or a press
// does stays in Form1; every call into the page goes through page.h.
#pragma once

#include <array>
#include <optional>
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

// The markup of every control inside the client area: group boxes as fieldsets with their
// captions as legends, the controls inside them placed in pixels, each with its name as id,
// its accessible name and its place in the Tab order. Captions are drawn at `captionPixels`
// (by ControlId) where that differs from `pixels`.
std::string ControlsHtml(int pixels, const std::array<int, kControlCount>& captionPixels);

// A list entry as an option element; its blanks become no-break spaces, which the browser
// shows as they stand instead of collapsing repeated ones.
std::string OptionHtml(std::string_view entry);

class MainWindow final : public Window {
public:
    // Puts every control into the page, sets the Tab order, runs Form_Load, focuses the first
    // control of the Tab order and announces the window ready. One per page, kept for as long
    // as the page is open.
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;
    std::string ShownEntry(ControlId list) const override;

private:
    static void OnPress(std::string_view name);
    static void OnPointerDown(std::string_view name);

    Element& Control(ControlId id) const;  // found in the page on first use
    Element& List(ControlId id) const;     // with the entries added so far

    std::optional<Element> area_;  // the client area
    mutable std::array<std::optional<Element>, kControlCount> elements_;
    // Each list's entries as Form1 gave them: the page shows them with no-break spaces, so the
    // shown entry is always taken from here, never read back from the page.
    std::array<std::vector<std::string>, kControlCount> entries_;
    // Entries not yet in the page: a list is filled in one step when it is next used.
    mutable std::array<std::string, kControlCount> optionsHtml_;
    mutable std::array<bool, kControlCount> optionsPending_{};
    Form1 form_{*this};
};

}  // namespace kalvet::web
