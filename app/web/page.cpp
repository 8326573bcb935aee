#include "app/web/page.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <string>

namespace kalvet::web {

namespace {

using emscripten::val;

val Document() { return val::global("document"); }

// embind reads a std::string as UTF-8 (a plain char pointer only as ASCII).
val Str(std::string_view text) { return val(std::string(text)); }

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

// The window's look, in one sheet: classic flat controls, an etched group-box line through the
// middle of its caption, labels beneath everything else and deaf to the pointer (a label that
// runs under a box must not take the box's click). A window scaled down to a narrow screen keeps
// its full size in the layout: the body clips that and never scrolls, or it would scroll into
// blank space and, where scrollbars take room, cover the window's right edge with one. The page
// itself still scrolls down (html's overflow, not the body's, is the viewport's).
constexpr const char* kStyleSheet = R"css(
html,body{margin:0;padding:0;background:#f0f0f0}
html{overflow-x:hidden}
body{overflow:hidden}
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

struct Listeners {
    Listener onPress = nullptr;
    Listener onPointerDown = nullptr;
};
Listeners g_listeners;  // the page's one window

struct FitTarget {
    val area = val::undefined();
    int width = 0;
    int height = 0;
};
FitTarget g_fit;

std::string TargetId(const val& event) {
    const val id = event["target"]["id"];
    return id.isString() ? id.as<std::string>() : std::string();
}

void Press(val event) {
    if (g_listeners.onPress != nullptr) g_listeners.onPress(TargetId(event));
}

void PointerDown(val event) {
    if (event["button"].as<int>() != 0) return;  // the primary button (or a tap) only
    if (g_listeners.onPointerDown != nullptr) g_listeners.onPointerDown(TargetId(event));
}

void Fit(val) {
    const double viewport = val::global("window")["innerWidth"].as<double>();
    const double scale = std::min(1.0, viewport / g_fit.width);
    val areaStyle = g_fit.area["style"];
    val bodyStyle = Document()["body"]["style"];
    if (scale < 1.0) {
        areaStyle.set("transform", val("scale(" + std::to_string(scale) + ")"));
        // A transform leaves the layout box at full size; the body takes the scaled height so
        // the page scrolls no further than the window reaches.
        bodyStyle.set("height", val(std::to_string(g_fit.height * scale) + "px"));
    } else {
        areaStyle.set("transform", val(""));
        bodyStyle.set("height", val(""));
    }
}

}  // namespace

void SetPageTitle(std::string_view title) { Document().set("title", Str(title)); }

Element CreateClientArea(int width, int height, const std::string& fontCss,
                         const std::string& controlsHtml) {
    Element area = Document().call<val>("createElement", val("div"));
    area.set("id", val("Form1"));
    area["style"].set("cssText", val("width:" + Px(width) + ";height:" + Px(height) +
                                     ";font:" + fontCss));
    // One parse of the whole window instead of a call per control and attribute.
    area.set("innerHTML", val(controlsHtml));
    return area;
}

Element FindControl(const Element& clientArea, std::string_view name) {
    return clientArea.call<val>("querySelector", val("#" + std::string(name)));
}

void ShowClientArea(Element& clientArea, int width, int height) {
    val document = Document();
    val sheet = document.call<val>("createElement", val("style"));
    sheet.set("textContent", val(kStyleSheet));
    document["head"].call<void>("appendChild", sheet);
    g_fit = {clientArea, width, height};
    // Scaled while the page is still empty: reading the viewport's width lays the page out.
    Fit(val::undefined());
    document["body"].call<void>("appendChild", clientArea);
    val::global("window").call<void>("addEventListener", val("resize"),
                                     val::module_property("kalvetFit"));
}

double TextAdvance(std::string_view text, const std::string& fontCss) {
    static val context = Document()
                             .call<val>("createElement", val("canvas"))
                             .call<val>("getContext", val("2d"));
    static std::string font;
    if (font != fontCss) {  // parsing a font is the dearer part of a measurement
        font = fontCss;
        context.set("font", val(fontCss));
    }
    return context.call<val>("measureText", Str(text))["width"].as<double>();
}

std::string BoxText(const Element& box) { return box["value"].as<std::string>(); }

void SetBoxText(Element& box, std::string_view text) {
    box.set("value", Str(text));
    // Setting the value leaves the caret, and so the view, at the end; a result wider than its
    // box must show its first digits. The caret is moved only in a box that has the focus:
    // some phone browsers give a box the focus, and bring up the keyboard, when its selection
    // is set.
    if (Document()["activeElement"].strictlyEquals(box)) {
        box.call<void>("setSelectionRange", 0, 0);
    }
    box.set("scrollLeft", 0);
}

void SetListOptions(Element& list, const std::string& optionsHtml) {
    list.set("innerHTML", val(optionsHtml));
}

int SelectedListIndex(const Element& list) { return list["selectedIndex"].as<int>(); }

void SelectListIndex(Element& list, int index) { list.set("selectedIndex", index); }

void Focus(Element& control) { control.call<void>("focus"); }

void ListenForControlEvents(Element& clientArea, Listener onPress, Listener onPointerDown) {
    g_listeners = {onPress, onPointerDown};
    clientArea.call<void>("addEventListener", val("click"), val::module_property("kalvetPress"));
    clientArea.call<void>("addEventListener", val("mousedown"),
                          val::module_property("kalvetPointerDown"));
}

void AnnounceReady() {
    Document()["documentElement"].call<void>("setAttribute", val("data-ready"), val(""));
    val::global("performance").call<void>("mark", val("kalvet-ready"));
}

}  // namespace kalvet::web

// The page's listeners call back into C++ through these.
EMSCRIPTEN_BINDINGS(kalvet_page) {
    emscripten::function("kalvetPress", &kalvet::web::Press);
    emscripten::function("kalvetPointerDown", &kalvet::web::PointerDown);
    emscripten::function("kalvetFit", &kalvet::web::Fit);
}
