// Every call between the C++ side and the page, in one place. The page shell (shell.html) only
// loads the program; everything the window is made of is put into the page from here, and every
// event the window reacts to comes back through the listeners below. Texts are UTF-8 on this
// side; embind converts them at the edge. Sizes and positions are CSS pixels.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace kalvet::web {

// One element of the page, owned by the page; the handle keeps it alive as long as it is held.
using Element = emscripten::val;

void SetPageTitle(std::string_view title);

// Makes the window, not yet in the page: the client area (an element with the id "Form1",
// `width` × `height` pixels, every control in `fontCss`) holding `controlsHtml`, parsed in one
// step. Controls are found, filled and listened to before it is shown.
Element CreateClientArea(int width, int height, const std::string& fontCss,
                         const std::string& controlsHtml);

// The control inside the client area whose id is `name` (a control's name).
Element FindControl(const Element& clientArea, std::string_view name);

// Puts the style sheet and the client area into the page, scaled down to the viewport's width
// when the viewport is narrower than the window (now, and whenever the viewport changes), so
// that a phone shows the whole window without scrolling sideways. The page lays the window out
// once, after everything in it is filled.
void ShowClientArea(Element& clientArea, int width, int height);

// The width in pixels of `text` drawn in `fontCss`, in the face the page really uses.
double TextAdvance(std::string_view text, const std::string& fontCss);

// A text box's whole text; replacing it shows the new text from its first character.
std::string BoxText(const Element& box);
void SetBoxText(Element& box, std::string_view text);

// Replaces a list's entries with `optionsHtml` (option elements).
void SetListOptions(Element& list, const std::string& optionsHtml);
int SelectedListIndex(const Element& list);  // -1 when none
void SelectListIndex(Element& list, int index);

void Focus(Element& control);

// Listeners on the client area, told the id of the control an event reached: `onPress` for a
// button pressed by mouse, tap or key; `onPointerDown` for the primary mouse button or a tap
// going down in a text box, before the box takes the focus. Neither stops the browser's own
// handling. One pair per page.
using Listener = void (*)(std::string_view name);
void ListenForControlEvents(Element& clientArea, Listener onPress, Listener onPointerDown);

// Tells the page (and tests, and the start-up benchmark) that the window is ready: the lists
// filled and the first control focused. Sets data-ready on the document element and a
// performance mark "kalvet-ready".
void AnnounceReady();

}  // namespace kalvet::web
