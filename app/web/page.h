// Every call between the C++ side and the page, in one place. The page shell (shell.html) only
// loads the program; everything the window is made of is created from here, and every event the
// window reacts to comes back through one of the listeners below. Texts are UTF-8 on this side;
// embind converts them at the edge. Sizes and positions are CSS pixels.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace kalvet::web {

// One element of the page, owned by the page; the handle keeps it alive as long as it is held.
using Element = emscripten::val;

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

void SetPageTitle(std::string_view title);

// The element the whole window lives in (the client area), `width` × `height` pixels, appended
// to the page's body with `fontCss` (a CSS font shorthand) for every control in it.
Element CreateClientArea(int width, int height, const std::string& fontCss);

// A group box: a fieldset with its caption as legend, in `captionFontCss`. Controls created with
// it as parent are placed relative to its top-left corner.
Element CreateGroupBox(Element& parent, std::string_view name, std::string_view caption,
                       const PixelRect& r, const std::string& captionFontCss);
// The element holding a group box's caption text.
Element GroupBoxCaption(const Element& groupBox);

// A label: text drawn beneath the boxes, never covering one nor taking its clicks.
Element CreateLabel(Element& parent, std::string_view name, std::string_view text,
                    const PixelRect& r);

// A single-line text box with a number pad on phones, named for screen readers, visited by
// Tab at `tabIndex` (1 first).
Element CreateTextBox(Element& parent, std::string_view name, std::string_view text,
                      const PixelRect& r, std::string_view accessibleName, int tabIndex);

// A drop-down list that accepts only its own entries.
Element CreateList(Element& parent, std::string_view name, const PixelRect& r,
                   std::string_view accessibleName, int tabIndex);

Element CreateButton(Element& parent, std::string_view name, std::string_view caption,
                     const PixelRect& r, std::string_view accessibleName, int tabIndex);

// The width in pixels of `text` drawn in `fontCss`, in the face the page really uses.
double TextAdvance(std::string_view text, const std::string& fontCss);
// Draws a caption (label, group-box caption or button) at another pixel size.
void SetCaptionPixelSize(Element& caption, int pixels);

// A text box's whole text; replacing it shows the new text from its first character.
std::string BoxText(const Element& box);
void SetBoxText(Element& box, std::string_view text);

// A list's entries are shown as they stand, repeated blanks included.
void AppendListEntry(Element& list, std::string_view entry);
int SelectedListIndex(const Element& list);  // -1 when none
void SelectListIndex(Element& list, int index);

void Focus(Element& control);

// Listeners, by the element's id (its control name). `onPress` runs for a button press by
// mouse, tap or key; `onPointerDown` for the primary button of a mouse or a tap, before the
// element takes the focus. Neither stops the browser's own handling.
using Listener = void (*)(void* context);
void ListenForPress(std::string_view name, Listener onPress, void* context);
void ListenForPointerDown(std::string_view name, Listener onPointerDown, void* context);

// Scales the client area down to the viewport's width when the viewport is narrower than it,
// now and whenever the viewport changes, so that a phone shows the whole window without
// scrolling sideways.
void FitToViewportWidth(Element& clientArea, int width, int height);

// Tells the page (and tests, and the start-up benchmark) that the window is ready: the lists
// filled and the first control focused. Sets data-ready on the document element and a
// performance mark "kalvet-ready".
void AnnounceReady();

}  // namespace kalvet::web
