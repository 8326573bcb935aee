// The native window: Form1's controls as Win32 standard controls, laid out from the layout
// tables at the window's resolution, with button presses and mouse clicks in text boxes
// routed to Form1 by control identity.
#pragma once

#include <windows.h>

#include <array>
#include <cassert>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/layout.h"
#include "app/window.h"

namespace kalvet::win32 {

// A control's Win32 ID is its ControlId plus this base, clear of IDOK and IDCANCEL, which the
// dialog manager sends for Enter and Esc.
inline constexpr int kControlIdBase = 1000;

constexpr int ChildId(ControlId id) { return kControlIdBase + static_cast<int>(id); }

class MainWindow final : public Window, public ListFiller {
public:
    // Creates the window and all its controls, sized for the screen it opens on, and runs
    // Form_Load. The window stays hidden until Show. Nothing when Windows refuses a window.
    // `face` replaces the face the window would choose; only tests that try another face
    // pass one.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance, std::wstring_view face = {});

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Shows the window with the focus on the first control of the Tab order.
    void Show(int showCommand);

    // The top-level window; null once it is destroyed.
    HWND Handle() const { return window_; }
    HWND Control(ControlId id) const {
        assert(static_cast<std::size_t>(id) < controls_.size() && "MainWindow::Control: not a control of the window");
        return controls_[static_cast<std::size_t>(id)];
    }

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    std::string ShownEntry(ControlId list) const override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;

private:
    MainWindow() = default;

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Controls are created at their place for `dpi`; LayOut then gives them their fonts and
    // fits the lists, and on a change of resolution also moves them.
    bool CreateControls(HINSTANCE instance, int dpi);
    HWND CreateControl(HINSTANCE instance, const ControlItem& item, int dpi, bool tabStop);
    void LayOut(int dpi, bool moveControls);
    // Text boxes and labels run `procedure` first; it hands each message on to the control's
    // own procedure through CallControlProcedure.
    void Subclass(HWND control, ControlId id, WNDPROC procedure);
    static MainWindow* OwnerOf(HWND control);
    static LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    // Where a caption does not fit its control in the face in use, that control alone gets a
    // smaller size of the same face (FittedPixelSize); with the Song face nothing changes.
    void FitCaptions(const std::wstring& face, int dpi);
    HFONT MakeFont(const FontChoice& font, const std::wstring& face, int pixels) const;
    // Several labels reach into the box, list or button beside them: a label paints with
    // those parts left out, so that it never covers the control (a static control takes no
    // clicks, so they reach the control anyway).
    static LRESULT CALLBACK LabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
    void LeaveOutControlsUnder(HWND label, HDC dc) const;
    void SizeClientArea(int dpi);
    // The title bar's and Alt+Tab's icons drawn for `dpi`, where the window class's, sized for
    // the main screen, would be scaled.
    void SetIcons(int dpi);

    HWND window_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    std::array<WNDPROC, kControlCount> controlProcedures_{};  // of the subclassed controls
    HFONT font_ = nullptr;
    HFONT frameFont_ = nullptr;
    std::vector<HFONT> fittedFonts_;  // the smaller fonts of captions that did not fit
    std::array<HICON, 2> icons_{};    // small and large, once SetIcons has made them
    std::wstring face_;               // the face tests chose, or empty
    HWND focus_ = nullptr;  // the control to give the focus back to on reactivation
    bool quitOnDestroy_ = true;
    Form1 form_{*this};
};

// Runs the thread's message loop until the window closes, with the dialog keys (Tab,
// Shift+Tab, Space on a button) working among `window`'s controls. Returns the exit code.
int RunMessageLoop(HWND window);

}  // namespace kalvet::win32
