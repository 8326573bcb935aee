#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/form1.h"
#include "calc/calc.h"
#include "fake_window.h"

namespace kalvet {
namespace {

using testing::FakeWindow;

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { Form1::Form_Load(window); }
    void TearDown() override {
        for (const auto& m : window.Misuse()) ADD_FAILURE() << "Form1 misused the window: " << m;
    }
    FakeWindow window;
    Form1 form{window};
};

TEST_F(Form1Test, StartUpFillsEachListPromptFirstAndShowsThePrompt) {
    const struct {
        ControlId list;
        std::size_t entries;
        const char* first;
        const char* last;
    } lists[] = {
        {ControlId::Combo1, 42, "5  50×37×4.5", "40c  400×104×14.5"},
        {ControlId::Combo2, 83, "2  20×20×3", "20  200×200×24"},
        {ControlId::Combo3, 66, "2.5/1.6  25×16×3", "20/12.5  200×125×18"},
        {ControlId::Combo4, 46, "10  100×68×4.5", "63c  630×180×17"},
    };
    for (const auto& l : lists) {
        const auto& e = window.Entries(l.list);
        ASSERT_EQ(e.size(), l.entries) << ControlLayout(l.list).name;
        EXPECT_EQ(e[0], kListPrompt) << ControlLayout(l.list).name;
        EXPECT_EQ(e[1], l.first) << ControlLayout(l.list).name;
        EXPECT_EQ(e.back(), l.last) << ControlLayout(l.list).name;
        EXPECT_EQ(window.ShownEntry(l.list), kListPrompt) << ControlLayout(l.list).name;
    }
}

struct Road {
    const char* probe;
    ControlId button;
    ControlId list;  // None for the dimension groups
    const char* entry;
    std::vector<std::pair<ControlId, const char*>> typed;
    ControlId result;
    const char* shown;
};

TEST_F(Form1Test, EveryRoadFromButtonToResultBox) {
    const Road roads[] = {
        {"channel", ControlId::Command1, ControlId::Combo1, "5  50×37×4.5",
         {{ControlId::Text1, "1500"}}, ControlId::Text2, "8.157"},
        {"channel on the prompt", ControlId::Command1, ControlId::None, nullptr,
         {{ControlId::Text1, "1500"}}, ControlId::Text2, "数据或格式错误"},
        {"equal-leg angle", ControlId::Command2, ControlId::Combo2, "14  140×140×16",
         {{ControlId::Text3, "6000"}}, ControlId::Text4, "200.358"},
        {"equal-leg angle untouched length", ControlId::Command2, ControlId::Combo2,
         "2  20×20×3", {}, ControlId::Text4, "数据或格式错误"},
        {"unequal-leg angle", ControlId::Command3, ControlId::Combo3, "20/12.5  200×125×18",
         {{ControlId::Text5, "2500"}}, ControlId::Text6, "108.97"},
        {"unequal-leg angle length zero", ControlId::Command3, ControlId::Combo3,
         "10/8  100×80×10", {{ControlId::Text5, "0"}}, ControlId::Text6, "数据或格式错误"},
        {"I-beam", ControlId::Command4, ControlId::Combo4, "20a  200×100×7",
         {{ControlId::Text7, "6000"}}, ControlId::Text8, "167.574"},
        {"I-beam letters in length", ControlId::Command4, ControlId::Combo4, "20a  200×100×7",
         {{ControlId::Text7, "12abc"}}, ControlId::Text8, "数据或格式错误"},
        {"round bar", ControlId::Command5, ControlId::None, nullptr,
         {{ControlId::Text9, "10"}, {ControlId::Text10, "1000"}}, ControlId::Text11, "0.616539"},
        {"round bar empty length", ControlId::Command5, ControlId::None, nullptr,
         {{ControlId::Text9, "20"}}, ControlId::Text11, "数据错误"},
        {"pipe", ControlId::Command6, ControlId::None, nullptr,
         {{ControlId::Text13, "60"}, {ControlId::Text14, "3.5"}, {ControlId::Text15, "6000"}},
         ControlId::Text16, "29.26094094"},
        {"pipe length at the limit", ControlId::Command6, ControlId::None, nullptr,
         {{ControlId::Text13, "60"}, {ControlId::Text14, "3.5"}, {ControlId::Text15, "100000"}},
         ControlId::Text16, "数据错误"},
        {"plate", ControlId::Command7, ControlId::None, nullptr,
         {{ControlId::Text17, "2000"}, {ControlId::Text18, "1000"}, {ControlId::Text20, "10"}},
         ControlId::Text21, "157"},
        {"plate empty width", ControlId::Command7, ControlId::None, nullptr,
         {{ControlId::Text17, "2000"}, {ControlId::Text20, "10"}}, ControlId::Text21, "数据错误"},
    };
    for (const Road& r : roads) {
        FakeWindow w;
        Form1 f(w);
        Form1::Form_Load(w);
        if (r.list != ControlId::None) {
            ASSERT_TRUE(w.Choose(r.list, r.entry)) << r.probe;
        }
        for (const auto& [box, text] : r.typed) w.Type(box, text);
        const std::string before = w.Snapshot();
        f.ButtonClicked(r.button);
        EXPECT_EQ(w.Text(r.result), r.shown) << r.probe;

        // Nothing but the group's own result box may change.
        w.Type(r.result, ControlLayout(r.result).text);
        EXPECT_EQ(w.Snapshot(), before) << r.probe << " changed another control:\n" << w.Log();
    }
}

TEST_F(Form1Test, MessageAndMassReplaceEachOther) {
    window.Type(ControlId::Text1, "1000");
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "数据或格式错误") << "the list still shows the prompt";
    ASSERT_TRUE(window.Choose(ControlId::Combo1, "16a 160×63×6.5"));
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "17.24");
    window.Type(ControlId::Text1, "-5");
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "数据或格式错误");
}

TEST_F(Form1Test, ClickEmptiesTheTwelveInputBoxesOnly) {
    const ControlId inputs[] = {ControlId::Text1,  ControlId::Text3,  ControlId::Text5,
                                ControlId::Text7,  ControlId::Text9,  ControlId::Text10,
                                ControlId::Text13, ControlId::Text14, ControlId::Text15,
                                ControlId::Text17, ControlId::Text18, ControlId::Text20};
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::TextBox) continue;
        window.Type(c.id, "1500");
        form.TextBoxClicked(c.id);
        const bool isInput = std::find(std::begin(inputs), std::end(inputs), c.id) != std::end(inputs);
        EXPECT_EQ(window.Text(c.id), isInput ? "" : "1500")
            << c.name << (isInput ? " must be emptied by a click" : " must keep its text on a click");
    }
}

TEST_F(Form1Test, EventsOfControlsWithoutHandlersDoNothing) {
    const std::string before = window.Snapshot();
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Button) form.ButtonClicked(c.id);
        if (c.kind != ControlKind::TextBox) form.TextBoxClicked(c.id);
    }
    form.ButtonClicked(ControlId::None);
    form.TextBoxClicked(ControlId::None);
    EXPECT_EQ(window.Snapshot(), before);
}

TEST_F(Form1Test, DensityChangesLaterDimensionResultsButNoSectionResult) {
    ASSERT_TRUE(window.Choose(ControlId::Combo1, "5  50×37×4.5"));
    window.Type(ControlId::Text1, "1000");
    window.Type(ControlId::Text9, "10");
    window.Type(ControlId::Text10, "1000");
    form.Command1_Click();
    form.Command5_Click();
    EXPECT_EQ(window.Text(ControlId::Text11), "0.616539");

    window.Type(ControlId::Text12, "7.93");
    EXPECT_EQ(window.Text(ControlId::Text11), "0.616539") << "only a press recomputes";
    form.Command1_Click();
    form.Command5_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "5.438") << "section groups ignore the density";
    EXPECT_EQ(window.Text(ControlId::Text11), "0.6228222");

    window.Type(ControlId::Text17, "1000");
    window.Type(ControlId::Text18, "1000");
    window.Type(ControlId::Text20, "1");
    form.Command7_Click();
    EXPECT_EQ(window.Text(ControlId::Text21), "7.93");

    form.TextBoxClicked(ControlId::Text12);
    EXPECT_EQ(window.Text(ControlId::Text12), "7.93") << "a click never empties the density box";
    window.Type(ControlId::Text12, "");
    form.Command7_Click();
    EXPECT_EQ(window.Text(ControlId::Text21), "数据错误") << "an empty density gives no mass";
}

}  // namespace
}  // namespace kalvet
