#include "app/web/page.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <string>

namespace kalvet::web {

namespace {

using emscripten::val;

val Document() { return val::global("document"); }

// embind reads a std::string as UTF-8 (a plain char pointer only as ASCII).
val Str(std::string_view text) { return val(std::string(text)); }

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

std::string PlaceCss(const PixelRect& r) {
    return "left:" + Px(r.left) + ";top:" + Px(r.top) + ";width:" + Px(r.width) +
           ";height:" + Px(r.height);
}

// The window's look, in one sheet: classic flat controls, an etched group-box line through the
// middle of its caption, labels beneath everything else and deaf to the pointer (a label that
// runs under a box must not take the box's click).
constexpr const char* kStyleSheet = R"css(
html,body{margin:0;padding:0;background:#f0f0f0;overflow-x:hidden}
#Form1{position:relative;background:#f0f0f0;color:#000;transform-origin:0 0}
#Form1 *{box-sizing:border-box;margin:0}
fieldset{position:absolute;border:0;padding:0;min-inline-size:0}
fieldset::before{content:"";position:absolute;left:0;right:0;bottom:0;top:7px;border:2px groove #fff;border-color:#a0a0a0 #fff #fff #a0a0a0;pointer-events:none}
legend{position:absolute;left:6px;top:0;padding:0 2px;line-height:14px;background:#f0f0f0;white-space:pre;z-index:0}
.label{position:absolute;white-space:pre;line-height:normal;z-index:0;pointer-events:none;user-select:none}
input,select,button{position:absolute;z-index:1;font:inherit;color:#000}
input{padding:0 2px;border:1px solid #7a7a7a;background:#fff}
select{padding:0 1px;border:1px solid #7a7a7a;background:#fff}
button{padding:0;white-space:pre;border:1px solid #707070;background:#e1e1e1;touch-action:manipulation}
button:active{background:#cce4f7}
)css";

// A copy of the text with every blank a no-break space, so the browser shows repeated blanks
// as they stand instead of collapsing them.
std::string WithNoBreakSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        if (c == ' ') {
            out += "\xC2\xA0";
        } else {
            out += c;
        }
    }
    return out;
}

Element Create(Element& parent, const char* tag, std::string_view name, const PixelRect& r) {
    Element e = Document().call<val>("createElement", val(tag));
    e.set("id", Str(name));
    e["style"].set("cssText", val(PlaceCss(r)));
    parent.call<void>("appendChild", e);
    return e;
}

void Name(Element& e, std::string_view accessibleName, int tabIndex) {
    e.call<void>("setAttribute", val("aria-label"), Str(accessibleName));
    e.set("tabIndex", tabIndex);
}

struct Registered {
    Listener listener;
    void* context;
};

EM_BOOL OnClick(int, const EmscriptenMouseEvent*, void* data) {
    const auto* r = static_cast<const Registered*>(data);
    r->listener(r->context);
    return EM_FALSE;  // the browser goes on with its own handling
}

EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* event, void* data) {
    if (event->button != 0) return EM_FALSE;  // the primary button (or a tap) only
    const auto* r = static_cast<const Registered*>(data);
    r->listener(r->context);
    return EM_FALSE;  // the box still takes the focus and places the caret
}

struct FitTarget {
    val area;
    int width;
    int height;
};

void Fit(const FitTarget& t) {
    const double viewport = val::global("window")["innerWidth"].as<double>();
    const double scale = std::min(1.0, viewport / t.width);
    val style = t.area["style"];
    if (scale < 1.0) {
        style.set("transform", val("scale(" + std::to_string(scale) + ")"));
        // A transform leaves the layout box at full size; the body takes the scaled height so
        // the page scrolls no further than the window reaches.
        val::global("document")["body"]["style"].set(
            "height", val(std::to_string(t.height * scale) + "px"));
    } else {
        style.set("transform", val(""));
        val::global("document")["body"]["style"].set("height", val(""));
    }
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* data) {
    Fit(*static_cast<const FitTarget*>(data));
    return EM_FALSE;
}

}  // namespace

void SetPageTitle(std::string_view title) { Document().set("title", Str(title)); }

Element CreateClientArea(int width, int height, const std::string& fontCss) {
    val document = Document();
    val sheet = document.call<val>("createElement", val("style"));
    sheet.set("textContent", val(kStyleSheet));
    document["head"].call<void>("appendChild", sheet);

    Element area = document.call<val>("createElement", val("div"));
    area.set("id", val("Form1"));
    area["style"].set("cssText", val("width:" + Px(width) + ";height:" + Px(height) +
                                     ";font:" + fontCss));
    document["body"].call<void>("appendChild", area);
    return area;
}

Element CreateGroupBox(Element& parent, std::string_view name, std::string_view caption,
                       const PixelRect& r, const std::string& captionFontCss) {
    Element box = Create(parent, "fieldset", name, r);
    Element legend = Document().call<val>("createElement", val("legend"));
    legend.set("textContent", Str(caption));
    legend["style"].set("font", val(captionFontCss));
    box.call<void>("appendChild", legend);
    return box;
}

Element GroupBoxCaption(const Element& groupBox) { return groupBox["firstChild"]; }

Element CreateLabel(Element& parent, std::string_view name, std::string_view text,
                    const PixelRect& r) {
    Element label = Create(parent, "span", name, r);
    label.set("className", val("label"));
    label.set("textContent", Str(text));
    return label;
}

Element CreateTextBox(Element& parent, std::string_view name, std::string_view text,
                      const PixelRect& r, std::string_view accessibleName, int tabIndex) {
    Element box = Create(parent, "input", name, r);
    box.set("type", val("text"));
    box.set("inputMode", val("decimal"));
    box.set("autocomplete", val("off"));
    box.set("spellcheck", false);
    box.set("value", Str(text));
    Name(box, accessibleName, tabIndex);
    return box;
}

Element CreateList(Element& parent, std::string_view name, const PixelRect& r,
                   std::string_view accessibleName, int tabIndex) {
    Element list = Create(parent, "select", name, r);
    Name(list, accessibleName, tabIndex);
    return list;
}

Element CreateButton(Element& parent, std::string_view name, std::string_view caption,
                     const PixelRect& r, std::string_view accessibleName, int tabIndex) {
    Element button = Create(parent, "button", name, r);
    button.set("type", val("button"));
    button.set("textContent", Str(caption));
    Name(button, accessibleName, tabIndex);
    return button;
}

double TextAdvance(std::string_view text, const std::string& fontCss) {
    static val context = Document()
                             .call<val>("createElement", val("canvas"))
                             .call<val>("getContext", val("2d"));
    context.set("font", val(fontCss));
    return context.call<val>("measureText", Str(text))["width"].as<double>();
}

void SetCaptionPixelSize(Element& caption, int pixels) {
    caption["style"].set("fontSize", val(Px(pixels)));
}

std::string BoxText(const Element& box) { return box["value"].as<std::string>(); }

void SetBoxText(Element& box, std::string_view text) {
    box.set("value", Str(text));
    // Setting the value leaves the caret, and so the view, at the end; a result wider than its
    // box must show its first digits.
    box.call<void>("setSelectionRange", 0, 0);
    box.set("scrollLeft", 0);
}

void AppendListEntry(Element& list, std::string_view entry) {
    val option = Document().call<val>("createElement", val("option"));
    option.set("textContent", Str(WithNoBreakSpaces(entry)));
    list.call<void>("appendChild", option);
}

int SelectedListIndex(const Element& list) { return list["selectedIndex"].as<int>(); }

void SelectListIndex(Element& list, int index) { list.set("selectedIndex", index); }

void Focus(Element& control) { control.call<void>("focus"); }

void ListenForPress(std::string_view name, Listener onPress, void* context) {
    const std::string selector = "#" + std::string(name);
    // Lives as long as the page: the listener is never removed.
    auto* registered = new Registered{onPress, context};
    emscripten_set_click_callback(selector.c_str(), registered, EM_FALSE, OnClick);
}

void ListenForPointerDown(std::string_view name, Listener onPointerDown, void* context) {
    const std::string selector = "#" + std::string(name);
    auto* registered = new Registered{onPointerDown, context};
    emscripten_set_mousedown_callback(selector.c_str(), registered, EM_FALSE, OnMouseDown);
}

void FitToViewportWidth(Element& clientArea, int width, int height) {
    static FitTarget target{clientArea, width, height};
    Fit(target);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &target, EM_FALSE, OnResize);
}

void AnnounceReady() {
    Document()["documentElement"].call<void>("setAttribute", val("data-ready"), val(""));
    val::global("performance").call<void>("mark", val("kalvet-ready"));
}

}  // namespace kalvet::web
