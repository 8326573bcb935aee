#include "app/layout.h"

#include <algorithm>
#include <array>

namespace kalvet {

namespace {

constexpr int kGb2312Charset = 134;

constexpr WindowLayout kWindow{
    "Kalvet",
    6945,
    7560,
    {"宋体", "AR PL UMing CN", 105, false, kGb2312Charset},
    {"宋体", "AR PL UMing CN", 105, true, kGb2312Charset},
};

constexpr std::array<ControlItem, kControlCount> kControls{{
    {ControlId::Frame1, "Frame1", ControlKind::Frame, ControlId::None, "槽钢", {120, 120, 3375, 2175}, ControlId::None},
    {ControlId::Combo1, "Combo1", ControlKind::ComboBox, ControlId::Frame1, "", {600, 360, 2655, 330}, ControlId::Label1},
    {ControlId::Label1, "Label1", ControlKind::Label, ControlId::Frame1, "型号", {120, 480, 495, 255}, ControlId::None},
    {ControlId::Text1, "Text1", ControlKind::TextBox, ControlId::Frame1, "请输入长度", {600, 840, 2295, 315}, ControlId::Label2},
    {ControlId::Label4, "Label4", ControlKind::Label, ControlId::Frame1, "mm", {3000, 840, 255, 255}, ControlId::None},
    {ControlId::Label2, "Label2", ControlKind::Label, ControlId::Frame1, "长度", {120, 960, 495, 255}, ControlId::None},
    {ControlId::Command1, "Command1", ControlKind::Button, ControlId::Frame1, "计    算", {600, 1200, 2295, 375}, ControlId::None},
    {ControlId::Text2, "Text2", ControlKind::TextBox, ControlId::Frame1, "", {600, 1680, 2295, 285}, ControlId::Label3},
    {ControlId::Label5, "Label5", ControlKind::Label, ControlId::Frame1, "kg", {3000, 1680, 255, 255}, ControlId::None},
    {ControlId::Label3, "Label3", ControlKind::Label, ControlId::Frame1, "质量", {120, 1800, 495, 255}, ControlId::None},
    {ControlId::Frame2, "Frame2", ControlKind::Frame, ControlId::None, "等边角钢", {3600, 120, 3255, 2175}, ControlId::None},
    {ControlId::Combo2, "Combo2", ControlKind::ComboBox, ControlId::Frame2, "", {600, 360, 2535, 330}, ControlId::Label6},
    {ControlId::Label6, "Label6", ControlKind::Label, ControlId::Frame2, "型号", {120, 480, 615, 375}, ControlId::None},
    {ControlId::Text3, "Text3", ControlKind::TextBox, ControlId::Frame2, "请输入长度", {600, 840, 2175, 315}, ControlId::Label7},
    {ControlId::Label8, "Label8", ControlKind::Label, ControlId::Frame2, "mm", {2880, 840, 255, 255}, ControlId::None},
    {ControlId::Label7, "Label7", ControlKind::Label, ControlId::Frame2, "长度", {120, 960, 495, 375}, ControlId::None},
    {ControlId::Command2, "Command2", ControlKind::Button, ControlId::Frame2, "计    算", {600, 1200, 2175, 375}, ControlId::None},
    {ControlId::Text4, "Text4", ControlKind::TextBox, ControlId::Frame2, "", {600, 1680, 2175, 315}, ControlId::Label9},
    {ControlId::Label10, "Label10", ControlKind::Label, ControlId::Frame2, "kg", {2880, 1680, 255, 255}, ControlId::None},
    {ControlId::Label9, "Label9", ControlKind::Label, ControlId::Frame2, "质量", {120, 1800, 495, 255}, ControlId::None},
    {ControlId::Frame3, "Frame3", ControlKind::Frame, ControlId::None, "不等边角钢", {120, 2400, 3375, 2175}, ControlId::None},
    {ControlId::Combo3, "Combo3", ControlKind::ComboBox, ControlId::Frame3, "", {600, 360, 2655, 330}, ControlId::Label11},
    {ControlId::Label11, "Label11", ControlKind::Label, ControlId::Frame3, "型号", {120, 480, 495, 255}, ControlId::None},
    {ControlId::Text5, "Text5", ControlKind::TextBox, ControlId::Frame3, "请输入长度", {600, 840, 2295, 315}, ControlId::Label12},
    {ControlId::Label14, "Label14", ControlKind::Label, ControlId::Frame3, "mm", {3000, 840, 255, 255}, ControlId::None},
    {ControlId::Label12, "Label12", ControlKind::Label, ControlId::Frame3, "长度", {120, 960, 495, 255}, ControlId::None},
    {ControlId::Command3, "Command3", ControlKind::Button, ControlId::Frame3, "计    算", {600, 1200, 2295, 375}, ControlId::None},
    {ControlId::Text6, "Text6", ControlKind::TextBox, ControlId::Frame3, "", {600, 1680, 2295, 315}, ControlId::Label13},
    {ControlId::Label15, "Label15", ControlKind::Label, ControlId::Frame3, "kg", {3000, 1680, 255, 255}, ControlId::None},
    {ControlId::Label13, "Label13", ControlKind::Label, ControlId::Frame3, "质量", {120, 1800, 495, 255}, ControlId::None},
    {ControlId::Frame4, "Frame4", ControlKind::Frame, ControlId::None, "工字钢", {3600, 2400, 3255, 2175}, ControlId::None},
    {ControlId::Combo4, "Combo4", ControlKind::ComboBox, ControlId::Frame4, "", {600, 360, 2535, 330}, ControlId::Label16},
    {ControlId::Label16, "Label16", ControlKind::Label, ControlId::Frame4, "型号", {120, 480, 615, 375}, ControlId::None},
    {ControlId::Text7, "Text7", ControlKind::TextBox, ControlId::Frame4, "请输入长度", {600, 840, 2175, 285}, ControlId::Label17},
    {ControlId::Label19, "Label19", ControlKind::Label, ControlId::Frame4, "mm", {2880, 840, 255, 255}, ControlId::None},
    {ControlId::Label17, "Label17", ControlKind::Label, ControlId::Frame4, "长度", {120, 960, 495, 255}, ControlId::None},
    {ControlId::Command4, "Command4", ControlKind::Button, ControlId::Frame4, "计    算", {600, 1200, 2175, 375}, ControlId::None},
    {ControlId::Text8, "Text8", ControlKind::TextBox, ControlId::Frame4, "", {600, 1680, 2175, 315}, ControlId::Label18},
    {ControlId::Label20, "Label20", ControlKind::Label, ControlId::Frame4, "kg", {2880, 1680, 255, 255}, ControlId::None},
    {ControlId::Label18, "Label18", ControlKind::Label, ControlId::Frame4, "质量", {120, 1800, 495, 255}, ControlId::None},
    {ControlId::Frame5, "Frame5", ControlKind::Frame, ControlId::None, "圆钢", {2520, 4680, 2175, 2055}, ControlId::None},
    {ControlId::Text9, "Text9", ControlKind::TextBox, ControlId::Frame5, "", {600, 360, 1095, 315}, ControlId::Label21},
    {ControlId::Label22, "Label22", ControlKind::Label, ControlId::Frame5, "mm", {1800, 360, 255, 255}, ControlId::None},
    {ControlId::Label21, "Label21", ControlKind::Label, ControlId::Frame5, "直径", {120, 480, 495, 255}, ControlId::None},
    {ControlId::Text10, "Text10", ControlKind::TextBox, ControlId::Frame5, "", {600, 720, 1095, 315}, ControlId::Label23},
    {ControlId::Label24, "Label24", ControlKind::Label, ControlId::Frame5, "mm", {1800, 720, 255, 255}, ControlId::None},
    {ControlId::Label23, "Label23", ControlKind::Label, ControlId::Frame5, "长度", {120, 840, 495, 255}, ControlId::None},
    {ControlId::Command5, "Command5", ControlKind::Button, ControlId::Frame5, "计   算", {480, 1080, 1335, 375}, ControlId::None},
    {ControlId::Text11, "Text11", ControlKind::TextBox, ControlId::Frame5, "", {600, 1560, 1095, 315}, ControlId::Label25},
    {ControlId::Label26, "Label26", ControlKind::Label, ControlId::Frame5, "kg", {1800, 1560, 255, 255}, ControlId::None},
    {ControlId::Label25, "Label25", ControlKind::Label, ControlId::Frame5, "质量", {120, 1680, 495, 255}, ControlId::None},
    {ControlId::Frame6, "Frame6", ControlKind::Frame, ControlId::None, "钢材密度取值", {2520, 6840, 2175, 615}, ControlId::None},
    {ControlId::Text12, "Text12", ControlKind::TextBox, ControlId::Frame6, "7.85", {240, 240, 735, 315}, ControlId::None},
    {ControlId::Label27, "Label27", ControlKind::Label, ControlId::Frame6, "g/cm3", {1080, 240, 615, 255}, ControlId::None},
    {ControlId::Frame7, "Frame7", ControlKind::Frame, ControlId::None, "钢管", {120, 4680, 2295, 2775}, ControlId::None},
    {ControlId::Text13, "Text13", ControlKind::TextBox, ControlId::Frame7, "", {720, 360, 1095, 315}, ControlId::Label28},
    {ControlId::Label32, "Label32", ControlKind::Label, ControlId::Frame7, "mm", {1920, 360, 255, 255}, ControlId::None},
    {ControlId::Label28, "Label28", ControlKind::Label, ControlId::Frame7, "外径", {240, 480, 495, 255}, ControlId::None},
    {ControlId::Text14, "Text14", ControlKind::TextBox, ControlId::Frame7, "", {720, 840, 1095, 315}, ControlId::Label29},
    {ControlId::Label33, "Label33", ControlKind::Label, ControlId::Frame7, "mm", {1920, 840, 255, 255}, ControlId::None},
    {ControlId::Label29, "Label29", ControlKind::Label, ControlId::Frame7, "壁厚", {240, 960, 495, 255}, ControlId::None},
    {ControlId::Text15, "Text15", ControlKind::TextBox, ControlId::Frame7, "", {720, 1320, 1095, 315}, ControlId::Label30},
    {ControlId::Label34, "Label34", ControlKind::Label, ControlId::Frame7, "mm", {1920, 1320, 255, 255}, ControlId::None},
    {ControlId::Label30, "Label30", ControlKind::Label, ControlId::Frame7, "长度", {240, 1440, 495, 255}, ControlId::None},
    {ControlId::Command6, "Command6", ControlKind::Button, ControlId::Frame7, "计   算", {480, 1800, 1335, 375}, ControlId::None},
    {ControlId::Text16, "Text16", ControlKind::TextBox, ControlId::Frame7, "", {720, 2280, 1095, 315}, ControlId::Label31},
    {ControlId::Label35, "Label35", ControlKind::Label, ControlId::Frame7, "kg", {1920, 2280, 255, 255}, ControlId::None},
    {ControlId::Label31, "Label31", ControlKind::Label, ControlId::Frame7, "质量", {240, 2400, 495, 255}, ControlId::None},
    {ControlId::Frame8, "Frame8", ControlKind::Frame, ControlId::None, "板材", {4800, 4680, 2055, 2775}, ControlId::None},
    {ControlId::Text17, "Text17", ControlKind::TextBox, ControlId::Frame8, "", {600, 360, 975, 315}, ControlId::Label36},
    {ControlId::Label41, "Label41", ControlKind::Label, ControlId::Frame8, "mm", {1680, 360, 255, 255}, ControlId::None},
    {ControlId::Label36, "Label36", ControlKind::Label, ControlId::Frame8, "长度", {120, 480, 495, 255}, ControlId::None},
    {ControlId::Text18, "Text18", ControlKind::TextBox, ControlId::Frame8, "", {600, 840, 975, 315}, ControlId::Label37},
    {ControlId::Label42, "Label42", ControlKind::Label, ControlId::Frame8, "mm", {1680, 840, 255, 255}, ControlId::None},
    {ControlId::Label37, "Label37", ControlKind::Label, ControlId::Frame8, "宽度", {120, 960, 495, 255}, ControlId::None},
    {ControlId::Text20, "Text20", ControlKind::TextBox, ControlId::Frame8, "", {600, 1320, 975, 315}, ControlId::Label38},
    {ControlId::Label44, "Label44", ControlKind::Label, ControlId::Frame8, "mm", {1680, 1320, 255, 255}, ControlId::None},
    {ControlId::Label38, "Label38", ControlKind::Label, ControlId::Frame8, "厚度", {120, 1440, 495, 255}, ControlId::None},
    {ControlId::Command7, "Command7", ControlKind::Button, ControlId::Frame8, "计  算", {360, 1800, 1335, 375}, ControlId::None},
    {ControlId::Text21, "Text21", ControlKind::TextBox, ControlId::Frame8, "", {600, 2280, 975, 315}, ControlId::Label40},
    {ControlId::Label45, "Label45", ControlKind::Label, ControlId::Frame8, "kg", {1680, 2280, 255, 255}, ControlId::None},
    {ControlId::Label40, "Label40", ControlKind::Label, ControlId::Frame8, "质量", {120, 2400, 495, 255}, ControlId::None},
}};

// Not the visual order: the window has always tabbed this way and its users rely on it.
constexpr std::array kTabOrder{
    ControlId::Combo1,   ControlId::Text1,    ControlId::Text2,    ControlId::Command1,
    ControlId::Combo2,   ControlId::Text3,    ControlId::Command2, ControlId::Text4,
    ControlId::Combo3,   ControlId::Text5,    ControlId::Text6,    ControlId::Command3,
    ControlId::Combo4,   ControlId::Text7,    ControlId::Text8,    ControlId::Command4,
    ControlId::Text9,    ControlId::Text10,   ControlId::Text11,   ControlId::Command5,
    ControlId::Text12,   ControlId::Command6, ControlId::Text13,   ControlId::Text14,
    ControlId::Text15,   ControlId::Text16,   ControlId::Command7, ControlId::Text17,
    ControlId::Text18,   ControlId::Text20,   ControlId::Text21,
};

constexpr ControlId kNone = ControlId::None;

constexpr std::array kGroups{
    GroupRoles{ControlId::Frame1, ControlId::Combo1, {ControlId::Text1, kNone, kNone},
               ControlId::Command1, ControlId::Text2, kNone, Calculation::Channel},
    GroupRoles{ControlId::Frame2, ControlId::Combo2, {ControlId::Text3, kNone, kNone},
               ControlId::Command2, ControlId::Text4, kNone, Calculation::EqualAngle},
    GroupRoles{ControlId::Frame3, ControlId::Combo3, {ControlId::Text5, kNone, kNone},
               ControlId::Command3, ControlId::Text6, kNone, Calculation::UnequalAngle},
    GroupRoles{ControlId::Frame4, ControlId::Combo4, {ControlId::Text7, kNone, kNone},
               ControlId::Command4, ControlId::Text8, kNone, Calculation::IBeam},
    GroupRoles{ControlId::Frame5, kNone, {ControlId::Text9, ControlId::Text10, kNone},
               ControlId::Command5, ControlId::Text11, ControlId::Text12, Calculation::RoundBar},
    // The density box is read only by the round bar, pipe and plate buttons.
    GroupRoles{ControlId::Frame6, kNone, {kNone, kNone, kNone}, kNone, kNone, kNone,
               Calculation::None},
    GroupRoles{ControlId::Frame7, kNone, {ControlId::Text13, ControlId::Text14, ControlId::Text15},
               ControlId::Command6, ControlId::Text16, ControlId::Text12, Calculation::Pipe},
    GroupRoles{ControlId::Frame8, kNone, {ControlId::Text17, ControlId::Text18, ControlId::Text20},
               ControlId::Command7, ControlId::Text21, ControlId::Text12, Calculation::Plate},
};

}  // namespace

const WindowLayout& Window1Layout() { return kWindow; }

std::span<const ControlItem> Controls() { return kControls; }

const ControlItem& ControlLayout(ControlId id) { return kControls[static_cast<std::size_t>(id)]; }

std::span<const ControlId> TabOrder() { return kTabOrder; }

std::span<const GroupRoles> Groups() { return kGroups; }

const GroupRoles& GroupOf(ControlId id) {
    const ControlId frame = ControlLayout(id).frame == kNone ? id : ControlLayout(id).frame;
    return *std::find_if(kGroups.begin(), kGroups.end(),
                         [frame](const GroupRoles& g) { return g.frame == frame; });
}

std::span<const ControlId> BoxesRead(const GroupRoles& group) {
    const auto end = std::find(group.boxes.begin(), group.boxes.end(), kNone);
    return {group.boxes.begin(), end};
}

namespace {

bool HeadsARow(const ControlItem& c) {
    return c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
           c.kind == ControlKind::Button;
}

int SharedHeight(const TwipsRect& a, const TwipsRect& b) {
    return std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
}

}  // namespace

RowCell RowCellOf(ControlId id) {
    const ControlItem& item = ControlLayout(id);
    if (item.kind == ControlKind::Frame) return {0, RowColumn::Control};
    // The control whose row this is: itself, the box a row label names, or the control a unit
    // stands beside.
    const ControlItem* head = HeadsARow(item) ? &item : nullptr;
    for (const ControlItem& c : Controls()) {
        if (head == nullptr && c.rowLabel == id) head = &c;
    }
    const bool unit = head == nullptr;
    if (unit) {
        int shared = 0;
        for (const ControlItem& c : Controls()) {
            if (c.frame == item.frame && HeadsARow(c) && SharedHeight(c.rect, item.rect) > shared) {
                shared = SharedHeight(c.rect, item.rect);
                head = &c;
            }
        }
    }
    if (head == nullptr) return {0, RowColumn::Unit};  // a label beside nothing
    int row = 1;
    for (const ControlItem& c : Controls()) {
        if (c.frame == item.frame && HeadsARow(c) && c.rect.top < head->rect.top) ++row;
    }
    const RowColumn column = head == &item ? RowColumn::Control
                             : unit        ? RowColumn::Unit
                                           : RowColumn::Label;
    return {row, column};
}

ControlId ActionKeyTarget(ControlId box) {
    if (box == kNone) return kNone;
    const GroupRoles& group = GroupOf(box);
    const auto read = BoxesRead(group);
    const auto at = std::find(read.begin(), read.end(), box);
    if (at == read.end()) return kNone;
    return at + 1 == read.end() ? group.button : *(at + 1);
}

ControlId ResultBox(ControlId button) {
    if (button == kNone) return kNone;
    const GroupRoles& group = GroupOf(button);
    return group.button == button ? group.result : kNone;
}

std::string AccessibleName(ControlId id) {
    const ControlItem& item = ControlLayout(id);
    if (item.frame == ControlId::None) return std::string(item.text);
    std::string name(ControlLayout(item.frame).text);
    if (item.rowLabel != ControlId::None) {
        name.append(" ").append(ControlLayout(item.rowLabel).text);
    } else if (item.kind == ControlKind::Button) {
        name.append(" ").append(item.text);
    }
    return name;
}

}  // namespace kalvet
