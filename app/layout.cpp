#include "app/layout.h"

#include <algorithm>
#include <array>
#include <cassert>

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

// One row per control: its id, and its name spelled from it; its kind, group box, caption or
// initial text, left, top, width and height, row label and unit label.
#define C(id, kind, frame, text, left, top, width, height, rowLabel, unitLabel)            \
    ControlItem{ControlId::id, #id, ControlKind::kind, ControlId::frame, text,            \
                {left, top, width, height}, ControlId::rowLabel, ControlId::unitLabel}
constexpr std::array<ControlItem, kControlCount> kControls{{
    C(Frame1, Frame, None, "槽钢", 120, 120, 3375, 2175, None, None),
    C(Combo1, ComboBox, Frame1, "", 600, 360, 2655, 330, Label1, None),
    C(Label1, Label, Frame1, "型号", 120, 480, 495, 255, None, None),
    C(Text1, TextBox, Frame1, "请输入长度", 600, 840, 2295, 315, Label2, Label4),
    C(Label4, Label, Frame1, "mm", 3000, 840, 255, 255, None, None),
    C(Label2, Label, Frame1, "长度", 120, 960, 495, 255, None, None),
    C(Command1, Button, Frame1, "计    算", 600, 1200, 2295, 375, None, None),
    C(Text2, TextBox, Frame1, "", 600, 1680, 2295, 285, Label3, Label5),
    C(Label5, Label, Frame1, "kg", 3000, 1680, 255, 255, None, None),
    C(Label3, Label, Frame1, "质量", 120, 1800, 495, 255, None, None),
    C(Frame2, Frame, None, "等边角钢", 3600, 120, 3255, 2175, None, None),
    C(Combo2, ComboBox, Frame2, "", 600, 360, 2535, 330, Label6, None),
    C(Label6, Label, Frame2, "型号", 120, 480, 615, 375, None, None),
    C(Text3, TextBox, Frame2, "请输入长度", 600, 840, 2175, 315, Label7, Label8),
    C(Label8, Label, Frame2, "mm", 2880, 840, 255, 255, None, None),
    C(Label7, Label, Frame2, "长度", 120, 960, 495, 375, None, None),
    C(Command2, Button, Frame2, "计    算", 600, 1200, 2175, 375, None, None),
    C(Text4, TextBox, Frame2, "", 600, 1680, 2175, 315, Label9, Label10),
    C(Label10, Label, Frame2, "kg", 2880, 1680, 255, 255, None, None),
    C(Label9, Label, Frame2, "质量", 120, 1800, 495, 255, None, None),
    C(Frame3, Frame, None, "不等边角钢", 120, 2400, 3375, 2175, None, None),
    C(Combo3, ComboBox, Frame3, "", 600, 360, 2655, 330, Label11, None),
    C(Label11, Label, Frame3, "型号", 120, 480, 495, 255, None, None),
    C(Text5, TextBox, Frame3, "请输入长度", 600, 840, 2295, 315, Label12, Label14),
    C(Label14, Label, Frame3, "mm", 3000, 840, 255, 255, None, None),
    C(Label12, Label, Frame3, "长度", 120, 960, 495, 255, None, None),
    C(Command3, Button, Frame3, "计    算", 600, 1200, 2295, 375, None, None),
    C(Text6, TextBox, Frame3, "", 600, 1680, 2295, 315, Label13, Label15),
    C(Label15, Label, Frame3, "kg", 3000, 1680, 255, 255, None, None),
    C(Label13, Label, Frame3, "质量", 120, 1800, 495, 255, None, None),
    C(Frame4, Frame, None, "工字钢", 3600, 2400, 3255, 2175, None, None),
    C(Combo4, ComboBox, Frame4, "", 600, 360, 2535, 330, Label16, None),
    C(Label16, Label, Frame4, "型号", 120, 480, 615, 375, None, None),
    C(Text7, TextBox, Frame4, "请输入长度", 600, 840, 2175, 285, Label17, Label19),
    C(Label19, Label, Frame4, "mm", 2880, 840, 255, 255, None, None),
    C(Label17, Label, Frame4, "长度", 120, 960, 495, 255, None, None),
    C(Command4, Button, Frame4, "计    算", 600, 1200, 2175, 375, None, None),
    C(Text8, TextBox, Frame4, "", 600, 1680, 2175, 315, Label18, Label20),
    C(Label20, Label, Frame4, "kg", 2880, 1680, 255, 255, None, None),
    C(Label18, Label, Frame4, "质量", 120, 1800, 495, 255, None, None),
    C(Frame5, Frame, None, "圆钢", 2520, 4680, 2175, 2055, None, None),
    C(Text9, TextBox, Frame5, "", 600, 360, 1095, 315, Label21, Label22),
    C(Label22, Label, Frame5, "mm", 1800, 360, 255, 255, None, None),
    C(Label21, Label, Frame5, "直径", 120, 480, 495, 255, None, None),
    C(Text10, TextBox, Frame5, "", 600, 720, 1095, 315, Label23, Label24),
    C(Label24, Label, Frame5, "mm", 1800, 720, 255, 255, None, None),
    C(Label23, Label, Frame5, "长度", 120, 840, 495, 255, None, None),
    C(Command5, Button, Frame5, "计   算", 480, 1080, 1335, 375, None, None),
    C(Text11, TextBox, Frame5, "", 600, 1560, 1095, 315, Label25, Label26),
    C(Label26, Label, Frame5, "kg", 1800, 1560, 255, 255, None, None),
    C(Label25, Label, Frame5, "质量", 120, 1680, 495, 255, None, None),
    C(Frame6, Frame, None, "钢材密度取值", 2520, 6840, 2175, 615, None, None),
    C(Text12, TextBox, Frame6, "7.85", 240, 240, 735, 315, None, Label27),
    C(Label27, Label, Frame6, "g/cm3", 1080, 240, 615, 255, None, None),
    C(Frame7, Frame, None, "钢管", 120, 4680, 2295, 2775, None, None),
    C(Text13, TextBox, Frame7, "", 720, 360, 1095, 315, Label28, Label32),
    C(Label32, Label, Frame7, "mm", 1920, 360, 255, 255, None, None),
    C(Label28, Label, Frame7, "外径", 240, 480, 495, 255, None, None),
    C(Text14, TextBox, Frame7, "", 720, 840, 1095, 315, Label29, Label33),
    C(Label33, Label, Frame7, "mm", 1920, 840, 255, 255, None, None),
    C(Label29, Label, Frame7, "壁厚", 240, 960, 495, 255, None, None),
    C(Text15, TextBox, Frame7, "", 720, 1320, 1095, 315, Label30, Label34),
    C(Label34, Label, Frame7, "mm", 1920, 1320, 255, 255, None, None),
    C(Label30, Label, Frame7, "长度", 240, 1440, 495, 255, None, None),
    C(Command6, Button, Frame7, "计   算", 480, 1800, 1335, 375, None, None),
    C(Text16, TextBox, Frame7, "", 720, 2280, 1095, 315, Label31, Label35),
    C(Label35, Label, Frame7, "kg", 1920, 2280, 255, 255, None, None),
    C(Label31, Label, Frame7, "质量", 240, 2400, 495, 255, None, None),
    C(Frame8, Frame, None, "板材", 4800, 4680, 2055, 2775, None, None),
    C(Text17, TextBox, Frame8, "", 600, 360, 975, 315, Label36, Label41),
    C(Label41, Label, Frame8, "mm", 1680, 360, 255, 255, None, None),
    C(Label36, Label, Frame8, "长度", 120, 480, 495, 255, None, None),
    C(Text18, TextBox, Frame8, "", 600, 840, 975, 315, Label37, Label42),
    C(Label42, Label, Frame8, "mm", 1680, 840, 255, 255, None, None),
    C(Label37, Label, Frame8, "宽度", 120, 960, 495, 255, None, None),
    C(Text20, TextBox, Frame8, "", 600, 1320, 975, 315, Label38, Label44),
    C(Label44, Label, Frame8, "mm", 1680, 1320, 255, 255, None, None),
    C(Label38, Label, Frame8, "厚度", 120, 1440, 495, 255, None, None),
    C(Command7, Button, Frame8, "计  算", 360, 1800, 1335, 375, None, None),
    C(Text21, TextBox, Frame8, "", 600, 2280, 975, 315, Label40, Label45),
    C(Label45, Label, Frame8, "kg", 1680, 2280, 255, 255, None, None),
    C(Label40, Label, Frame8, "质量", 120, 2400, 495, 255, None, None),
}};
#undef C

constexpr bool EveryRowStandsAtItsId() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].id != static_cast<ControlId>(i)) return false;
    }
    return true;
}
static_assert(EveryRowStandsAtItsId(), "the rows of kControls must follow the order of ControlId");

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

}  // namespace

const WindowLayout& Window1Layout() { return kWindow; }

std::span<const ControlItem> Controls() { return kControls; }

const ControlItem& ControlLayout(ControlId id) {
    assert(static_cast<std::size_t>(id) < kControls.size() && "ControlLayout: not a control of the window");
    return kControls[static_cast<std::size_t>(id)];
}

std::optional<ControlId> ControlAt(int index) {
    if (index < 0 || index >= static_cast<int>(kControls.size())) return std::nullopt;
    return static_cast<ControlId>(index);
}

PixelRect ControlPixelRect(const ControlItem& item, int dpi) {
    int left = item.rect.left;
    int top = item.rect.top;
    if (item.frame != kNone) {
        left += ControlLayout(item.frame).rect.left;
        top += ControlLayout(item.frame).rect.top;
    }
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + item.rect.width, dpi),
            TwipsToPixels(top + item.rect.height, dpi)};
}

std::span<const ControlId> TabOrder() { return kTabOrder; }

const GroupRoles& GroupOf(ControlId id) {
    const ControlId frame = ControlLayout(id).frame == kNone ? id : ControlLayout(id).frame;
    const auto group = std::find_if(Groups().begin(), Groups().end(),
                                    [frame](const GroupRoles& g) { return g.frame == frame; });
    assert(group != Groups().end() && "GroupOf: the control is in no group");
    return *group;
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
