#include "app/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "app/win32/dpi.h"
#include "app/win32/fonts.h"
#include "app/win32/program_icon.h"
#include "app/win32/wide_text.h"

namespace kalvet::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KalvetMainWindow";

// Fixed size: the layout is drawn for one size, so no sizing border and no maximising.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;

// An opened designation list shows this many entries before it scrolls.
constexpr int kVisibleListEntries = 15;

struct NativeControl {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

NativeControl NativeFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            // The group box lies behind the controls inside it; clipping its siblings keeps its
            // painting from wiping them out.
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON, 0};
    }
    return {L"STATIC", 0, 0};
}

std::optional<ControlId> ControlFromChildId(int childId) {
    const int index = childId - kControlIdBase;
    if (index < 0 || index >= static_cast<int>(kControlCount)) return std::nullopt;
    return static_cast<ControlId>(index);
}

// A control's place in the client area: group boxes are placed in the client area, the other
// controls in their group box. Both edges are converted, not the width, so that controls
// sharing an edge in twips still share it in pixels at any resolution.
RECT PixelRect(const ControlItem& item, int dpi) {
    int left = item.rect.left;
    int top = item.rect.top;
    if (item.frame != ControlId::None) {
        left += ControlLayout(item.frame).rect.left;
        top += ControlLayout(item.frame).rect.top;
    }
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi),
            TwipsToPixels(left + item.rect.width, dpi), TwipsToPixels(top + item.rect.height, dpi)};
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// A drop-down list's closed height is its selection field, whose height follows the font; the
// layout wants its own. The border the field adds differs between control versions (and wine
// reports a height other than the one set), so the field is set once, measured, and set again
// by the difference.
void FitSelectionField(HWND list, int height) {
    const auto selectionField = static_cast<WPARAM>(-1);
    const auto probe = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, selectionField, 0));
    SendMessageW(list, CB_SETITEMHEIGHT, selectionField, probe);
    const int measured = WindowHeight(list);
    SendMessageW(list, CB_SETITEMHEIGHT, selectionField, std::max(1, probe + height - measured));
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = instance;
        // Title bar and task bar take the small one; Alt+Tab the large one.
        windowClass.hIcon = ProgramIcon(instance, GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = ProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kClassName;
        if (RegisterClassExW(&windowClass) == 0) return nullptr;
    }

    std::unique_ptr<MainWindow> self(new MainWindow());
    // No size yet: the right one depends on the resolution of the screen the window opens on.
    const HWND window = CreateWindowExW(kWindowExStyle, kClassName, Widen(Window1Layout().caption).c_str(),
                                        kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                                        nullptr, instance, self.get());
    if (window == nullptr) return nullptr;
    const int dpi = WindowDpi(window);
    if (!self->CreateControls(instance, dpi)) return nullptr;
    self->LayOut(dpi, false);
    self->form_.Form_Load();
    return self;
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        // Dropping the window is not the user closing it: the thread goes on.
        quitOnDestroy_ = false;
        DestroyWindow(window_);
    }
    if (font_ != nullptr) DeleteObject(font_);
    if (frameFont_ != nullptr) DeleteObject(frameFont_);
}

void MainWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

bool MainWindow::CreateControls(HINSTANCE instance, int dpi) {
    // The dialog manager tabs through the children in z-order, which is creation order: the
    // Tab stops come first, in Tab order. Labels follow, and the group boxes come last so that
    // they lie behind everything drawn over them.
    for (const ControlId id : TabOrder()) {
        if (CreateControl(instance, ControlLayout(id), dpi, true) == nullptr) return false;
    }
    for (const bool frames : {false, true}) {
        for (const ControlItem& item : Controls()) {
            if (Control(item.id) != nullptr || (item.kind == ControlKind::Frame) != frames) continue;
            if (CreateControl(instance, item, dpi, false) == nullptr) return false;
        }
    }
    focus_ = Control(TabOrder().front());
    return true;
}

HWND MainWindow::CreateControl(HINSTANCE instance, const ControlItem& item, int dpi, bool tabStop) {
    const NativeControl native = NativeFor(item.kind);
    // Each Tab stop is a group of its own, so arrow keys never move the focus between buttons.
    const DWORD style = WS_CHILD | WS_VISIBLE | native.style | (tabStop ? WS_TABSTOP | WS_GROUP : 0);
    // Made in place: moving 82 controls afterwards costs a round trip each under some
    // window systems, a noticeable part of start-up.
    const RECT place = PixelRect(item, dpi);
    const HWND control = CreateWindowExW(native.exStyle, native.className, Widen(item.text).c_str(), style,
                                         place.left, place.top, place.right - place.left,
                                         place.bottom - place.top, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(item.id))),
                                         instance, nullptr);
    if (control != nullptr && item.kind == ControlKind::TextBox) {
        SetWindowSubclass(control, TextBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    controls_[static_cast<std::size_t>(item.id)] = control;
    return control;
}

void MainWindow::LayOut(int dpi, bool moveControls) {
    const WindowLayout& window = Window1Layout();
    HFONT font = CreateLayoutFont(window.font, InstalledFace(window.font), dpi);
    HFONT frameFont = CreateLayoutFont(window.frameFont, InstalledFace(window.frameFont), dpi);
    for (const ControlItem& item : Controls()) {
        const HWND control = Control(item.id);
        const HFONT own = item.kind == ControlKind::Frame ? frameFont : font;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(own), FALSE);
        const RECT place = PixelRect(item, dpi);
        const int height = place.bottom - place.top;
        if (item.kind != ControlKind::ComboBox) {
            if (!moveControls) continue;
            SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        // A drop-down list takes as its height that of the field and the opened list together;
        // version 6 lists size the opened list by an entry count instead. The field comes
        // last, since resizing the control makes wine recompute it.
        const auto entryHeight = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                     height + kVisibleListEntries * entryHeight + 2 * GetSystemMetrics(SM_CYBORDER),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, CB_SETMINVISIBLE, kVisibleListEntries, 0);
        FitSelectionField(control, height);
    }
    // The controls hold the new fonts now; the old ones can go.
    std::swap(font_, font);
    std::swap(frameFont_, frameFont);
    if (font != nullptr) DeleteObject(font);
    if (frameFont != nullptr) DeleteObject(frameFont);
    SizeClientArea(dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::SizeClientArea(int dpi) {
    const WindowLayout& layout = Window1Layout();
    const int width = TwipsToPixels(layout.clientWidthTwips, dpi);
    const int height = TwipsToPixels(layout.clientHeightTwips, dpi);
    RECT frame{0, 0, width, height};
    AdjustWindowRectForDpi(frame, kWindowStyle, kWindowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame actually drawn can differ from the prediction (a theme, a resolution change
    // still under way): measure the client area and make up the difference.
    RECT client{};
    GetClientRect(window_, &client);
    const int wider = width - client.right;
    const int taller = height - client.bottom;
    if (wider != 0 || taller != 0) {
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + wider,
                     frame.bottom - frame.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->controls_.fill(nullptr);
        self->focus_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
                const auto id = ControlFromChildId(LOWORD(wParam));
                if (id && ControlLayout(*id).kind == ControlKind::Button) form_.ButtonClicked(*id);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            // Remember where the focus was, to put it back when the user returns.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) focus_ = focus;
            }
            break;
        case WM_SETFOCUS:
            if (focus_ != nullptr) SetFocus(focus_);
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut(HIWORD(wParam), true);
            return 0;
        }
        case WM_DESTROY:
            if (quitOnDestroy_) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::TextBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR self) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // Emptied before the box handles the press, so the caret lands in the empty box
            // instead of at a place in the text that is about to go.
            if (const auto id = ControlFromChildId(GetDlgCtrlID(box))) {
                reinterpret_cast<MainWindow*>(self)->form_.TextBoxClicked(*id);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, TextBoxProcedure, subclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

std::string MainWindow::Text(ControlId textBox) const {
    const HWND box = Control(textBox);
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return Narrow(text);
}

void MainWindow::SetText(ControlId textBox, std::string_view text) {
    SetWindowTextW(Control(textBox), Widen(text).c_str());
}

void MainWindow::AddListEntry(ControlId list, std::string_view entry) {
    const std::wstring wide = Widen(entry);
    SendMessageW(Control(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void MainWindow::SelectListEntry(ControlId list, int index) {
    SendMessageW(Control(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string MainWindow::ShownEntry(ControlId list) const {
    const HWND control = Control(list);
    const LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return Narrow(entry);
}

int RunMessageLoop(HWND window) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace kalvet::win32
