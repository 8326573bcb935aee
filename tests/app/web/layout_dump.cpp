// Prints, as JSON, what the page must show according to the layout tables and Form1: every
// control with its group box, row label, pixel rectangle in the client area, caption or initial
// text and accessible name, and where the keyboard's action key leads from a box; the Tab
// order; the lists' entries after start-up; the boxes a click empties. The browser test holds
// the page against this, so nothing of the window is written twice.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/layout.h"
#include "app/web/hand.h"
#include "tests/app/fake_window.h"

namespace {

using namespace kalvet;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame: return "frame";
        case ControlKind::Label: return "label";
        case ControlKind::TextBox: return "box";
        case ControlKind::ComboBox: return "list";
        case ControlKind::Button: return "button";
    }
    return "";
}

}  // namespace

int main() {
    testing::FakeWindow window;
    Form1 form(window);
    Form1::Form_Load(window);

    const WindowLayout& layout = Window1Layout();
    std::string out = "{\"caption\":" + Quoted(layout.caption);
    out += ",\"width\":" + std::to_string(TwipsToPixels(layout.clientWidthTwips));
    out += ",\"height\":" + std::to_string(TwipsToPixels(layout.clientHeightTwips));
    out += ",\"fontPixels\":" + std::to_string(FontPixels(layout.font));
    out += ",\"controls\":[";
    bool first = true;
    for (const ControlItem& c : Controls()) {
        int left = TwipsToPixels(c.rect.left);
        int top = TwipsToPixels(c.rect.top);
        if (c.frame != ControlId::None) {
            left += TwipsToPixels(ControlLayout(c.frame).rect.left);
            top += TwipsToPixels(ControlLayout(c.frame).rect.top);
        }
        out += first ? "{" : ",{";
        first = false;
        out += "\"name\":" + Quoted(c.name) + ",\"kind\":\"" + KindName(c.kind) + "\"";
        out += ",\"text\":" + Quoted(c.text);
        if (c.frame != ControlId::None) out += ",\"frame\":" + Quoted(ControlLayout(c.frame).name);
        if (c.rowLabel != ControlId::None) {
            out += ",\"rowLabel\":" + Quoted(ControlLayout(c.rowLabel).name);
        }
        out += ",\"left\":" + std::to_string(left) + ",\"top\":" + std::to_string(top);
        out += ",\"width\":" + std::to_string(TwipsToPixels(c.rect.width));
        out += ",\"height\":" + std::to_string(TwipsToPixels(c.rect.height));
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
            c.kind == ControlKind::Button) {
            out += ",\"accessibleName\":" + Quoted(AccessibleName(c.id));
        }
        if (c.kind == ControlKind::TextBox) {
            window.Type(c.id, "1");
            form.TextBoxClicked(c.id);
            out += window.Text(c.id).empty() ? ",\"clickEmpties\":true" : ",\"clickEmpties\":false";
            if (web::ActionKeyTarget(c.id) != ControlId::None) {
                out += ",\"actionKey\":" + Quoted(ControlLayout(web::ActionKeyTarget(c.id)).name);
            }
        }
        if (c.kind == ControlKind::ComboBox) {
            out += ",\"entries\":[";
            for (const std::string& e : window.Entries(c.id)) {
                out += (&e == &window.Entries(c.id).front() ? "" : ",") + Quoted(e);
            }
            out += "]";
        }
        out += "}";
    }
    out += "],\"tabOrder\":[";
    for (const ControlId id : TabOrder()) {
        out += (id == TabOrder().front() ? "" : ",") + Quoted(ControlLayout(id).name);
    }
    out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
