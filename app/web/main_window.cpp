#include "app/web/main_window.h"

#include <emscripten/emscripten.h>

#include <cmath>

#include "app/captions.h"
#include "app/web/hand.h"
#include "app/web/markup.h"
#include "app/web/page.h"

namespace kalvet::web {

namespace {

// The page's slot for a control is its ControlId.
int Slot(ControlId id) { return static_cast<int>(id); }

MainWindow* g_window = nullptr;  // the page's one window, for the page's events

// How wide a text is in a Song face: Latin letters, digits and blanks half a character, the
// rest a whole one. A single UTF-8 lead byte starts each character.
double SongAdvance(std::string_view text, int pixels) {
    double advance = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) advance += pixels / 2.0;
        else if (byte >= 0xC0) advance += pixels;
    }
    return advance;
}

}  // namespace

MainWindow::MainWindow() {
    g_window = this;
    std::string names;
    for (const ControlItem& c : Controls()) names.append(names.empty() ? "" : " ").append(c.name);
    NameControls(names);
    Listen();
}

void MainWindow::Press(ControlId control) {
    if (ControlLayout(control).kind != ControlKind::Button) return;
    form_.ButtonClicked(control);
    const GroupRoles& group = GroupOf(control);
    if (group.button == control) ScrollIntoView(Slot(group.result));
}

void MainWindow::PointerDown(ControlId control) {
    if (ControlLayout(control).kind == ControlKind::TextBox) form_.TextBoxClicked(control);
}

bool MainWindow::Enter(ControlId control) {
    // On the desktop Enter in a box does nothing, as in the desktop programs; for the hand the
    // action key walks the boxes a group reads and computes from the last.
    if (ControlLayout(control).kind != ControlKind::TextBox || !TouchArrangement()) return false;
    const ControlId target = ActionKeyTarget(control);
    if (target == ControlId::None) return false;
    if (ControlLayout(target).kind == ControlKind::Button) {
        Press(target);
    } else {
        Focus(Slot(target));
    }
    return true;
}

void MainWindow::FitCaptions() {
    const WindowLayout& layout = Window1Layout();
    const int pixels = FontPixels(layout.font);
    // One measurement decides: every caption fits in the Song face the window is drawn for,
    // so only when the page uses another face is each caption measured.
    std::string all;
    for (const ControlItem& c : Controls()) {
        if (HasCaption(c.kind) && c.kind != ControlKind::Frame) all += c.text;
    }
    if (std::abs(TextAdvance(all, FontCss(layout.font, pixels)) - SongAdvance(all, pixels)) < 0.5) {
        AnnounceCaptionsFitted();
        return;
    }
    kalvet::FitCaptions(
        [](const ControlItem& c, int pixels) {
            return static_cast<int>(std::ceil(TextAdvance(c.text, FontCss(CaptionFont(c), pixels))));
        },
        [](const ControlItem& c, int pixels) { SetCaptionPixels(Slot(c.id), pixels); });
    AnnounceCaptionsFitted();
}

std::string MainWindow::Text(ControlId textBox) const { return BoxText(Slot(textBox)); }

void MainWindow::SetText(ControlId textBox, std::string_view text) {
    SetBoxText(Slot(textBox), text);
}

std::string MainWindow::ShownEntry(ControlId list) const { return ShownListEntry(Slot(list)); }

}  // namespace kalvet::web

using kalvet::web::g_window;

extern "C" {

EMSCRIPTEN_KEEPALIVE void kalvet_press(int slot) {
    if (const auto id = kalvet::ControlAt(slot)) g_window->Press(*id);
}

EMSCRIPTEN_KEEPALIVE void kalvet_pointer_down(int slot) {
    if (const auto id = kalvet::ControlAt(slot)) g_window->PointerDown(*id);
}

EMSCRIPTEN_KEEPALIVE int kalvet_enter(int slot) {
    const auto id = kalvet::ControlAt(slot);
    return id && g_window->Enter(*id) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void kalvet_first_paint() {
    kalvet::web::KeepForOffline();
    g_window->FitCaptions();
}

}  // extern "C"
