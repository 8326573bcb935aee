// Every call between the C++ side and the page, in one place. The window's markup is in the
// page before the program starts (markup.h): the program takes hold of controls by id, reads
// and writes them through these calls, and hears of the page's events through the functions at
// the end, which the page calls. Texts are UTF-8 on this side and converted at the edge; sizes
// are CSS pixels.
//
// The page's loader (loader.js) runs in its head. Right after the window, the page makes it
// ready: the first control focused, presses and the Enter key heard, kReadyAttribute on the
// document element. Then it compiles the program's WebAssembly in the background and starts the
// program with the module, which takes the events heard so far and those to come (Listen). It
// marks the document element kFailedAttribute where the program cannot start (no WebAssembly, or
// its compiling refused or failing): until the program listens, any error that reaches the
// window shows the notice and takes the compute buttons out of use. Served over http(s), it
// also links the manifest and icons from the head.
#pragma once

#include <string>
#include <string_view>

namespace kalvet::web {

// The document element's marks, for the page's style sheet, the loader and tests: the window
// takes input, the program cannot start, the captions are fitted to the face in use.
inline constexpr std::string_view kReadyAttribute = "data-ready";
inline constexpr std::string_view kFailedAttribute = "data-failed";
inline constexpr std::string_view kCaptionsFittedAttribute = "data-captions";

// The page's controls as the program names them: `names`, separated by blanks, are the element
// ids of slots 0, 1, 2 … Every call below names a control by its slot; the page finds the
// element the first time a slot is used, and tells the slot of each event's target.
void NameControls(std::string_view names);

// A text box's whole text; replacing it shows the new text from its first character.
std::string BoxText(int box);
void SetBoxText(int box, std::string_view text);

// The shown entry as Form_Load added it, "" when the list shows none.
std::string ShownListEntry(int list);

// Focuses a control and scrolls it into view.
void Focus(int control);
// Scrolls the page, as little as it can, until the control is wholly in view.
void ScrollIntoView(int control);

// True while the page shows the window rearranged for the hand (hand.h's TouchMedia).
bool TouchArrangement();

// The width in pixels of `text` drawn in `fontCss`, in the face the page really uses.
double TextAdvance(std::string_view text, std::string_view fontCss);
// Draws a control's caption (a group box's legend) at `pixels` on the desktop; the arrangement
// for the hand keeps its own sizes.
void SetCaptionPixels(int control, int pixels);

// From now on the page calls the functions below: presses, primary-button or tap presses, the
// Enter key (those heard since the window was ready first, in order), and, once, the first
// paint. Once per page.
void Listen();

// Served over http(s), starts the service worker that keeps the page working offline; from disk
// there is none.
void KeepForOffline();

// Marks the captions fitted to the face the page uses (kCaptionsFittedAttribute).
void AnnounceCaptionsFitted();

}  // namespace kalvet::web

// The page's calls into the program, with the slot of the control an event reached.
extern "C" {
// A button pressed by mouse, tap or key.
void kalvet_press(int slot);
// The primary mouse button or a tap going down on a control, before it takes the focus.
void kalvet_pointer_down(int slot);
// Enter, or a phone keyboard's action key, on a control; nonzero when the program used it.
int kalvet_enter(int slot);
// After the window's first paint: what can wait until the window is seen.
void kalvet_first_paint();
}
