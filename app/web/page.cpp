#include "app/web/page.h"

#include <emscripten/emscripten.h>

#include "app/web/hand.h"
#include "app/web/markup.h"

// The page's side of each call, each a few lines of JavaScript rather than a binding library
// (embind), which would add its own runtime to the program's script and to the WebAssembly.
// What the program holds of the page lives on Module.kalvet: the controls' ids by slot, the
// elements found so far, and a text on its way to the program.
// JavaScript comments here must be block comments: the bodies become one line.

EM_JS(void, kalvet_name_controls, (const char* names, int size), {
    var k = Module.kalvet = {names: UTF8ToString(names, size).split(" "), elements: [], text: ""};
    k.element = function(slot) {
        return k.elements[slot] || (k.elements[slot] = document.getElementById(k.names[slot]));
    };
});

/* A text for the program: kept here and its length told, then copied into the program's memory. */
EM_JS(int, kalvet_box_text_size, (int box), {
    var k = Module.kalvet;
    k.text = k.element(box).value;
    return lengthBytesUTF8(k.text);
});

EM_JS(int, kalvet_shown_entry_size, (int list, const char* blank, int size), {
    var k = Module.kalvet;
    var element = k.element(list);
    var option = element.options[element.selectedIndex];
    k.text = option ? option.textContent.split(UTF8ToString(blank, size)).join(" ") : "";
    return lengthBytesUTF8(k.text);
});

EM_JS(void, kalvet_text_copy, (char* out, int size), {
    stringToUTF8(Module.kalvet.text, out, size);
});

EM_JS(void, kalvet_set_box_text, (int box, const char* text, int size), {
    var element = Module.kalvet.element(box);
    element.value = UTF8ToString(text, size);
    /* Setting the value leaves the caret, and so the view, at the end; a result wider than its
       box must show its first digits. The caret is moved only in a box that has the focus:
       some phone browsers focus a box, raising the keyboard, when its selection is set. */
    if (document.activeElement === element) element.setSelectionRange(0, 0);
    element.scrollLeft = 0;
});

EM_JS(void, kalvet_focus, (int control), {
    Module.kalvet.element(control).focus();
});

EM_JS(void, kalvet_scroll_into_view, (int control), {
    Module.kalvet.element(control).scrollIntoView({block: "nearest", inline: "nearest"});
});

EM_JS(int, kalvet_media_matches, (const char* query, int size), {
    return matchMedia(UTF8ToString(query, size)).matches ? 1 : 0;
});

EM_JS(double, kalvet_text_advance, (const char* text, int textSize, const char* font, int fontSize), {
    var k = Module.kalvet;
    if (!k.canvas) k.canvas = document.createElement("canvas").getContext("2d");
    var css = UTF8ToString(font, fontSize);
    /* Parsing a font is the dearer part of a measurement. */
    if (k.font !== css) k.canvas.font = k.font = css;
    return k.canvas.measureText(UTF8ToString(text, textSize)).width;
});

EM_JS(void, kalvet_set_caption_pixels, (int control, int pixels), {
    var element = Module.kalvet.element(control);
    (element.querySelector("legend") || element).style.fontSize = pixels + "px";
});

/* The page hears presses and the Enter key from the moment the window is ready (loader.js), and
   hands each to the program from now on, any that came before first. */
EM_JS(void, kalvet_listen, (), {
    var k = Module.kalvet;
    Module.listen(function(kind, id) {
        var slot = k.names.indexOf(id);
        if (slot < 0) return false;
        if (kind === "enter") return _kalvet_enter(slot) !== 0;
        if (kind === "press") _kalvet_press(slot);
        else _kalvet_pointer_down(slot);
        return false;
    });
    /* Turning the device or resizing the window changes the arrangement; the control with the
       focus stays in view. */
    var area = document.getElementById("Form1");
    addEventListener("resize", function() {
        var focused = document.activeElement;
        if (area.contains(focused)) focused.scrollIntoView({block: "nearest", inline: "nearest"});
    });
    requestAnimationFrame(function() { setTimeout(_kalvet_first_paint, 0); });
});

EM_JS(void, kalvet_keep_for_offline, (const char* worker, int size), {
    /* A private window, or storage the user blocked, refuses the worker: the page works on. */
    if (location.protocol.indexOf("http") === 0 && "serviceWorker" in navigator) {
        navigator.serviceWorker.register(UTF8ToString(worker, size)).catch(function() {});
    }
});

EM_JS(void, kalvet_announce, (const char* attribute, int size), {
    document.documentElement.setAttribute(UTF8ToString(attribute, size), "");
});

namespace kalvet::web {

namespace {

int Size(std::string_view text) { return static_cast<int>(text.size()); }

// The text the page has just made ready, `size` bytes of UTF-8.
std::string TakeText(int size) {
    std::string text(static_cast<std::size_t>(size), '\0');
    // stringToUTF8 always ends what it writes with a zero byte.
    text.push_back('\0');
    kalvet_text_copy(text.data(), Size(text));
    text.pop_back();
    return text;
}

}  // namespace

void NameControls(std::string_view names) { kalvet_name_controls(names.data(), Size(names)); }

std::string BoxText(int box) { return TakeText(kalvet_box_text_size(box)); }

void SetBoxText(int box, std::string_view text) { kalvet_set_box_text(box, text.data(), Size(text)); }

std::string ShownListEntry(int list) {
    return TakeText(kalvet_shown_entry_size(list, kOptionBlank.data(), Size(kOptionBlank)));
}

void Focus(int control) { kalvet_focus(control); }

void ScrollIntoView(int control) { kalvet_scroll_into_view(control); }

bool TouchArrangement() {
    const std::string media = TouchMedia();
    return kalvet_media_matches(media.data(), Size(media)) != 0;
}

double TextAdvance(std::string_view text, std::string_view fontCss) {
    return kalvet_text_advance(text.data(), Size(text), fontCss.data(), Size(fontCss));
}

void SetCaptionPixels(int control, int pixels) { kalvet_set_caption_pixels(control, pixels); }

void Listen() { kalvet_listen(); }

void KeepForOffline() {
    // The worker's file is the site's to name (app/web/CMakeLists.txt).
    constexpr std::string_view worker = KALVET_WORKER;
    kalvet_keep_for_offline(worker.data(), Size(worker));
}

void AnnounceCaptionsFitted() {
    kalvet_announce(kCaptionsFittedAttribute.data(), Size(kCaptionsFittedAttribute));
}

}  // namespace kalvet::web
