// The yardstick for Kalvet's start-up on Windows: the least any program must do to show
// Kalvet's window on the standard controls. The same 82 controls, of the same classes and
// styles, at the same places, with their captions and initial texts; the same two fonts; the
// four lists filled with their entries and showing the prompt; the same manifest and
// common-controls library; and one complete paint. Nothing of Kalvet's own: no face look-up,
// no resizing of the lists, no fitting of captions, no icon, no Form1, no resolution handling
// beyond reading it once.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "app/layout.h"
#include "app/win32/first_paint.h"
#include "app/win32/wide_text.h"
#include "calc/calc.h"
#include "tables/section_table.h"

namespace {

using kalvet::ControlId;
using kalvet::ControlItem;
using kalvet::ControlKind;

// An opened list shows about fifteen entries; the controls are made at that height at once.
constexpr int kVisibleListEntries = 15;
constexpr int kListEntryPixels = 16;

struct ListContents {
    ControlId list;
    kalvet::SectionTable (*table)();
};

constexpr std::array kLists{
    ListContents{ControlId::Combo1, kalvet::ChannelTable},
    ListContents{ControlId::Combo2, kalvet::EqualAngleTable},
    ListContents{ControlId::Combo3, kalvet::UnequalAngleTable},
    ListContents{ControlId::Combo4, kalvet::IBeamTable},
};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int Px(int twips, int dpi) { return kalvet::TwipsToPixels(twips, dpi); }

HFONT MakeFont(const kalvet::FontChoice& font, int dpi) {
    // The face the window ends up with where SimSun is missing, named directly.
    return CreateFontW(-MulDiv(font.tenthsOfPoint, dpi, 720), 0, 0, 0,
                       font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       kalvet::win32::Widen(font.fallbackFace).c_str());
}

HWND MakeControl(HWND parent, HINSTANCE instance, const ControlItem& item, int dpi) {
    const wchar_t* className = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (item.kind) {
        case ControlKind::Frame:
            className = L"BUTTON";
            style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
            break;
        case ControlKind::Label:
            style |= SS_LEFT | SS_NOPREFIX;
            break;
        case ControlKind::TextBox:
            className = L"EDIT";
            style |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ComboBox:
            className = L"COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            break;
        case ControlKind::Button:
            className = L"BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
    }
    int left = item.rect.left;
    int top = item.rect.top;
    if (item.frame != ControlId::None) {
        left += kalvet::ControlLayout(item.frame).rect.left;
        top += kalvet::ControlLayout(item.frame).rect.top;
    }
    const int x = Px(left, dpi);
    const int y = Px(top, dpi);
    int height = Px(top + item.rect.height, dpi) - y;
    if (item.kind == ControlKind::ComboBox) height += kVisibleListEntries * kListEntryPixels;
    return CreateWindowExW(exStyle, className, kalvet::win32::Widen(item.text).c_str(), style, x,
                           y, Px(left + item.rect.width, dpi) - x, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + static_cast<int>(item.id))),
                           instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const kalvet::WindowLayout& layout = kalvet::Window1Layout();
    // The controls of the common-controls library, version 6 through the manifest, as Kalvet
    // has them: a program that never loads the library gets the system's older ones instead.
    InitCommonControls();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KalvetControlsBaseline";
    RegisterClassExW(&wc);

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, Px(layout.clientWidthTwips, dpi), Px(layout.clientHeightTwips, dpi)};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, kalvet::win32::Widen(layout.caption).c_str(),
                                      style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                                      r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    const HFONT font = MakeFont(layout.font, dpi);
    const HFONT frameFont = MakeFont(layout.frameFont, dpi);

    // Group boxes last, so that they lie behind the controls drawn over them.
    std::array<HWND, kalvet::kControlCount> controls{};
    for (const bool frames : {false, true}) {
        for (const ControlItem& item : kalvet::Controls()) {
            if ((item.kind == ControlKind::Frame) != frames) continue;
            const HWND control = MakeControl(hwnd, instance, item, dpi);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(frames ? frameFont : font), FALSE);
            controls[static_cast<std::size_t>(item.id)] = control;
        }
    }
    for (const ListContents& contents : kLists) {
        const HWND list = controls[static_cast<std::size_t>(contents.list)];
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(kalvet::win32::Widen(kalvet::kListPrompt).c_str()));
        for (const kalvet::SectionRow& row : contents.table()) {
            SendMessageW(list, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(kalvet::win32::Widen(row.designation).c_str()));
        }
        SendMessageW(list, CB_SETCURSEL, 0, 0);
    }

    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    kalvet::win32::FinishFirstPaint(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    DeleteObject(frameFont);
    return 0;
}
