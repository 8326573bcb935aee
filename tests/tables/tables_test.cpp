#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <set>
#include <string>

#include "calc/calc.h"
#include "tables/section_table.h"
#include "tests/expected.h"

namespace kalvet {
namespace {

struct Family {
    const expected::Family& facts;
    SectionTable (*table)();
    // The shape every designation must have; "×" is matched as its UTF-8 bytes.
    const char* shape;
};

const Family kFamilies[] = {
    {expected::kFamilies[0], ChannelTable, R"(^[0-9]+(\.[0-9])?[abc]?  ?[0-9]+×[0-9]+×[0-9]+(\.[0-9])?$)"},
    {expected::kFamilies[1], EqualAngleTable, R"(^[0-9]+(\.[0-9])?  [0-9]+×[0-9]+×[0-9]+$)"},
    {expected::kFamilies[2], UnequalAngleTable, R"(^[0-9]+(\.[0-9])?/[0-9]+(\.[0-9])?  [0-9]+×[0-9]+×[0-9]+$)"},
    {expected::kFamilies[3], IBeamTable, R"(^[0-9]+(\.[0-9])?[abc]?  [0-9]+×[0-9]+×[0-9]+(\.[0-9])?$)"},
};

// Any one changed digit, letter or blank in a table, or two rows swapped, changes one of the
// family's check sums.
TEST(SectionTables, EveryFamilyMatchesItsPublishedTable) {
    for (const auto& f : kFamilies) {
        const SectionTable t = f.table();
        SCOPED_TRACE(std::string(f.facts.name));
        ASSERT_EQ(t.size() + 1, f.facts.entries) << "row count";
        EXPECT_EQ(t.front().designation, f.facts.first) << "first row";
        EXPECT_EQ(t.back().designation, f.facts.last) << "last row";
        long long grams = 0;
        long long weighted = 0;
        std::string designations;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const long long g = std::llround(t[i].unitMass * 1000);
            EXPECT_EQ(static_cast<double>(g) / 1000, t[i].unitMass) << t[i].designation << ": not the double nearest three decimals";
            grams += g;
            weighted += static_cast<long long>(i + 1) * g;
            designations.append(i == 0 ? "" : "\n").append(t[i].designation);
        }
        EXPECT_EQ(grams, f.facts.gramsPerMetre) << "a unit mass differs from the published table";
        EXPECT_EQ(weighted, f.facts.weightedGramsPerMetre) << "a unit mass differs or stands in another row";
        EXPECT_EQ(expected::Fingerprint(designations), f.facts.designations)
            << "a designation differs from the published table, or stands in another row";
    }
}

// Rows checked one by one against the standard's own figures, named so that check sums
// recomputed from a wrong table cannot hide them: the angle's unit mass is its area, 4.058 cm²,
// times 0.785; the channels' webs are 9.5 and 11.5 mm, as their unit masses say.
TEST(SectionTables, RowsCheckedAgainstTheStandardKeepTheirValues) {
    const struct {
        SectionTable (*table)();
        std::string_view designation;
        double unitMass;
    } rows[] = {
        {UnequalAngleTable, "6.3/4  63×40×4", 3.185},
        {ChannelTable, "30b  300×87×9.5", 39.173},
        {ChannelTable, "30c  300×89×11.5", 43.883},
    };
    for (const auto& r : rows) {
        const SectionTable table = r.table();
        const auto row = std::find_if(table.begin(), table.end(),
                                      [&](const SectionRow& x) { return x.designation == r.designation; });
        ASSERT_NE(row, table.end()) << "no row \"" << r.designation << "\"";
        EXPECT_EQ(row->unitMass, r.unitMass) << r.designation;
    }
}

TEST(SectionTables, EveryDesignationHasItsFamilysShapeOnceAndIsNoPrompt) {
    for (const auto& f : kFamilies) {
        const std::regex shape(f.shape);
        std::set<std::string_view> seen;
        for (const auto& row : f.table()) {
            const std::string text(row.designation);
            EXPECT_TRUE(std::regex_match(text, shape)) << f.facts.name << " row \"" << text
                                                       << "\" does not have the family's shape";
            EXPECT_TRUE(seen.insert(row.designation).second) << f.facts.name << " repeats " << text;
            EXPECT_NE(row.designation, expected::kPrompt) << f.facts.name << " row equals the list prompt";
        }
    }
}

TEST(SectionTables, EveryRowAtOneMetreShowsItsOwnUnitMass) {
    for (const auto& f : kFamilies) {
        for (const auto& row : f.table()) {
            const auto shown = ComputeSectionMass(f.table(), row.designation, "1000");
            ASSERT_TRUE(shown) << row.designation;
            // The unit mass as the table prints it, without its trailing zeros.
            char printed[32];
            std::snprintf(printed, sizeof printed, "%.3f", row.unitMass);
            std::string want(printed);
            want.erase(want.find_last_not_of('0') + 1);
            if (want.back() == '.') want.pop_back();
            EXPECT_EQ(*shown, want) << row.designation;
        }
    }
}

}  // namespace
}  // namespace kalvet
