// Prints, as JSON, what the page must show according to the layout tables and Form1: every
// control with its group box, row label, pixel rectangle in the client area, caption or initial
// text and accessible name, and where the keyboard's action key leads from a box; the lists'
// entries after start-up; and the expected facts every test program shares (tests/expected.h):
// the lists' counts and ends, the boxes a click empties, the Tab order and the worked examples.
// The browser test holds the page against this, so nothing of the window is written twice.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/layout.h"
#include "app/web/hand.h"
#include "tests/app/fake_window.h"
#include "tests/expected.h"

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
    const auto name = [](ControlId id) { return Quoted(ControlLayout(id).name); };
    out += "],\"expected\":{\"prompt\":" + Quoted(expected::kPrompt) + ",\"families\":[";
    for (const auto& f : expected::kFamilies) {
        out += (&f == expected::kFamilies ? "{" : ",{") + std::string("\"list\":") + name(f.list) +
               ",\"entries\":" + std::to_string(f.entries) + ",\"first\":" + Quoted(f.first) +
               ",\"last\":" + Quoted(f.last) + "}";
    }
    out += "],\"clickEmpties\":[";
    for (const ControlId id : expected::kClickEmpties) out += (id == expected::kClickEmpties[0] ? "" : ",") + name(id);
    out += "],\"tabOrder\":[";
    for (const ControlId id : expected::kTabOrder) out += (id == expected::kTabOrder[0] ? "" : ",") + name(id);
    out += "],\"roads\":[";
    for (const auto& r : expected::kRoads) {
        out += (&r == expected::kRoads ? "{" : ",{") + std::string("\"probe\":") + Quoted(r.probe);
        if (r.list != ControlId::None) out += ",\"list\":[" + name(r.list) + "," + Quoted(r.entry) + "]";
        out += ",\"typed\":[";
        for (const auto& t : r.typed) {
            if (t.box != ControlId::None) out += (&t == r.typed.data() ? "[" : ",[") + name(t.box) + "," + Quoted(t.text) + "]";
        }
        out += "],\"button\":" + name(r.button) + ",\"result\":" + name(r.result) + ",\"shown\":" + Quoted(r.shown) + "}";
    }
    out += "]}}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    for (const auto& m : window.Misuse()) std::fprintf(stderr, "Form1 misused the window: %s\n", m.c_str());
    return window.Misuse().empty() ? 0 : 1;
}
