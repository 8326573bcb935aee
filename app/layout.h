// The window described once, as data: every control with its name, kind, group box, initial
// text, rectangle and the labels of its row, the window's size and fonts, the Tab order, and
// the part each control plays in its group's press. Front ends walk these tables to build their
// controls; none of them repeats a position or a caption.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvet {

// Every control of the window, in the order of Controls(): each group box followed by the
// controls inside it. None marks "no control" (a group box's parent, a box without a row label).
// The table's rows must follow this order; the build fails where they do not.
enum class ControlId : std::uint8_t {
    Frame1,
    Combo1,
    Label1,
    Text1,
    Label4,
    Label2,
    Command1,
    Text2,
    Label5,
    Label3,
    Frame2,
    Combo2,
    Label6,
    Text3,
    Label8,
    Label7,
    Command2,
    Text4,
    Label10,
    Label9,
    Frame3,
    Combo3,
    Label11,
    Text5,
    Label14,
    Label12,
    Command3,
    Text6,
    Label15,
    Label13,
    Frame4,
    Combo4,
    Label16,
    Text7,
    Label19,
    Label17,
    Command4,
    Text8,
    Label20,
    Label18,
    Frame5,
    Text9,
    Label22,
    Label21,
    Text10,
    Label24,
    Label23,
    Command5,
    Text11,
    Label26,
    Label25,
    Frame6,
    Text12,
    Label27,
    Frame7,
    Text13,
    Label32,
    Label28,
    Text14,
    Label33,
    Label29,
    Text15,
    Label34,
    Label30,
    Command6,
    Text16,
    Label35,
    Label31,
    Frame8,
    Text17,
    Label41,
    Label36,
    Text18,
    Label42,
    Label37,
    Text20,
    Label44,
    Label38,
    Command7,
    Text21,
    Label45,
    Label40,
    None,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::None);

enum class ControlKind : std::uint8_t { Frame, Label, TextBox, ComboBox, Button };

// In twips (1/1440 inch; 15 twips to a pixel at 96 dpi).
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlItem {
    ControlId id;
    std::string_view name;  // the control's name in the code, e.g. "Text12"
    ControlKind kind;
    ControlId frame;        // the group box holding it; None for a group box
    std::string_view text;  // caption or initial text, UTF-8
    TwipsRect rect;         // group boxes: in the client area; others: in their group box
    ControlId rowLabel;     // the label naming the control's row ("长度"), or None
    ControlId unitLabel;    // the label of the box's unit beside it ("mm", "kg"), or None
};

struct FontChoice {
    std::string_view face;          // wanted face, UTF-8
    std::string_view fallbackFace;  // a Song face with the same metrics, where the first is missing
    int tenthsOfPoint;              // 105 = 10.5 pt
    bool bold;
    int charset;                    // Windows character set number; 134 = GB2312
};

struct WindowLayout {
    std::string_view caption;
    int clientWidthTwips;
    int clientHeightTwips;
    FontChoice font;       // every control that sets no font of its own
    FontChoice frameFont;  // the group boxes
};

const WindowLayout& Window1Layout();

// All 82 controls; Controls()[i].id == ControlId(i).
std::span<const ControlItem> Controls();
// The layout entry of one control. A wrong id (None, or no enumerator at all) stops a build
// with assertions at once.
const ControlItem& ControlLayout(ControlId id);
// The control whose index in Controls() is `index`, as a toolkit numbers controls (a child
// window's ID less its base, a page's slot); nothing for an index that names no control.
std::optional<ControlId> ControlAt(int index);

// The order the Tab key visits; the first entry has the focus when the window opens.
std::span<const ControlId> TabOrder();

// What a screen reader should call a box, list or button: its group and row, e.g. "槽钢 长度",
// "槽钢 型号"; a compute button its group and its caption as shown, "钢管 计   算", so that the
// seven buttons are told apart and a person who says what the button shows names it; a box
// alone in its group (the density box) the group's caption.
std::string AccessibleName(ControlId id);

// What a group's compute button works out: a section family's mass from its table, or a
// round bar's, pipe's or plate's from its dimensions and the density.
enum class Calculation : std::uint8_t { None, Channel, EqualAngle, UnequalAngle, IBeam, RoundBar, Pipe, Plate };

// The part each control of a group box plays in a press: what its compute button reads and
// the box it writes. Form1's handlers read and write what these rows say (the build checks that
// the boxes a click empties are the boxes a button reads), and the page leads a phone
// keyboard's action key along the same boxes, so the two cannot part.
struct GroupRoles {
    ControlId frame;
    ControlId list;                  // the designation list the button reads, or None
    std::array<ControlId, 3> boxes;  // the boxes the button reads, top to bottom; None after
    ControlId button;                // None in the density group, which has no button
    ControlId result;                // the box the button writes
    ControlId density;               // the density box the button reads besides, or None
    Calculation calculation;
};

namespace detail {
using enum ControlId;
// The eight groups, in the order of their group boxes; the section groups come first, in the
// order Form_Load fills their lists. The density box is read only by the round bar, pipe and
// plate buttons.
inline constexpr std::array<GroupRoles, 8> kGroups{{
    {Frame1, Combo1, {Text1, None, None}, Command1, Text2, None, Calculation::Channel},
    {Frame2, Combo2, {Text3, None, None}, Command2, Text4, None, Calculation::EqualAngle},
    {Frame3, Combo3, {Text5, None, None}, Command3, Text6, None, Calculation::UnequalAngle},
    {Frame4, Combo4, {Text7, None, None}, Command4, Text8, None, Calculation::IBeam},
    {Frame5, None, {Text9, Text10, None}, Command5, Text11, Text12, Calculation::RoundBar},
    {Frame6, None, {None, None, None}, None, None, None, Calculation::None},
    {Frame7, None, {Text13, Text14, Text15}, Command6, Text16, Text12, Calculation::Pipe},
    {Frame8, None, {Text17, Text18, Text20}, Command7, Text21, Text12, Calculation::Plate},
}};
}  // namespace detail

constexpr std::span<const GroupRoles> Groups() { return detail::kGroups; }
// The group of a group box, or of any control inside one.
const GroupRoles& GroupOf(ControlId id);
// The boxes a group's button reads, without the padding.
constexpr std::span<const ControlId> BoxesRead(const GroupRoles& group) {
    std::size_t n = 0;
    while (n < group.boxes.size() && group.boxes[n] != ControlId::None) ++n;
    return {group.boxes.data(), n};
}

// 15 twips to the pixel at 96 dpi; other resolutions scale in proportion, rounded to the
// nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
    return (twips * dpi + 720) / 1440;
}

// A control's place in pixels at `dpi`, in the window's client area (a control inside a group
// box offset by its box's place). Each edge is converted, not the width, so that controls
// sharing an edge in twips share it in pixels at any resolution.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};
PixelRect ControlPixelRect(const ControlItem& item, int dpi = 96);

// A font's size in pixels (its characters' height) at `dpi`, through the same rule as the
// controls' places, so text and boxes grow together: a point is 20 twips.
constexpr int FontPixels(const FontChoice& font, int dpi = 96) {
    return TwipsToPixels(font.tenthsOfPoint * 2, dpi);
}

}  // namespace kalvet
