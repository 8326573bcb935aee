#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fake_window.h"
#include "tests/expected.h"

namespace kalvet {
namespace {

using testing::FakeWindow;

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { Form1::Form_Load(window); }
    void TearDown() override { ExpectNoMisuse(); }
    void ExpectNoMisuse() const {
        for (const auto& m : window.Misuse()) ADD_FAILURE() << "Form1 misused the window: " << m;
    }
    FakeWindow window;
    Form1 form{window};
};

TEST_F(Form1Test, StartUpFillsEachListPromptFirstAndShowsThePrompt) {
    for (const auto& f : expected::kFamilies) {
        SCOPED_TRACE(ControlLayout(f.list).name);
        const auto& e = window.Entries(f.list);
        ASSERT_EQ(e.size(), f.entries);
        EXPECT_EQ(e[0], expected::kPrompt);
        EXPECT_EQ(e[1], f.first);
        EXPECT_EQ(e.back(), f.last);
        EXPECT_EQ(window.ShownEntry(f.list), expected::kPrompt);
    }
}

TEST_F(Form1Test, EveryRoadFromButtonToResultBox) {
    for (const expected::Road& r : expected::kRoads) {
        SCOPED_TRACE(r.probe);
        window = FakeWindow();
        Form1::Form_Load(window);
        if (r.list != ControlId::None) {
            ASSERT_TRUE(window.Choose(r.list, r.entry));
        }
        for (const auto& [box, text] : r.typed) {
            if (box != ControlId::None) window.Type(box, text);
        }
        const std::string before = window.Snapshot();
        form.ButtonClicked(r.button);
        EXPECT_EQ(window.Text(r.result), r.shown);

        // Nothing but the group's own result box may change.
        window.Type(r.result, ControlLayout(r.result).text);
        EXPECT_EQ(window.Snapshot(), before) << "the press changed another control:\n" << window.Log();
        ExpectNoMisuse();
    }
}

TEST_F(Form1Test, MessageAndMassReplaceEachOther) {
    window.Type(ControlId::Text1, "1000");
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), expected::kSectionMessage) << "the list still shows the prompt";
    ASSERT_TRUE(window.Choose(ControlId::Combo1, "16a 160×63×6.5"));
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "17.24");
    window.Type(ControlId::Text1, "-5");
    form.Command1_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), expected::kSectionMessage);
}

TEST_F(Form1Test, ClickEmptiesTheTwelveInputBoxesOnly) {
    const auto& inputs = expected::kClickEmpties;
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
    form.Command1_Click();
    form.Command5_Click();
    EXPECT_EQ(window.Text(ControlId::Text2), "5.438") << "section groups ignore the density";
    EXPECT_EQ(window.Text(ControlId::Text11), "0.6228222");

    form.TextBoxClicked(ControlId::Text12);
    EXPECT_EQ(window.Text(ControlId::Text12), "7.93") << "a click never empties the density box";
}

}  // namespace
}  // namespace kalvet
