// What Form1 needs of a window, and all it needs: a front end implements this one interface
// over its toolkit's controls. Every text crossing it is UTF-8; the front end converts at its
// edge. Controls are named by ControlId, never by caption.
//
// Besides the five calls, every front end (app/qt, app/win32, app/web) must:
// - build each control from the layout tables (layout.h) at its place, with TwipsToPixels and
//   FontPixels at its screen's resolution: Qt and Win32 MainWindow's constructor and Create,
//   the page's markup.cpp at build time;
// - give the focus to TabOrder()'s first control and let Tab visit them in that order: Qt's
//   setTabOrder, Win32's creation order (CreateControls), the page's document order;
// - shrink a caption that does not fit its room in the face really used (FittedPixelSize):
//   each one's MainWindow::FitCaptions;
// - name each box, list and button to screen readers by AccessibleName(): Qt's
//   setAccessibleName and ListAccessible, Win32's row label made just before its box, the
//   page's aria-label;
// - hand a primary-button press in a text box to Form1::TextBoxClicked before the box takes
//   it, so the caret lands in the emptied box: Qt's TextBox::mousePressEvent, Win32's
//   TextBoxProcedure, the page's mousedown listener (page.cpp);
// - hand a button's press by mouse, tap, Space or Enter to Form1::ButtonClicked, once per
//   press: Qt's ComputeButton, Win32's OnMessage (BN_CLICKED and IDOK), the page's click
//   listener;
// - show a text set into a box from its first character: Qt's SetText, the native edit
//   control itself, the page's kalvet_set_box_text;
// - let a press on a label reach the control beneath it: Qt's WA_TransparentForMouseEvents,
//   Win32's static controls (which take no clicks) with LabelProcedure, the page's
//   pointer-events:none on labels.
#pragma once

#include <string>
#include <string_view>

#include "app/layout.h"

namespace kalvet {

class Window {
public:
    virtual ~Window() = default;

    // The whole current text of a text box, exactly as the user left it (nothing trimmed).
    virtual std::string Text(ControlId textBox) const = 0;

    // Replaces the whole text of a text box. Does not move the focus or raise any handler.
    virtual void SetText(ControlId textBox, std::string_view text) = 0;

    // Appends an entry at the end of a drop-down list. Entries are never sorted.
    virtual void AddListEntry(ControlId list, std::string_view entry) = 0;

    // Makes entry `index` (0 is the first) the list's shown entry. The index is always one
    // that exists.
    virtual void SelectListEntry(ControlId list, int index) = 0;

    // The text of the list's shown entry, or "" when it shows none.
    virtual std::string ShownEntry(ControlId list) const = 0;
};

}  // namespace kalvet
