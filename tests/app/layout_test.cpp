#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/captions.h"
#include "app/layout.h"
#include "tests/expected.h"

namespace kalvet {
namespace {

// One changed digit of a control's place or size, or a changed caption, fails here naming the
// control.
TEST(Layout, EveryControlAndTheWindowMatchTheWindowsTable) {
    const char* kinds[] = {"frame", "label", "box", "list", "button"};
    std::map<std::string_view, std::uint32_t> prints;
    for (const auto& p : expected::kControls) prints[p.name] = p.print;
    ASSERT_EQ(prints.size(), Controls().size());
    for (const ControlItem& c : Controls()) {
        const TwipsRect& r = c.rect;
        const std::string print = std::string(c.name) + " " + kinds[static_cast<int>(c.kind)] + " " +
                                  (c.frame == ControlId::None ? "-" : std::string(ControlLayout(c.frame).name)) + " " +
                                  std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.width) +
                                  " " + std::to_string(r.height) + " " + std::string(c.text);
        ASSERT_TRUE(prints.count(c.name)) << c.name << " is no control of the window";
        EXPECT_EQ(expected::Fingerprint(print), prints[c.name]) << "\"" << print << "\" is not the window's table";
    }
    const WindowLayout& w = Window1Layout();
    EXPECT_EQ(w.caption, expected::kCaption);
    EXPECT_EQ(w.clientWidthTwips, expected::kClientTwips[0]);
    EXPECT_EQ(w.clientHeightTwips, expected::kClientTwips[1]);
    EXPECT_EQ(TwipsToPixels(w.clientWidthTwips), expected::kClientPixels[0]);
    EXPECT_EQ(TwipsToPixels(w.clientHeightTwips), expected::kClientPixels[1]);
    for (const auto& [font, bold] : {std::pair{w.font, false}, {w.frameFont, true}}) {
        EXPECT_EQ(font.face, expected::kFace);
        EXPECT_EQ(font.tenthsOfPoint, expected::kTenthsOfPoint);
        EXPECT_EQ(font.bold, bold);
        EXPECT_EQ(font.charset, expected::kCharset);
        EXPECT_EQ(FontPixels(font), expected::kFontPixels);
        EXPECT_EQ(FontPixels(font, 144), 21) << "a font grows with the resolution as the boxes do";
    }
}

TEST(Layout, TabVisitsTheWindowsOrder) {
    EXPECT_TRUE(std::equal(TabOrder().begin(), TabOrder().end(), std::begin(expected::kTabOrder),
                           std::end(expected::kTabOrder)));
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

// A toolkit's number for a control (a child window's ID less its base, a page's slot) names a
// control only inside the table: a number from anywhere else names none.
TEST(Layout, OnlyAnIndexInsideTheTableNamesAControl) {
    EXPECT_EQ(ControlAt(0), ControlId::Frame1);
    EXPECT_EQ(ControlAt(81), ControlId::Label40);
    for (const int outside : {82, -1, INT_MIN, INT_MAX}) EXPECT_EQ(ControlAt(outside), std::nullopt) << outside;
}

TEST(LayoutDeathTest, AWrongIdStopsABuildWithAssertions) {
#ifdef NDEBUG
    GTEST_SKIP() << "built without assertions";
#else
    EXPECT_DEATH(ControlLayout(ControlId::None), "not a control of the window");
    EXPECT_DEATH(ControlLayout(static_cast<ControlId>(200)), "not a control of the window");
#endif
}

// A label gives its caption its whole width, a group box and a button their width less their
// margins, which grow with the resolution as the controls do; boxes and lists show none.
TEST(Captions, RoomByKindAtEveryResolution) {
    const struct {
        ControlId id;
        int dpi, room;
    } cases[] = {{ControlId::Label1, 96, 33},          {ControlId::Frame1, 96, 225 - 2 * 8},
                 {ControlId::Frame1, 192, 450 - 2 * 16}, {ControlId::Command1, 96, 153 - 2 * 3},
                 {ControlId::Command1, 144, 230 - 2 * 5}, {ControlId::Text1, 96, 0}, {ControlId::Combo1, 96, 0}};
    for (const auto& c : cases) EXPECT_EQ(CaptionRoom(ControlLayout(c.id), c.dpi), c.room) << ControlLayout(c.id).name << " at " << c.dpi;
}

// In a Song face (a Latin letter half as wide as a Chinese character, which is as wide as the
// text is high) no caption is touched; in a face twice as wide, each caption that does not fit
// shrinks to the largest size that fits, and no other.
TEST(Captions, OnlyCaptionsThatDoNotFitShrinkAndNoFurtherThanTheyMust) {
    const auto song = [](const ControlItem& c, int pixels) {
        int halves = 0;
        for (const char ch : c.text) halves += static_cast<unsigned char>(ch) < 0x80 ? 1 : static_cast<unsigned char>(ch) >= 0xC0 ? 2 : 0;
        return (halves * pixels + 1) / 2;
    };
    const auto wide = [&](const ControlItem& c, int pixels) { return 2 * song(c, pixels); };
    for (const int dpi : {96, 144, 192}) {
        std::map<ControlId, int> shrunk;
        const auto note = [&](const ControlItem& c, int pixels) { shrunk[c.id] = pixels; };
        FitCaptions(song, note, dpi);
        EXPECT_TRUE(shrunk.empty()) << ControlLayout(shrunk.begin()->first).name << " shrinks in the Song face at " << dpi;
        FitCaptions(wide, note, dpi);
        EXPECT_FALSE(shrunk.empty()) << dpi;
        for (const auto& [id, size] : shrunk) {
            const ControlItem& c = ControlLayout(id);
            EXPECT_LT(size, FontPixels(CaptionFont(c), dpi)) << c.name << " handed its own size at " << dpi;
            EXPECT_TRUE(size == kMinCaptionPixels || wide(c, size) <= CaptionRoom(c, dpi)) << c.name << " is cut at " << dpi;
            EXPECT_GT(wide(c, size + 1), CaptionRoom(c, dpi)) << c.name << " shrank too far at " << dpi;
        }
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
            EXPECT_TRUE(read.empty()) << "a group without a button reads nothing";
            EXPECT_EQ(g.result, ControlId::None) << "a group without a button writes nothing";
            EXPECT_EQ(g.calculation, Calculation::None);
            continue;
        }
        ++parts[g.button];
        ++parts[g.result];
        EXPECT_TRUE(is(g.button, ControlKind::Button, g.frame)) << "the button is a button of the group";
        EXPECT_TRUE(is(g.result, ControlKind::TextBox, g.frame)) << "the result is a box of the group";
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
