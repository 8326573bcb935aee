#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/layout.h"

namespace kalvet {
namespace {

TEST(Layout, EveryRowIsWhereItsIdSaysAndNamesAreUnique) {
    ASSERT_EQ(Controls().size(), 82u);
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < Controls().size(); ++i) {
        const ControlItem& c = Controls()[i];
        EXPECT_EQ(static_cast<std::size_t>(c.id), i) << c.name << " is out of place";
        EXPECT_TRUE(names.insert(c.name).second) << c.name << " appears twice";
    }
}

TEST(Layout, EveryControlLiesInsideItsGroupBoxAndEveryGroupInsideTheWindow) {
    const WindowLayout& w = Window1Layout();
    for (const ControlItem& c : Controls()) {
        EXPECT_GT(c.rect.width, 0) << c.name;
        EXPECT_GT(c.rect.height, 0) << c.name;
        if (c.kind == ControlKind::Frame) {
            EXPECT_EQ(c.frame, ControlId::None) << c.name;
            EXPECT_LE(c.rect.left + c.rect.width, w.clientWidthTwips) << c.name;
            EXPECT_LE(c.rect.top + c.rect.height, w.clientHeightTwips) << c.name;
            continue;
        }
        ASSERT_NE(c.frame, ControlId::None) << c.name << " has no group box";
        const TwipsRect& f = ControlLayout(c.frame).rect;
        EXPECT_LE(c.rect.left + c.rect.width, f.width) << c.name << " sticks out of its group";
        EXPECT_LE(c.rect.top + c.rect.height, f.height) << c.name << " sticks out of its group";
    }
}

TEST(Layout, KindsCountsAndKeyTexts) {
    int counts[5] = {};
    for (const ControlItem& c : Controls()) ++counts[static_cast<int>(c.kind)];
    EXPECT_EQ(counts[static_cast<int>(ControlKind::Frame)], 8);
    EXPECT_EQ(counts[static_cast<int>(ControlKind::Label)], 43);
    EXPECT_EQ(counts[static_cast<int>(ControlKind::TextBox)], 20);
    EXPECT_EQ(counts[static_cast<int>(ControlKind::ComboBox)], 4);
    EXPECT_EQ(counts[static_cast<int>(ControlKind::Button)], 7);

    const struct {
        ControlId id;
        const char* text;
    } texts[] = {
        {ControlId::Frame6, "钢材密度取值"}, {ControlId::Text12, "7.85"},
        {ControlId::Text1, "请输入长度"},    {ControlId::Text7, "请输入长度"},
        {ControlId::Command1, "计    算"},   {ControlId::Command5, "计   算"},
        {ControlId::Command7, "计  算"},     {ControlId::Label27, "g/cm3"},
        {ControlId::Text2, ""},              {ControlId::Combo1, ""},
    };
    for (const auto& t : texts) EXPECT_EQ(ControlLayout(t.id).text, t.text) << ControlLayout(t.id).name;
    EXPECT_EQ(Window1Layout().caption, "Kalvet");
    EXPECT_EQ(TwipsToPixels(Window1Layout().clientWidthTwips), 463);
    EXPECT_EQ(TwipsToPixels(Window1Layout().clientHeightTwips), 504);
}

TEST(Layout, TabOrderVisitsEveryInputOnceStartingAtTheChannelList) {
    ASSERT_FALSE(TabOrder().empty());
    EXPECT_EQ(TabOrder().front(), ControlId::Combo1);
    std::set<ControlId> seen;
    for (ControlId id : TabOrder()) {
        EXPECT_TRUE(seen.insert(id).second) << ControlLayout(id).name << " is visited twice";
        const ControlKind k = ControlLayout(id).kind;
        EXPECT_TRUE(k == ControlKind::TextBox || k == ControlKind::ComboBox ||
                    k == ControlKind::Button)
            << ControlLayout(id).name << " cannot take the focus";
    }
    EXPECT_EQ(seen.size(), 31u) << "every box, list and button takes part";
}

TEST(Layout, AccessibleNamesSayGroupAndRow) {
    const struct {
        ControlId id;
        const char* name;
    } cases[] = {
        {ControlId::Text1, "槽钢 长度"},       {ControlId::Combo3, "不等边角钢 型号"},
        {ControlId::Text8, "工字钢 质量"},     {ControlId::Text14, "钢管 壁厚"},
        {ControlId::Text20, "板材 厚度"},      {ControlId::Text9, "圆钢 直径"},
        {ControlId::Text12, "钢材密度取值"},   {ControlId::Combo1, "槽钢 型号"},
        {ControlId::Command1, "槽钢 计    算"}, {ControlId::Command5, "圆钢 计   算"},
        {ControlId::Command6, "钢管 计   算"}, {ControlId::Command7, "板材 计  算"},
    };
    for (const auto& c : cases) EXPECT_EQ(AccessibleName(c.id), c.name);
}

// A person using speech input says what a button shows: its name holds its caption as shown.
TEST(Layout, EveryControlThatTakesTheFocusHasANameOfItsOwnHoldingWhatItShows) {
    std::set<std::string> names;
    for (ControlId id : TabOrder()) {
        const std::string name = AccessibleName(id);
        EXPECT_TRUE(names.insert(name).second)
            << ControlLayout(id).name << " is called \"" << name << "\" like another control";
        EXPECT_NE(name.back(), ' ') << ControlLayout(id).name;
        if (ControlLayout(id).kind == ControlKind::Button) {
            EXPECT_NE(name.find(ControlLayout(id).text), std::string::npos) << name;
        } else {
            EXPECT_EQ(name.find("  "), std::string::npos) << name;
        }
    }
}

TEST(Layout, ACaptionShrinksOnlyAsFarAsItMustAndNeverBelowTheFloor) {
    // A caption that is `perPixel` pixels wide for every pixel of font size.
    const struct {
        const char* probe;
        int wanted;
        int room;
        int perPixel;
        int fitted;
    } cases[] = {
        {"fits as it is", 14, 17, 1, 14},
        {"fits exactly", 14, 28, 2, 14},
        {"one size smaller", 14, 26, 2, 13},
        {"several sizes smaller", 14, 20, 2, 10},
        {"fits only at the floor", 14, 18, 2, 9},
        {"fits nowhere: drawn at the floor", 14, 5, 2, kMinCaptionPixels},
        {"already below the floor stays", 8, 1, 2, 8},
    };
    for (const auto& c : cases) {
        const int fitted =
            FittedPixelSize(c.wanted, c.room, [&](int size) { return size * c.perPixel; });
        EXPECT_EQ(fitted, c.fitted) << c.probe;
    }
}

// The group table says what a press reads and writes; the window shows it by place. Each
// group's controls lie in its group box, the list and boxes a button reads stand above it in
// reading and Tab order, the box it writes stands below it, and every box, list and button of
// the window plays exactly one part.
TEST(Layout, EachGroupsRolesAgreeWithWhereItsControlsStand) {
    const auto top = [](ControlId id) { return ControlLayout(id).rect.top; };
    const auto tab = [](ControlId id) { return std::find(TabOrder().begin(), TabOrder().end(), id) - TabOrder().begin(); };
    const auto is = [](ControlId id, ControlKind kind, ControlId frame) {
        return ControlLayout(id).kind == kind && (frame == ControlId::None || ControlLayout(id).frame == frame);
    };
    std::map<ControlId, int> parts;
    std::set<ControlId> densities;
    for (const GroupRoles& g : Groups()) {
        SCOPED_TRACE(ControlLayout(g.frame).name);
        std::vector<ControlId> read(BoxesRead(g).begin(), BoxesRead(g).end());
        if (g.list != ControlId::None) read.insert(read.begin(), g.list);
        for (std::size_t i = 0; i < read.size(); ++i) {
            const std::string name(ControlLayout(read[i]).name);
            EXPECT_TRUE(is(read[i], i == 0 && g.list != ControlId::None ? ControlKind::ComboBox : ControlKind::TextBox, g.frame)) << name;
            EXPECT_TRUE(i == 0 || (top(read[i - 1]) < top(read[i]) && tab(read[i - 1]) < tab(read[i]))) << name << " out of reading or Tab order";
            EXPECT_TRUE(g.button == ControlId::None || top(read[i]) < top(g.button)) << name << " below the button";
            ++parts[read[i]];
        }
        if (g.button == ControlId::None) {
            EXPECT_TRUE(read.empty() && g.result == ControlId::None && g.calculation == Calculation::None);
            continue;
        }
        ++parts[g.button];
        ++parts[g.result];
        EXPECT_TRUE(is(g.button, ControlKind::Button, g.frame) && is(g.result, ControlKind::TextBox, g.frame));
        EXPECT_GT(top(g.result), top(g.button)) << "the result box stands below the button";
        EXPECT_NE(g.calculation, Calculation::None);
        if (g.density != ControlId::None) densities.insert(g.density);
    }
    ASSERT_EQ(densities.size(), 1u) << "one density box for every group that reads one";
    EXPECT_TRUE(is(*densities.begin(), ControlKind::TextBox, ControlId::None));
    EXPECT_EQ(GroupOf(*densities.begin()).button, ControlId::None) << "the density box is a group of its own";
    ++parts[*densities.begin()];
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::Label) continue;
        EXPECT_EQ(parts[c.id], 1) << c.name << " plays " << parts[c.id] << " parts";
    }
}

}  // namespace
}  // namespace kalvet
