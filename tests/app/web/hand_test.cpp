#include <gtest/gtest.h>

#include <utility>

#include "app/web/hand.h"

namespace kalvet::web {
namespace {

TEST(Hand, RowsKeepEachLabelBesideItsControlAndTheWindowsOrder) {
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame) continue;
        const RowCell cell = RowCellOf(c.id);
        ASSERT_GE(cell.row, 1) << c.name << " has no row";
        for (const ControlItem& other : Controls()) {
            if (other.frame != c.frame || &other == &c) continue;
            const RowCell o = RowCellOf(other.id);
            EXPECT_FALSE(o.row == cell.row && o.column == cell.column)
                << c.name << " and " << other.name << " share a cell";
            if (c.kind != ControlKind::Label && other.kind != ControlKind::Label &&
                other.rect.top < c.rect.top) {
                EXPECT_LT(o.row, cell.row) << other.name << " stands above " << c.name;
            }
        }
        for (const auto& [label, column] : {std::pair{c.rowLabel, RowColumn::Label}, {c.unitLabel, RowColumn::Unit}}) {
            if (label == ControlId::None) continue;
            EXPECT_EQ(RowCellOf(label).row, cell.row) << c.name << "'s label " << ControlLayout(label).name;
            EXPECT_EQ(RowCellOf(label).column, column) << c.name << "'s label " << ControlLayout(label).name;
        }
    }
}

TEST(Hand, TheActionKeyWalksTheBoxesAButtonReadsThenPressesIt) {
    const struct {
        ControlId from;
        ControlId to;
    } steps[] = {
        {ControlId::Text1, ControlId::Command1},  {ControlId::Text7, ControlId::Command4},
        {ControlId::Text9, ControlId::Text10},    {ControlId::Text10, ControlId::Command5},
        {ControlId::Text13, ControlId::Text14},   {ControlId::Text14, ControlId::Text15},
        {ControlId::Text15, ControlId::Command6}, {ControlId::Text17, ControlId::Text18},
        {ControlId::Text18, ControlId::Text20},   {ControlId::Text20, ControlId::Command7},
        {ControlId::Text2, ControlId::None},      {ControlId::Text16, ControlId::None},
        {ControlId::Text12, ControlId::None},     {ControlId::Combo1, ControlId::None},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(ActionKeyTarget(s.from), s.to) << "from " << ControlLayout(s.from).name;
    }
}

}  // namespace
}  // namespace kalvet::web
