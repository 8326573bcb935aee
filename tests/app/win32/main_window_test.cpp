// The real Win32 window, opened in this process and driven with the messages Windows itself
// sends: every check reads the controls back through the API, never through MainWindow.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/captions.h"
#include "app/layout.h"
#include "app/win32/main_window.h"
#include "app/win32/resources.h"
#include "calc/calc.h"
#include "tests/expected.h"

namespace kalvet::win32 {
namespace {

// The test's own conversion, so that a fault in the window's one cannot cancel itself out.
std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

std::wstring TextOf(HWND control) {
    const auto length = static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const LRESULT copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ClassOf(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return name;
}

std::wstring ListEntry(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return L"<no entry>";
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    return entry;
}

// The control's rectangle in the client area of its parent, as the user sees it.
RECT PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the layout puts a control, in pixels at `dpi`: edges converted from twips.
RECT LayoutPlace(const ControlItem& item, int dpi) {
    int left = item.rect.left;
    int top = item.rect.top;
    if (item.frame != ControlId::None) {
        left += ControlLayout(item.frame).rect.left;
        top += ControlLayout(item.frame).rect.top;
    }
    return {kalvet::TwipsToPixels(left, dpi), kalvet::TwipsToPixels(top, dpi),
            kalvet::TwipsToPixels(left + item.rect.width, dpi),
            kalvet::TwipsToPixels(top + item.rect.height, dpi)};
}

std::string Show(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0) font.lfFaceName[0] = L'\0';
    return font;
}

// Enumeration callbacks: Windows calls them with its own calling convention, which a lambda
// cannot have on 32-bit x86.
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int CALLBACK NoteFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// One freshly opened window, shown as the program shows it. Controls are found by their
// Win32 ID, the way the dialog manager and accessibility tools find them.
class OpenWindow {
public:
    explicit OpenWindow(std::wstring_view face = {}) : window_(MainWindow::Create(GetModuleHandleW(nullptr), face)) {
        if (window_) window_->Show(SW_SHOWNORMAL);
        PumpMessages();
    }
    ~OpenWindow() {
        window_.reset();
        PumpMessages();
    }
    OpenWindow(const OpenWindow&) = delete;
    OpenWindow& operator=(const OpenWindow&) = delete;

    bool Opened() const { return window_ != nullptr && IsWindow(window_->Handle()); }
    HWND Main() const { return window_->Handle(); }
    HWND operator[](ControlId id) const { return GetDlgItem(Main(), ChildId(id)); }

    void Type(ControlId box, std::string_view text) const {
        SendMessageW((*this)[box], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
    // Clicks the way the mouse does: press and release inside the control.
    void Click(ControlId control) const {
        const HWND target = (*this)[control];
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        PumpMessages();
    }
    std::string Text(ControlId id) const { return Utf8(TextOf((*this)[id])); }

    // Everything the user can see: every control's text and every list's selection.
    std::vector<std::string> Snapshot() const {
        std::vector<std::string> all;
        for (const ControlItem& item : Controls()) {
            std::string line = std::string(item.name) + "=" + Text(item.id);
            if (item.kind == ControlKind::ComboBox) {
                line += " #" + std::to_string(SendMessageW((*this)[item.id], CB_GETCURSEL, 0, 0));
            }
            all.push_back(line);
        }
        return all;
    }

private:
    std::unique_ptr<MainWindow> window_;
};

// What differs between two snapshots, one line per control.
std::string Changes(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::string changes;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) changes += "  " + before[i] + "  ->  " + after[i] + "\n";
    }
    return changes;
}

TEST(Win32Window, IsAFixedSizeCaptionedWindowWithTheLayoutsClientArea) {
    auto w = std::make_unique<OpenWindow>();
    ASSERT_TRUE(w->Opened());
    const HWND main = w->Main();
    EXPECT_EQ(Utf8(TextOf(main)), expected::kCaption);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, expected::kClientPixels[0]);
    EXPECT_EQ(client.bottom, expected::kClientPixels[1]);
    const auto style = static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u) << "the window must not be resizable";
    EXPECT_TRUE(IsWindowVisible(main));
    w.reset();
    EXPECT_FALSE(IsWindow(main)) << "the window outlives its MainWindow";
}

TEST(Win32Window, EveryControlHasItsClassStylePlaceAndText) {
    struct Native {
        ControlKind kind;
        const wchar_t* className;
        DWORD typeMask;  // the bits that hold the control's type
        DWORD type;
        DWORD required;  // further style bits it must have
        DWORD forbidden;
        DWORD exRequired;
    };
    const Native natives[] = {
        {ControlKind::Frame, L"Button", BS_TYPEMASK, BS_GROUPBOX, 0, WS_TABSTOP, 0},
        {ControlKind::Label, L"Static", SS_TYPEMASK, SS_LEFT, 0, WS_TABSTOP, 0},
        {ControlKind::TextBox, L"Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE | ES_READONLY | ES_PASSWORD,
         WS_EX_CLIENTEDGE},
        {ControlKind::ComboBox, L"ComboBox", 0x3, CBS_DROPDOWNLIST, WS_TABSTOP, CBS_SORT, 0},
        {ControlKind::Button, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, 0},
    };
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    for (const ControlItem& item : Controls()) {
        SCOPED_TRACE(std::string(item.name));
        const HWND control = w[item.id];
        ASSERT_NE(control, nullptr) << "no control with ID " << ChildId(item.id);
        EXPECT_EQ(GetParent(control), w.Main()) << "every control is a child of the main window";
        EXPECT_TRUE(IsWindowVisible(control));

        const Native& native = *std::find_if(std::begin(natives), std::end(natives),
                                             [&](const Native& n) { return n.kind == item.kind; });
        EXPECT_EQ(CompareStringOrdinal(ClassOf(control).c_str(), -1, native.className, -1, TRUE), CSTR_EQUAL)
            << Utf8(ClassOf(control));
        const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
        if (item.kind == ControlKind::Button) {
            // The dialog manager may make the focused button the default one.
            EXPECT_TRUE((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        } else {
            EXPECT_EQ(style & native.typeMask, native.type);
        }
        EXPECT_EQ(style & native.required, native.required);
        EXPECT_EQ(style & native.forbidden, 0u);
        EXPECT_EQ(exStyle & native.exRequired, native.exRequired);
        if (item.kind == ControlKind::ComboBox) {
            // The list hands its scroll bar on to the opened list.
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetComboBoxInfo(control, &info));
            EXPECT_NE(static_cast<DWORD>(GetWindowLongW(info.hwndList, GWL_STYLE)) & WS_VSCROLL, 0u);
        }

        const RECT expected = LayoutPlace(item, 96);
        EXPECT_TRUE(PlaceOf(control) == expected)
            << "at " << Show(PlaceOf(control)) << ", the layout says " << Show(expected);

        const std::wstring shown = item.kind == ControlKind::ComboBox ? Wide(expected::kPrompt) : Wide(item.text);
        EXPECT_EQ(TextOf(control), shown);
    }

    // Nothing but the layout's controls.
    int children = 0;
    EnumChildWindows(w.Main(), CountWindow, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, static_cast<int>(kControlCount));
}

// The first of the wanted faces that is installed in the character set, or "" when none is.
std::wstring FirstInstalled(std::initializer_list<std::wstring> faces, BYTE charset = GB2312_CHARSET) {
    const HDC dc = GetDC(nullptr);
    std::wstring found;
    for (const std::wstring& face : faces) {
        LOGFONTW query{};
        query.lfCharSet = charset;
        face.copy(query.lfFaceName, LF_FACESIZE - 1);
        bool any = false;
        EnumFontFamiliesExW(dc, &query, NoteFont, reinterpret_cast<LPARAM>(&any), 0);
        if (any) {
            found = face;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    return found;
}

// A control's font and its text as drawn in it, with the room the control gives the text: a
// group box's line runs on either side of its caption, a button's raised edge and a list's
// arrow take their part.
struct Drawing {
    LOGFONTW font;
    std::wstring face;  // the face and character set the font really selects
    int charset;
    SIZE extent;
    int room;
    int lineHeight;
    int height;
};
Drawing DrawingOf(HDC dc, HWND control, const ControlItem& item, int dpi = 96) {
    Drawing d{FontOf(control), {}, 0, {}, 0, 0, 0};
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    d.face = face;
    d.charset = GetTextCharset(dc);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    d.lineHeight = metrics.tmHeight;
    const std::wstring text = item.kind == ControlKind::ComboBox ? Wide(expected::kPrompt) : Wide(item.text);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &d.extent);
    SelectObject(dc, previous);
    RECT client{};
    GetClientRect(control, &client);
    d.room = HasCaption(item.kind) ? CaptionRoom(item, dpi) : client.right;
    d.height = client.bottom;
    if (item.kind == ControlKind::ComboBox) d.room -= GetSystemMetrics(SM_CXVSCROLL);
    return d;
}

TEST(Win32Window, FontsAreTheSongFaceAtTenAndAHalfPointAndEveryCaptionFits) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    const std::wstring wanted = FirstInstalled({Wide(expected::kFace), L"SimSun", Wide(Window1Layout().font.fallbackFace)});
    const HDC dc = GetDC(w.Main());
    for (const ControlItem& item : Controls()) {
        SCOPED_TRACE(std::string(item.name));
        const Drawing d = DrawingOf(dc, w[item.id], item);
        ASSERT_NE(d.font.lfFaceName[0], L'\0') << "the control has no font of its own";
        EXPECT_EQ(d.font.lfHeight, -expected::kFontPixels) << "10.5 pt at 96 dpi";
        EXPECT_EQ(d.font.lfCharSet, expected::kCharset);
        if (item.kind == ControlKind::Frame) {
            EXPECT_GE(d.font.lfWeight, FW_BOLD);
        } else {
            EXPECT_EQ(d.font.lfWeight, FW_NORMAL);
        }
        if (!wanted.empty()) {
            EXPECT_EQ(std::wstring(d.font.lfFaceName), wanted);
        }
        // The face is really there (no silent substitution) and has the Chinese glyphs.
        EXPECT_EQ(d.face, std::wstring(d.font.lfFaceName));
        EXPECT_EQ(d.charset, expected::kCharset);
        // Nothing clipped: captions fit their control across and down, texts their box.
        EXPECT_LE(d.extent.cx, d.room) << "\"" << item.text << "\" is " << d.extent.cx << " px wide";
        if (item.kind != ControlKind::Frame) {
            EXPECT_LE(d.lineHeight, d.height) << "a line of text is " << d.lineHeight << " px high";
        }
    }
    ReleaseDC(w.Main(), dc);
}

TEST(Win32Window, ListsHoldThePromptThenTheirTableInOrderAndShowThePrompt) {
    const SectionTable tables[] = {ChannelTable(), EqualAngleTable(), UnequalAngleTable(), IBeamTable()};
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    for (std::size_t i = 0; i < std::size(tables); ++i) {
        const expected::Family& f = expected::kFamilies[i];
        SCOPED_TRACE(std::string(ControlLayout(f.list).name));
        const HWND list = w[f.list];
        ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(f.entries));
        EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(ListEntry(list, 0), Wide(expected::kPrompt));
        EXPECT_EQ(ListEntry(list, 1), Wide(f.first));
        EXPECT_EQ(ListEntry(list, static_cast<int>(f.entries) - 1), Wide(f.last));
        for (std::size_t row = 0; row < tables[i].size(); ++row) {
            EXPECT_EQ(ListEntry(list, static_cast<int>(row) + 1), Wide(tables[i][row].designation)) << "row " << row;
        }
    }
}

TEST(Win32Window, AnOpenedListShowsAboutFifteenEntries) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    for (const ControlId id : {ControlId::Combo1, ControlId::Combo2, ControlId::Combo3, ControlId::Combo4}) {
        SCOPED_TRACE(std::string(ControlLayout(id).name));
        const HWND list = w[id];
        SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
        PumpMessages();
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(list, &info));
        RECT opened{};
        GetClientRect(info.hwndList, &opened);
        const auto entryHeight = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
        ASSERT_GT(entryHeight, 0);
        const int visible = opened.bottom / entryHeight;
        EXPECT_GE(visible, 14);
        EXPECT_LE(visible, 16);
        SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
        PumpMessages();
    }
}

TEST(Win32Window, EachPressWritesItsOwnResultBoxAndNothingElse) {
    for (const expected::Road& p : expected::kRoads) {
        SCOPED_TRACE(std::string(p.probe));
        OpenWindow w;
        ASSERT_TRUE(w.Opened());
        if (p.list != ControlId::None) {
            const HWND list = w[p.list];
            const LRESULT chosen = SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(Wide(p.entry).c_str()));
            ASSERT_NE(chosen, CB_ERR);
            ASSERT_EQ(ListEntry(list, static_cast<int>(chosen)), Wide(p.entry)) << "chose another entry";
        }
        for (const auto& [box, text] : p.typed) {
            if (box != ControlId::None) w.Type(box, text);
        }
        const auto before = w.Snapshot();

        SendMessageW(w[p.button], BM_CLICK, 0, 0);
        PumpMessages();

        EXPECT_EQ(w.Text(p.result), p.shown);
        w.Type(p.result, ControlLayout(p.result).text);
        EXPECT_EQ(Changes(before, w.Snapshot()), "") << "the press changed other controls";
    }
}

TEST(Win32Window, AClickEmptiesTheTwelveInputBoxesOnly) {
    const auto& inputs = expected::kClickEmpties;
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    int boxes = 0;
    for (const ControlItem& item : Controls()) {
        if (item.kind != ControlKind::TextBox) continue;
        SCOPED_TRACE(std::string(item.name));
        ++boxes;
        w.Type(item.id, "1500");
        auto expected = w.Snapshot();
        const bool input = std::find(std::begin(inputs), std::end(inputs), item.id) != std::end(inputs);
        if (input) expected[static_cast<std::size_t>(item.id)] = std::string(item.name) + "=";

        w.Click(item.id);

        EXPECT_EQ(w.Text(item.id), input ? "" : "1500");
        EXPECT_EQ(Changes(expected, w.Snapshot()), "");
        EXPECT_EQ(GetFocus(), w[item.id]) << "the click puts the focus in the box";
        // Every click, whatever the box holds.
        w.Type(item.id, "7");
        w.Click(item.id);
        EXPECT_EQ(w.Text(item.id), input ? "" : "7");
    }
    EXPECT_EQ(boxes, 20);
}

TEST(Win32Window, TabAndShiftTabFollowTheTabOrderStartingAtTheFirstList) {
    const auto& order = expected::kTabOrder;
    constexpr std::size_t n = std::size(order);
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    EXPECT_EQ(GetFocus(), w[ControlId::Combo1]) << "the first list has the focus when the window opens";

    // The keys, through the dialog manager as the message loop hands them over, round the whole
    // order and back. Entering a box by keyboard clears nothing.
    w.Type(ControlId::Text9, "12");
    const auto before = w.Snapshot();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const auto pressTab = [&](bool shift) {
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        const bool handled = IsDialogMessageW(w.Main(), &key) != FALSE;
        key.message = WM_KEYUP;
        IsDialogMessageW(w.Main(), &key);
        PumpMessages();
        return handled;
    };
    SetFocus(w[order[0]]);
    for (std::size_t i = 1; i <= n; ++i) {
        EXPECT_TRUE(pressTab(false));
        EXPECT_EQ(GetFocus(), w[order[i % n]]) << "Tab should reach " << ControlLayout(order[i % n]).name;
    }
    for (std::size_t i = n; i-- > 0;) {
        EXPECT_TRUE(pressTab(true));
        EXPECT_EQ(GetFocus(), w[order[i]]) << "Shift+Tab should reach " << ControlLayout(order[i]).name;
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Changes(before, w.Snapshot()), "");
}

TEST(Win32Window, AResolutionChangeLaysTheWindowOutAgain) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    const auto oldFont = reinterpret_cast<HFONT>(SendMessageW(w[ControlId::Label1], WM_GETFONT, 0, 0));
    const auto oldFrameFont = reinterpret_cast<HFONT>(SendMessageW(w[ControlId::Frame1], WM_GETFONT, 0, 0));
    for (const int dpi : {144, 120, 96}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        RECT suggested{};
        GetWindowRect(w.Main(), &suggested);
        SendMessageW(w.Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();

        RECT client{};
        GetClientRect(w.Main(), &client);
        EXPECT_EQ(client.right, MulDiv(6945, dpi, 1440));
        EXPECT_EQ(client.bottom, MulDiv(7560, dpi, 1440));
        for (const ControlItem& item : Controls()) {
            const RECT expected = LayoutPlace(item, dpi);
            EXPECT_TRUE(PlaceOf(w[item.id]) == expected)
                << item.name << " at " << Show(PlaceOf(w[item.id])) << ", the layout says " << Show(expected);
            EXPECT_EQ(FontOf(w[item.id]).lfHeight, -MulDiv(105, dpi, 720)) << item.name;
        }
    }
    LOGFONTW gone{};
    EXPECT_EQ(GetObjectW(oldFont, sizeof gone, &gone), 0) << "the replaced font was not deleted";
    EXPECT_EQ(GetObjectW(oldFrameFont, sizeof gone, &gone), 0) << "the replaced font was not deleted";
}

// Presses a key the way the message loop hands it over: through the dialog manager first.
void PressKey(HWND main, UINT key) {
    MSG down{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageW(main, &down)) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
    MSG up{GetFocus(), WM_KEYUP, key, 0, 0, {}};
    if (!IsDialogMessageW(main, &up)) DispatchMessageW(&up);
    PumpMessages();
}

// The client area as it is on the screen, one 32-bit pixel per entry, row by row.
std::vector<DWORD> GrabClientArea(HWND window, const RECT& client) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right;
    const int height = client.bottom;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> copy(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copy;
}

void RepaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpMessages();
}

// Labels reach into the boxes beside them (the "型号" labels of two groups by nine pixels), yet
// the boxes, lists and buttons show exactly what they show with no label at all, however the
// window was last painted.
TEST(Win32Window, NoLabelPaintsOverABoxListOrButton) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        RECT suggested{};
        GetWindowRect(w.Main(), &suggested);
        SendMessageW(w.Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        SetWindowPos(w.Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        RepaintNow(w.Main());
        // The labels painted last, as after a repaint of them alone.
        for (const ControlItem& item : Controls()) {
            if (item.kind == ControlKind::Label) RepaintNow(w[item.id]);
        }
        RECT client{};
        GetClientRect(w.Main(), &client);
        const std::vector<DWORD> withLabels = GrabClientArea(w.Main(), client);
        for (const ControlItem& item : Controls()) {
            if (item.kind == ControlKind::Label) ShowWindow(w[item.id], SW_HIDE);
        }
        RepaintNow(w.Main());
        const std::vector<DWORD> withoutLabels = GrabClientArea(w.Main(), client);
        for (const ControlItem& item : Controls()) {
            if (item.kind == ControlKind::Label) ShowWindow(w[item.id], SW_SHOWNA);
        }
        RepaintNow(w.Main());

        int differing = 0;
        for (const ControlItem& item : Controls()) {
            if (item.kind == ControlKind::Label || item.kind == ControlKind::Frame) continue;
            const RECT place = PlaceOf(w[item.id]);
            int here = 0;
            for (long y = place.top; y < place.bottom; ++y) {
                for (long x = place.left; x < place.right; ++x) {
                    const auto i = static_cast<std::size_t>(y * client.right + x);
                    if (withLabels[i] != withoutLabels[i]) ++here;
                }
            }
            EXPECT_EQ(here, 0) << item.name << " at " << Show(place) << ": " << here << " pixels differ with the labels shown";
            differing += here;
        }
        // The grab really shows the window: the labels themselves leave their mark.
        long labelPixels = 0;
        for (std::size_t i = 0; i < withLabels.size(); ++i) labelPixels += withLabels[i] != withoutLabels[i];
        EXPECT_GT(labelPixels, 100) << "hiding the labels changed nothing on the screen";
        EXPECT_EQ(differing, 0);
    }
}

// Screen readers name a box that has no caption of its own by the static text just before it
// in the z-order: every box and list follows the label of its row there.
TEST(Win32Window, EveryBoxAndListComesRightAfterTheLabelNamingItsRow) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    int named = 0;
    for (const ControlId id : TabOrder()) {
        const ControlItem& item = ControlLayout(id);
        if (item.rowLabel == ControlId::None) continue;
        SCOPED_TRACE(std::string(item.name));
        const HWND before = GetWindow(w[id], GW_HWNDPREV);
        EXPECT_EQ(before, w[item.rowLabel]) << "not right after " << ControlLayout(item.rowLabel).name;
        EXPECT_EQ(CompareStringOrdinal(ClassOf(before).c_str(), -1, L"Static", -1, TRUE), CSTR_EQUAL);
        EXPECT_EQ(Utf8(TextOf(before)), ControlLayout(item.rowLabel).text);
        ++named;
    }
    EXPECT_EQ(named, 23) << "19 boxes and 4 lists have a row label";
}

TEST(Win32Window, ALongResultShowsFromItsFirstDigit) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    for (const auto& [box, text] : {std::pair{ControlId::Text13, "60"}, {ControlId::Text14, "3.5"}, {ControlId::Text15, "6000"}}) w.Type(box, text);
    SendMessageW(w[ControlId::Command6], BM_CLICK, 0, 0);
    PumpMessages();
    const HWND result = w[ControlId::Text16];
    ASSERT_EQ(w.Text(ControlId::Text16), "29.26094094");
    RECT client{};
    GetClientRect(result, &client);
    // The character at the left edge of the box is the first one.
    const LRESULT at = SendMessageW(result, EM_CHARFROMPOS, 0, MAKELPARAM(3, client.bottom / 2));
    EXPECT_EQ(LOWORD(at), 0);

    // What is painted: the left third of the box is what the box shows holding only the first
    // digits (a box scrolled to the end would start with "9.26").
    RECT window{};
    GetClientRect(w.Main(), &window);
    const RECT place = PlaceOf(result);
    const auto leftThird = [&] {
        RepaintNow(w.Main());
        const std::vector<DWORD> all = GrabClientArea(w.Main(), window);
        std::vector<DWORD> part;
        for (long y = place.top; y < place.bottom; ++y) {
            for (long x = place.left; x < place.left + (place.right - place.left) / 3; ++x) {
                part.push_back(all[static_cast<std::size_t>(y * window.right + x)]);
            }
        }
        return part;
    };
    const std::vector<DWORD> shown = leftThird();
    w.Type(ControlId::Text16, "29.26");
    EXPECT_TRUE(shown == leftThird()) << "the box does not show the result's first digits";
    w.Type(ControlId::Text16, "9.26094094");
    EXPECT_FALSE(shown == leftThird()) << "the picture cannot tell the first digits from the last";
}

TEST(Win32Window, EnterOnAFocusedComputeButtonPressesIt) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    // Enter in a box does nothing.
    SetFocus(w[ControlId::Text1]);
    PressKey(w.Main(), VK_RETURN);
    EXPECT_EQ(w.Text(ControlId::Text2), "");
    // Tab from the length box to the button, as a keyboard user does, then Enter.
    PressKey(w.Main(), VK_TAB);
    PressKey(w.Main(), VK_TAB);
    ASSERT_EQ(GetFocus(), w[ControlId::Command1]);
    PressKey(w.Main(), VK_RETURN);
    EXPECT_EQ(w.Text(ControlId::Text2), expected::kSectionMessage) << "the length box still holds its prompt";

    w.Type(ControlId::Text17, "2000");
    w.Type(ControlId::Text18, "1000");
    w.Type(ControlId::Text20, "10");
    SetFocus(w[ControlId::Command7]);
    PumpMessages();
    const auto before = w.Snapshot();
    PressKey(w.Main(), VK_RETURN);
    EXPECT_EQ(w.Text(ControlId::Text21), "157");
    w.Type(ControlId::Text21, "");
    EXPECT_EQ(Changes(before, w.Snapshot()), "") << "Enter pressed another button too";
}

// The size of an icon's picture, in pixels.
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    // A monochrome icon keeps its AND and XOR masks one above the other in one bitmap.
    const SIZE size{bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// On a system without the Song face, the face it falls back on may be wider: "mm" about 27
// pixels in a 17-pixel label. The captions that would be cut, and only they, are drawn smaller,
// at every resolution the window moves to; there the title bar and Alt+Tab get icons drawn for
// it.
TEST(Win32Window, EveryCaptionFitsItsControlInAWiderFaceAtEveryResolution) {
    const std::wstring wide = FirstInstalled({L"DejaVu Sans", L"Tahoma", L"Arial"}, DEFAULT_CHARSET);
    ASSERT_FALSE(wide.empty()) << "no wide Latin face to try";
    OpenWindow w(wide);
    ASSERT_TRUE(w.Opened());
    for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        if (dpi != 96) {
            RECT suggested{};
            GetWindowRect(w.Main(), &suggested);
            SendMessageW(w.Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            PumpMessages();
            for (const auto& [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
                const auto icon = reinterpret_cast<HICON>(SendMessageW(w.Main(), WM_GETICON, which, 0));
                EXPECT_EQ(IconSize(icon).cx, MulDiv(GetSystemMetrics(metric), dpi, 96))
                    << (which == ICON_SMALL ? "the title bar's" : "Alt+Tab's") << " icon is scaled";
            }
        }
        const HDC dc = GetDC(w.Main());
        int shrunk = 0;
        for (const ControlItem& item : Controls()) {
            if (!HasCaption(item.kind)) continue;
            SCOPED_TRACE(std::string(item.name));
            const Drawing d = DrawingOf(dc, w[item.id], item, dpi);
            EXPECT_EQ(std::wstring(d.font.lfFaceName), wide);
            EXPECT_EQ(d.face, wide) << "the font mapper put another face in its place";
            const int size = -d.font.lfHeight;
            EXPECT_GE(size, kMinCaptionPixels);
            EXPECT_LE(size, FontPixels(CaptionFont(item), dpi));
            if (size > kMinCaptionPixels) {
                EXPECT_LE(d.extent.cx, d.room) << "\"" << item.text << "\" is cut off";
            }
            if (size < FontPixels(CaptionFont(item), dpi)) ++shrunk;
        }
        ReleaseDC(w.Main(), dc);
        EXPECT_GT(shrunk, 0) << "the wider face should not fit every caption at its usual size";
    }
}

// The program's icon: the window class carries it and kalvet.exe holds it for Explorer.

// The folder of this test program's own file, in the build tree, with its separator.
std::wstring TestFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder;
}

// The file the program is built to, found from this test program wherever the build tree lies.
std::wstring ProgramFile() { return TestFolder() + KALVET_PROGRAM_FROM_TEST; }


// A colour the icon does not use, to tell its transparent parts.
constexpr COLORREF kGround = RGB(0x12, 0x9A, 0x56);
constexpr DWORD kGroundPixel = 0x129A56;  // the same as a 32-bit DIB pixel, 0xRRGGBB

// The icon drawn at `size` pixels on kGround, as a 32-bit DIB's pixels (0xRRGGBB), top row first.
std::vector<DWORD> Drawn(HICON icon, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr) return {};
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const HBRUSH ground = CreateSolidBrush(kGround);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, ground);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(ground);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// The window class carries the program's icon, each picture at the size the system draws it:
// the small one in the title bar and the task bar, the large one for Alt+Tab. The test
// program links the same icon resource as kalvet.exe.
TEST(Win32Window, ClassCarriesTheProgramIconAtTheSystemSizes) {
    OpenWindow w;
    ASSERT_TRUE(w.Opened());
    const struct {
        const char* which;
        int classIndex;
        int sizeMetric;
    } cases[] = {
        {"large icon", GCLP_HICON, SM_CXICON},
        {"small icon", GCLP_HICONSM, SM_CXSMICON},
    };
    const HICON stock = LoadIconW(nullptr, IDI_APPLICATION);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.which);
        const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(w.Main(), c.classIndex));
        ASSERT_NE(icon, nullptr) << "the window class has no icon";
        const int size = GetSystemMetrics(c.sizeMetric);
        const SIZE picture = IconSize(icon);
        EXPECT_EQ(picture.cx, size) << "the picture will be scaled where it is drawn";
        EXPECT_EQ(picture.cy, size);

        const std::vector<DWORD> shown = Drawn(icon, size);
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(size * size));
        EXPECT_NE(shown, Drawn(stock, size)) << "the system's plain program icon";
        // The picture drawn for this size, not the stock icon nor another size scaled.
        const auto own = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KALVET_ICON),
                                                       IMAGE_ICON, size, size, 0));
        ASSERT_NE(own, nullptr) << "no icon among the test program's resources";
        EXPECT_EQ(shown, Drawn(own, size)) << "not the program's own picture for this size";
        DestroyIcon(own);

        // Drawn on a transparent ground that covers the corner, filling a fair share.
        EXPECT_EQ(shown[static_cast<std::size_t>(size - 1)], kGroundPixel) << "the top right corner is not clear";
        const auto ground = std::count(shown.begin(), shown.end(), kGroundPixel);
        EXPECT_GT(ground, size * size / 10) << "no transparent ground";
        EXPECT_LT(ground, size * size * 8 / 10) << "little is drawn";
    }
}

#pragma pack(push, 2)
// An icon group as resources hold it: a header, then one entry per picture, naming the
// RT_ICON resource that holds it.
struct IconGroupHeader {
    WORD reserved;
    WORD type;  // 1: icons
    WORD count;
};
struct IconGroupEntry {
    BYTE width;  // 0: 256
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<int*>(found) = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
    return FALSE;
}

std::wstring VersionString(const std::vector<BYTE>& version, const std::wstring& path) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(version.data(), path.c_str(), &value, &length) || length == 0) return L"<none>";
    return static_cast<const wchar_t*>(value);
}

// kalvet.exe as Explorer reads it: its icon the first icon group, with a 32-bit picture for
// every size from 16 to 256 pixels, each one Windows can turn into an icon of that size; and
// version information that names the product Kalvet and describes it in Chinese.
TEST(Win32Program, FileCarriesTheIconAndAChineseDescription) {
    const std::wstring program = ProgramFile();
    const HMODULE file = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr) << "cannot read " << Utf8(program);

    int first = 0;
    EnumResourceNamesW(file, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, KALVET_ICON) << "Explorer shows the first icon group";

    const HRSRC groupResource = FindResourceW(file, MAKEINTRESOURCEW(KALVET_ICON), MAKEINTRESOURCEW(14));
    ASSERT_NE(groupResource, nullptr) << "no icon in " << Utf8(program);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(file, groupResource)));
    IconGroupHeader header{};
    std::memcpy(&header, group, sizeof header);
    EXPECT_EQ(header.type, 1);
    ASSERT_GE(SizeofResource(file, groupResource), sizeof header + header.count * sizeof(IconGroupEntry));
    std::vector<int> sizes;
    std::map<int, std::vector<DWORD>> pictures;  // drawn on kGround, by size
    for (WORD i = 0; i < header.count; ++i) {
        IconGroupEntry entry{};
        std::memcpy(&entry, group + sizeof header + i * sizeof entry, sizeof entry);
        const int size = entry.width == 0 ? 256 : entry.width;
        sizes.push_back(size);
        SCOPED_TRACE(size);
        EXPECT_EQ(entry.height, entry.width) << "not square";
        EXPECT_EQ(entry.bitsPerPixel, 32) << "no alpha channel";
        const HRSRC pictureResource = FindResourceW(file, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(pictureResource, nullptr) << "the group names a missing picture";
        auto* picture = static_cast<BYTE*>(LockResource(LoadResource(file, pictureResource)));
        const HICON icon = CreateIconFromResourceEx(picture, SizeofResource(file, pictureResource), TRUE,
                                                    0x00030000, size, size, 0);
        ASSERT_NE(icon, nullptr) << "Windows cannot read the picture";
        const SIZE made = IconSize(icon);
        EXPECT_EQ(made.cx, size);
        EXPECT_EQ(made.cy, size);
        const std::vector<DWORD> drawn = Drawn(icon, size);
        EXPECT_EQ(drawn.front(), kGroundPixel) << "the top left corner is not clear";
        EXPECT_NE(std::count(drawn.begin(), drawn.end(), kGroundPixel), size * size) << "an empty picture";
        pictures[size] = drawn;
        DestroyIcon(icon);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64, 128, 256}));
    FreeLibrary(file);

    // The file's icon as the shell takes it for Explorer's views, each size the group's own
    // picture, not a neighbour scaled.
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        HICON icon = nullptr;
        ASSERT_EQ(PrivateExtractIconsW(program.c_str(), 0, size, size, &icon, nullptr, 1, 0), 1u);
        EXPECT_EQ(Drawn(icon, size), pictures[size]) << "the shell draws another picture";
        DestroyIcon(icon);
    }

    DWORD ignored = 0;
    std::vector<BYTE> version(GetFileVersionInfoSizeW(program.c_str(), &ignored));
    ASSERT_FALSE(version.empty()) << "no version information";
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_NE(fixed->dwFileVersionMS, 0u);
    WORD* translation = nullptr;
    UINT translationSize = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &translationSize));
    ASSERT_GE(translationSize, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0804) << "the strings should be marked Simplified Chinese";
    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    EXPECT_EQ(VersionString(version, std::wstring(block) + L"ProductName"), L"Kalvet");
    EXPECT_EQ(Utf8(VersionString(version, std::wstring(block) + L"FileDescription")), "钢材质量计算器");
    EXPECT_EQ(VersionString(version, std::wstring(block) + L"OriginalFilename"), L"kalvet.exe");
}

// The program as users start it: the same window, its start-up step run once, the focus on
// the first list, and closing the window ends the process.
TEST(Win32Program, StartsWithTheFirstListFocusedAndEndsWhenClosed) {
    const std::wstring program = ProgramFile();
    // The manifest: per-monitor DPI awareness and the common controls 6.
    const HMODULE file = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    const HRSRC manifest = FindResourceW(file, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr) << "no manifest";
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(file, manifest)));
    const std::string_view text(bytes, SizeofResource(file, manifest));
    EXPECT_NE(text.find("PerMonitorV2"), std::string_view::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    FreeLibrary(file);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << "cannot start " << Utf8(program);
    WaitForInputIdle(process.hProcess, 20000);

    HWND main = nullptr;
    for (int tries = 0; tries < 200 && main == nullptr; ++tries) {
        EnumThreadWindows(process.dwThreadId, TakeVisibleWindow, reinterpret_cast<LPARAM>(&main));
        if (main == nullptr) Sleep(50);
    }
    ASSERT_NE(main, nullptr) << "the program showed no window";
    EXPECT_EQ(Utf8(TextOf(main)), expected::kCaption);
    const HWND combo1 = GetDlgItem(main, ChildId(ControlId::Combo1));
    EXPECT_EQ(SendMessageW(combo1, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected::kFamilies[0].entries))
        << "the start-up step runs once";
    EXPECT_EQ(TextOf(combo1), Wide(expected::kPrompt));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(process.dwThreadId, &gui));
    EXPECT_EQ(gui.hwndFocus, combo1);

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0) << "closing did not end the program";
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace kalvet::win32
