#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "calc/calc.h"
#include "tables/section_table.h"

namespace kalvet {
namespace {

struct Family {
    const char* name;
    SectionTable (*table)();
    std::size_t rows;
    const char* first;
    const char* last;
    // The shape every designation must have; "×" is matched as its UTF-8 bytes.
    const char* shape;
};

const Family kFamilies[] = {
    {"channel", ChannelTable, 41, "5  50×37×4.5", "40c  400×104×14.5",
     R"(^[0-9]+(\.[0-9])?[abc]?  ?[0-9]+×[0-9]+×[0-9]+(\.[0-9])?$)"},
    {"equal-leg angle", EqualAngleTable, 82, "2  20×20×3", "20  200×200×24",
     R"(^[0-9]+(\.[0-9])?  [0-9]+×[0-9]+×[0-9]+$)"},
    {"unequal-leg angle", UnequalAngleTable, 65, "2.5/1.6  25×16×3", "20/12.5  200×125×18",
     R"(^[0-9]+(\.[0-9])?/[0-9]+(\.[0-9])?  [0-9]+×[0-9]+×[0-9]+$)"},
    {"I-beam", IBeamTable, 45, "10  100×68×4.5", "63c  630×180×17",
     R"(^[0-9]+(\.[0-9])?[abc]?  [0-9]+×[0-9]+×[0-9]+(\.[0-9])?$)"},
};

TEST(SectionTables, CountsEndsAndShapeOfEveryRow) {
    for (const auto& f : kFamilies) {
        const SectionTable t = f.table();
        ASSERT_EQ(t.size(), f.rows) << f.name << " row count";
        EXPECT_EQ(t.front().designation, f.first) << f.name << " first row";
        EXPECT_EQ(t.back().designation, f.last) << f.name << " last row";
        const std::regex shape(f.shape);
        std::set<std::string_view> seen;
        for (const auto& row : t) {
            const std::string text(row.designation);
            EXPECT_TRUE(std::regex_match(text, shape)) << f.name << " row \"" << text
                                                       << "\" does not have the family's shape";
            EXPECT_TRUE(seen.insert(row.designation).second) << f.name << " repeats " << text;
            EXPECT_NE(row.designation, kListPrompt) << f.name << " row equals the list prompt";
            EXPECT_GT(row.unitMass, 0.0) << text;
            EXPECT_LT(row.unitMass, 200.0) << text;
        }
    }
}

TEST(SectionTables, MassGrowsWithinEachSize) {
    // Rows of one size stand together, lightest first: a transposed digit would break this.
    for (const auto& f : kFamilies) {
        const SectionTable t = f.table();
        for (std::size_t i = 1; i < t.size(); ++i) {
            const auto size = [](std::string_view d) { return d.substr(0, d.find(' ')); };
            auto prev = size(t[i - 1].designation), cur = size(t[i].designation);
            // Channel and I-beam variants share the number before their letter.
            const auto number = [](std::string_view s) {
                return s.substr(0, s.find_first_of("abc"));
            };
            if (number(prev) == number(cur) && prev.find('/') == cur.find('/')) {
                EXPECT_LT(t[i - 1].unitMass, t[i].unitMass)
                    << f.name << ": " << t[i - 1].designation << " before " << t[i].designation;
            }
        }
    }
}

TEST(SectionTables, SingleBlankChannelRowAndLookAlikes) {
    const struct {
        SectionTable (*table)();
        std::size_t row;  // 1-based, as in the list after the prompt
        const char* designation;
        double unitMass;
    } cases[] = {
        {ChannelTable, 10, "16a 160×63×6.5", 17.240},
        {ChannelTable, 11, "16  160×65×8.5", 19.752},
        {ChannelTable, 13, "18  180×70×9", 23.000},
        {ChannelTable, 14, "20a  200×73×7", 22.637},
        {EqualAngleTable, 53, "10  100×100×10", 15.120},
        {UnequalAngleTable, 41, "10/8  100×80×10", 13.476},
        {UnequalAngleTable, 45, "11/7  110×70×10", 13.476},
        {IBeamTable, 2, "12  120×74×5", 13.987},
        {IBeamTable, 3, "12.6  126×74×5", 14.223},
        {IBeamTable, 12, "24b  240×118×10", 41.245},
        {IBeamTable, 13, "25a  250×116×8", 38.105},
    };
    for (const auto& c : cases) {
        const auto& row = c.table()[c.row - 1];
        EXPECT_EQ(row.designation, c.designation) << "row " << c.row;
        EXPECT_EQ(row.unitMass, c.unitMass) << c.designation;
    }
}

TEST(SectionTables, EveryRowAtOneMetreShowsItsOwnUnitMass) {
    for (const auto& f : kFamilies) {
        for (const auto& row : f.table()) {
            const auto shown = ComputeSectionMass(f.table(), row.designation, "1000");
            ASSERT_TRUE(shown) << row.designation;
            EXPECT_EQ(NumberTextValue(*shown), row.unitMass) << row.designation << " shows " << *shown;
            EXPECT_LE(shown->size(), std::string(row.designation).size()) << *shown;
        }
    }
}

}  // namespace
}  // namespace kalvet
