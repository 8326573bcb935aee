#include "app/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "app/captions.h"
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

std::optional<ControlId> ControlFromChildId(int childId) { return ControlAt(childId - kControlIdBase); }

RECT PlaceAt(const ControlItem& item, int dpi) {
    const PixelRect place = ControlPixelRect(item, dpi);
    return {place.left, place.top, place.right, place.bottom};
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// A drop-down list's closed height is its selection field, whose height follows the font; the
// layout wants its own. The border the field adds differs between control versions (and wine
// reports a height other than the one set), so the first list's field is set once and
// measured, and every list is set by the difference: the lists share their class and font,
// and each setting resizes the control, which under wine means round trips to the wine server
// for the list and its drop-down window. `border` is that difference, empty until measured.
void FitSelectionField(HWND list, int height, std::optional<int>& border) {
    const auto selectionField = static_cast<WPARAM>(-1);
    if (!border) {
        const auto probe = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, selectionField, 0));
        SendMessageW(list, CB_SETITEMHEIGHT, selectionField, probe);
        border = WindowHeight(list) - probe;
    }
    SendMessageW(list, CB_SETITEMHEIGHT, selectionField, std::max(1, height - *border));
}

// The window's outer size for the layout's client area at `dpi`, as predicted from its style.
SIZE FrameSize(int dpi) {
    const WindowLayout& layout = Window1Layout();
    RECT frame{0, 0, TwipsToPixels(layout.clientWidthTwips, dpi), TwipsToPixels(layout.clientHeightTwips, dpi)};
    AdjustWindowRectForDpi(frame, kWindowStyle, kWindowExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    return extent.cx;
}

void DeleteFonts(std::vector<HFONT>& fonts) {
    for (const HFONT font : fonts) DeleteObject(font);
    fonts.clear();
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, std::wstring_view face) {
    // Loads the common-controls library at start, so that the controls are its version 6 ones
    // the manifest asks for.
    InitCommonControls();
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
    self->face_ = face;
    // The right size depends on the resolution of the screen the window opens on, known only
    // once it is open; made at the size for the main screen's, it nearly always has it already
    // and is not resized once it has its controls, which under wine costs round trips to the
    // window system for them too.
    const int systemDpi = SystemDpi();
    const SIZE size = FrameSize(systemDpi);
    const HWND window = CreateWindowExW(kWindowExStyle, kClassName, Widen(Window1Layout().caption).c_str(),
                                        kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                        nullptr, nullptr, instance, self.get());
    if (window == nullptr) return nullptr;
    const int dpi = WindowDpi(window);
    if (!self->CreateControls(instance, dpi)) return nullptr;
    self->LayOut(dpi, false);
    if (dpi != systemDpi) self->SetIcons(dpi);
    Form1::Form_Load(*self);
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
    DeleteFonts(fittedFonts_);
    for (const HICON icon : icons_) {
        if (icon != nullptr) DestroyIcon(icon);
    }
}

void MainWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

bool MainWindow::CreateControls(HINSTANCE instance, int dpi) {
    // The dialog manager tabs through the children in z-order, which is creation order: the
    // Tab stops come first, in Tab order, each right after the label naming its row, since a
    // screen reader names a box without a caption of its own by the static text just before
    // it. The other labels follow, and the group boxes come last so that they lie behind
    // everything drawn over them.
    for (const ControlId id : TabOrder()) {
        const ControlItem& item = ControlLayout(id);
        if (item.rowLabel != ControlId::None &&
            CreateControl(instance, ControlLayout(item.rowLabel), dpi, false) == nullptr) {
            return false;
        }
        if (CreateControl(instance, item, dpi, true) == nullptr) return false;
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
    // Made in place: moving every control afterwards would cost round trips to the window
    // system for each one (to the wine server, under wine), all of them before the first paint.
    const RECT place = PlaceAt(item, dpi);
    const HWND control = CreateWindowExW(native.exStyle, native.className, Widen(item.text).c_str(), style,
                                         place.left, place.top, place.right - place.left,
                                         place.bottom - place.top, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(item.id))),
                                         instance, nullptr);
    if (control != nullptr && item.kind == ControlKind::TextBox) Subclass(control, item.id, TextBoxProcedure);
    if (control != nullptr && item.kind == ControlKind::Label) Subclass(control, item.id, LabelProcedure);
    controls_[static_cast<std::size_t>(item.id)] = control;
    return control;
}

// The control's own procedure is swapped for ours, not chained with the common controls'
// SetWindowSubclass: that finds its chain through a window property on every message, and
// under wine each property look-up is a round trip to the wine server, for every message to
// every text box and label from their creation to the first paint. Our procedure finds the
// window through the control's parent, so the control itself needs no data of ours.
void MainWindow::Subclass(HWND control, ControlId id, WNDPROC procedure) {
    controlProcedures_[static_cast<std::size_t>(id)] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

MainWindow* MainWindow::OwnerOf(HWND control) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
}

LRESULT MainWindow::CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const MainWindow* self = OwnerOf(control);
    const auto id = ControlFromChildId(GetDlgCtrlID(control));
    const WNDPROC own = self != nullptr && id ? self->controlProcedures_[static_cast<std::size_t>(*id)] : nullptr;
    if (own == nullptr) return DefWindowProcW(control, message, wParam, lParam);
    return CallWindowProcW(own, control, message, wParam, lParam);
}

void MainWindow::LayOut(int dpi, bool moveControls) {
    const WindowLayout& window = Window1Layout();
    const std::wstring face = face_.empty() ? InstalledFace(window.font) : face_;
    const std::wstring frameFace = face_.empty() ? InstalledFace(window.frameFont) : face_;
    HFONT font = MakeFont(window.font, face, FontPixels(window.font, dpi));
    HFONT frameFont = MakeFont(window.frameFont, frameFace, FontPixels(window.frameFont, dpi));
    std::vector<HFONT> replaced;
    replaced.swap(fittedFonts_);
    std::optional<int> fieldBorder;
    for (const ControlItem& item : Controls()) {
        const HWND control = Control(item.id);
        const HFONT own = item.kind == ControlKind::Frame ? frameFont : font;
        // No redraw as each control takes its font: the controls paint once afterwards (at
        // start-up the window is not shown yet; on a change of resolution they are moved and
        // the window is invalidated below).
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(own), FALSE);
        const RECT place = PlaceAt(item, dpi);
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
                     height + kVisibleListEntries * entryHeight + 2 * SystemMetricForDpi(SM_CYBORDER, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, CB_SETMINVISIBLE, kVisibleListEntries, 0);
        FitSelectionField(control, height, fieldBorder);
    }
    std::swap(font_, font);
    std::swap(frameFont_, frameFont);
    FitCaptions(face, dpi);
    // The controls hold the new fonts now; the old ones can go.
    if (font != nullptr) DeleteObject(font);
    if (frameFont != nullptr) DeleteObject(frameFont);
    DeleteFonts(replaced);
    SizeClientArea(dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

HFONT MainWindow::MakeFont(const FontChoice& font, const std::wstring& face, int pixels) const {
    // A face a test chose may lack the Chinese character set; asked for it, the font mapper
    // would quietly swap in a face that has it.
    return CreateLayoutFont(font, face, pixels, face_.empty() ? font.charset : DEFAULT_CHARSET);
}

void MainWindow::FitCaptions(const std::wstring& face, int dpi) {
    const HDC dc = GetDC(window_);
    kalvet::FitCaptions(
        [&](const ControlItem& item, int pixels) {
            const FontChoice& choice = CaptionFont(item);
            const std::wstring caption = Widen(item.text);
            // At its own size a caption is measured in the font the control already holds.
            if (pixels == FontPixels(choice, dpi)) {
                return TextWidth(dc, item.kind == ControlKind::Frame ? frameFont_ : font_, caption);
            }
            const HFONT trial = MakeFont(choice, face, pixels);
            const int width = TextWidth(dc, trial, caption);
            DeleteObject(trial);
            return width;
        },
        [&](const ControlItem& item, int pixels) {
            const HFONT smaller = MakeFont(CaptionFont(item), face, pixels);
            if (smaller == nullptr) return;
            fittedFonts_.push_back(smaller);
            SendMessageW(Control(item.id), WM_SETFONT, reinterpret_cast<WPARAM>(smaller), FALSE);
        },
        dpi);
    ReleaseDC(window_, dc);
}

void MainWindow::LeaveOutControlsUnder(HWND label, HDC dc) const {
    const auto placeOf = [this](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const RECT place = placeOf(label);
    for (const ControlItem& other : Controls()) {
        if (other.kind == ControlKind::Label || other.kind == ControlKind::Frame) continue;
        const RECT box = placeOf(Control(other.id));
        RECT overlap{};
        if (!IntersectRect(&overlap, &place, &box)) continue;
        ExcludeClipRect(dc, overlap.left - place.left, overlap.top - place.top, overlap.right - place.left,
                        overlap.bottom - place.top);
    }
}

LRESULT CALLBACK MainWindow::LabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    const MainWindow* window = OwnerOf(label);
    if (window == nullptr) return CallControlProcedure(label, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: {
            // A static control paints into the device context it is handed, when it is
            // handed one; clipped here, before it draws its background and text.
            if (wParam != 0) break;
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(label, &paint);
            window->LeaveOutControlsUnder(label, dc);
            CallControlProcedure(label, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            EndPaint(label, &paint);
            return 0;
        }
        case WM_ERASEBKGND: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const int saved = SaveDC(dc);
            window->LeaveOutControlsUnder(label, dc);
            const LRESULT erased = CallControlProcedure(label, message, wParam, lParam);
            RestoreDC(dc, saved);
            return erased;
        }
        default:
            break;
    }
    return CallControlProcedure(label, message, wParam, lParam);
}

void MainWindow::SizeClientArea(int dpi) {
    const WindowLayout& layout = Window1Layout();
    const int width = TwipsToPixels(layout.clientWidthTwips, dpi);
    const int height = TwipsToPixels(layout.clientHeightTwips, dpi);
    const SIZE size = FrameSize(dpi);
    RECT frame{};
    GetWindowRect(window_, &frame);
    if (frame.right - frame.left != size.cx || frame.bottom - frame.top != size.cy) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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

void MainWindow::SetIcons(int dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const struct {
        WPARAM which;
        int sizeMetric;
    } kinds[] = {{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}};
    for (std::size_t i = 0; i < icons_.size(); ++i) {
        const HICON icon = OwnedProgramIcon(instance, SystemMetricForDpi(kinds[i].sizeMetric, dpi));
        if (icon == nullptr) continue;
        SendMessageW(window_, WM_SETICON, kinds[i].which, reinterpret_cast<LPARAM>(icon));
        if (icons_[i] != nullptr) DestroyIcon(icons_[i]);
        icons_[i] = icon;
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
            // The dialog manager turns Enter into IDOK when the window names no default
            // button; on a focused compute button Enter presses it, as on any Windows dialog.
            if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
                const auto id = ControlFromChildId(GetDlgCtrlID(GetFocus()));
                if (id && IsChild(window_, GetFocus()) && ControlLayout(*id).kind == ControlKind::Button) {
                    form_.ButtonClicked(*id);
                }
                return 0;
            }
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
            SetIcons(HIWORD(wParam));
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

LRESULT CALLBACK MainWindow::TextBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // Emptied before the box handles the press, so the caret lands in the empty box
            // instead of at a place in the text that is about to go.
            if (const auto id = ControlFromChildId(GetDlgCtrlID(box))) {
                if (MainWindow* self = OwnerOf(box)) self->form_.TextBoxClicked(*id);
            }
            break;
        default:
            break;
    }
    return CallControlProcedure(box, message, wParam, lParam);
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
