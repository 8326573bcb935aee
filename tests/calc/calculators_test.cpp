#include <gtest/gtest.h>

#include <array>
#include <string>

#include "calc/calc.h"
#include "tests/expected.h"

namespace kalvet {
namespace {

const std::string kSectionMsg(expected::kSectionMessage);
const std::string kDimensionMsg(expected::kDimensionMessage);

struct SectionCase {
    const char* probe;
    SectionTable (*table)();
    std::string entry;
    std::string length;
    std::string shown;
};

TEST(SectionMass, WorkedExamples) {
    const SectionCase cases[] = {
        {"channel six metres", ChannelTable, "5  50×37×4.5", "6000", "32.628"},
        {"channel last row near the limit", ChannelTable, "40c  400×104×14.5", "99999.99",
         "7148.79928512"},
        {"channel last row 99999", ChannelTable, "40c  400×104×14.5", "99999", "7148.728512"},
        {"angle length 1", EqualAngleTable, "2  20×20×3", "1", "0.000889"},
        {"angle six metres", EqualAngleTable, "14  140×140×16", "6000", "200.358"},
        {"angle twelve metres", EqualAngleTable, "20  200×200×24", "12000", "854.016"},
        {"angle 5 six metres", EqualAngleTable, "5  50×50×5", "6000", "22.62"},
        {"unequal 10/8", UnequalAngleTable, "10/8  100×80×10", "6000", "80.856"},
        {"unequal 11/7 same mass", UnequalAngleTable, "11/7  110×70×10", "6000", "80.856"},
        {"unequal last row", UnequalAngleTable, "20/12.5  200×125×18", "2500", "108.97"},
        {"I-beam first row length 1", IBeamTable, "10  100×68×4.5", "1", "0.011261"},
        {"I-beam last row near the limit", IBeamTable, "63c  630×180×17", "99999.99",
         "14118.89858811"},
        {"I-beam six metres", IBeamTable, "30a  300×126×9", "6000", "288.504"},
        {"blanks around the length", ChannelTable, "5  50×37×4.5", "  1000 ", "5.438"},
        {"full-width length", ChannelTable, "5  50×37×4.5", "１０００", "5.438"},
        {"tiny length uses the exponent form", EqualAngleTable, "2  20×20×3", "0.0001",
         "8.89E-08"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeSectionMass(c.table(), c.entry, c.length), c.shown) << c.probe;
    }
}

TEST(SectionMass, FailedCheckGivesTheSectionMessage) {
    const struct {
        const char* probe;
        std::string entry;
        std::string length;
    } cases[] = {
        {"length zero", "5  50×37×4.5", "0"},
        {"negative length", "5  50×37×4.5", "-5"},
        {"length at the limit", "5  50×37×4.5", "100000"},
        {"empty length box", "5  50×37×4.5", ""},
        {"untouched length prompt", "5  50×37×4.5", "请输入长度"},
        {"letters in the length", "5  50×37×4.5", "12abc"},
        {"list on the prompt", std::string(expected::kPrompt), "1500"},
        {"prompt and bad length", std::string(expected::kPrompt), "请输入长度"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeSectionMass(ChannelTable(), c.entry, c.length), kSectionMsg) << c.probe;
    }
}

TEST(SectionMass, TextThatIsNoDesignationGivesNoResult) {
    const struct {
        const char* probe;
        SectionTable (*table)();
        std::string entry;
    } cases[] = {
        {"two blanks where the row has one", ChannelTable, "16a  160×63×6.5"},
        {"letter x for the multiplication sign", ChannelTable, "5  50x37x4.5"},
        {"blank at the end", UnequalAngleTable, "10/8  100×80×10 "},
        {"one blank for two", UnequalAngleTable, "10/8 100×80×10"},
        {"upper-case variant letter", IBeamTable, "20A  200×100×7"},
        {"row of another table", IBeamTable, "5  50×37×4.5"},
        {"empty entry", ChannelTable, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeSectionMass(c.table(), c.entry, "1000"), std::nullopt) << c.probe;
    }
}

TEST(DimensionMass, WorkedExamples) {
    EXPECT_EQ(ComputeRoundBarMass("10", "1000", "7.85"), "0.616539");
    EXPECT_EQ(ComputeRoundBarMass("10", "1000", "7.93"), "0.6228222");
    EXPECT_EQ(ComputePipeMass("60", "3.5", "6000", "7.85"), "29.26094094");
    EXPECT_EQ(ComputePlateMass("2000", "1000", "10", "7.85"), "157");
    EXPECT_EQ(ComputePlateMass("1000", "1000", "1", "7.85"), "7.85");
}

TEST(DimensionMass, FollowsTheOrderOfOperationsBitForBit) {
    // Each step rounds to a double, in the order written down for each calculator: a formula
    // whose steps are reordered or regrouped differs here in the last digits. (The expectation
    // is compiled with the same flags as the program, so it cannot tell a fused multiply-add;
    // the cross check of the builds for each machine, and -ffp-contract=off, see to that.)
    const double d = 33.3, l = 777.7, rho = 7.85;
    const double r = d / 2, a = r * r, b = a * 3.1416e-6, c = l * b;
    EXPECT_EQ(ComputeRoundBarMass("33.3", "777.7", "7.85"), MassText(rho * c));

    const double outer = 76.1, t = 3.2, pa = outer - t, pb = pa * 3.1416e-6, pc = t * pb;
    const double pe = 1234.5 * pc;
    EXPECT_EQ(ComputePipeMass("76.1", "3.2", "1234.5", "7.85"), MassText(rho * pe));

    const double pl = 2437.3, pw = 1219.9, pt = 7.7;
    const double qa = pl * pt, qb = pw * qa, qc = qb * 1e-6;
    EXPECT_EQ(ComputePlateMass("2437.3", "1219.9", "7.7", "7.85"), MassText(rho * qc));
}

TEST(DimensionMass, InvalidInputsGiveTheDimensionMessage) {
    const struct {
        const char* probe;
        std::string shown;
    } cases[] = {
        {"round bar empty length", ComputeRoundBarMass("20", "", "7.85")},
        {"round bar length at the limit", ComputeRoundBarMass("20", "100000", "7.85")},
        {"round bar zero diameter", ComputeRoundBarMass("0", "1000", "7.85")},
        {"pipe negative wall", ComputePipeMass("60", "-3", "1000", "7.85")},
        {"pipe bad length", ComputePipeMass("60", "3", "abc", "7.85")},
        {"plate empty width", ComputePlateMass("1000", "", "10", "7.85")},
        {"plate thickness at the limit", ComputePlateMass("1000", "1000", "1e5", "7.85")},
        // The density box is refused when it cannot give a real mass.
        {"empty density", ComputeRoundBarMass("10", "1000", "")},
        {"non-numeric density", ComputePlateMass("1000", "1000", "1", "steel")},
        {"zero density", ComputePipeMass("60", "3.5", "6000", "0")},
        {"negative density", ComputePlateMass("1000", "1000", "1", "-7.85")},
        {"density underflows to zero", ComputeRoundBarMass("10", "1000", "1e-400")},
        {"density overflows", ComputeRoundBarMass("10", "1000", "1e400")},
        {"mass overflows", ComputePlateMass("99999", "99999", "99999", "1e300")},
        // A wall thicker than the radius cannot exist.
        {"pipe wall over half the diameter", ComputePipeMass("60", "30.5", "1000", "7.85")},
        {"pipe wall equal to the diameter", ComputePipeMass("60", "60", "1000", "7.85")},
        {"pipe wall over the diameter", ComputePipeMass("60", "70", "1000", "7.85")},
    };
    for (const auto& c : cases) EXPECT_EQ(c.shown, kDimensionMsg) << c.probe;
}

TEST(DimensionMass, EdgesThatAreStillAccepted) {
    // A wall of exactly the radius is a solid bar: the pipe formula then gives the bar's mass.
    EXPECT_EQ(ComputePipeMass("60", "30", "1000", "7.85"), ComputeRoundBarMass("60", "1000", "7.85"));
    EXPECT_EQ(ComputeRoundBarMass("10", "99999.99", "7.85"), "61.65389383461");
    EXPECT_EQ(ComputePlateMass("1000", "1000", "1", " 7.85 "), "7.85");
    EXPECT_EQ(ComputePlateMass("1000", "1000", "1", "７。８５"), "7.85");
    EXPECT_EQ(ComputePlateMass("1000", "1000", "1", "1e-300"), "1E-300");
}

TEST(Checks, SectionAndDimensionChecks) {
    EXPECT_TRUE(CheckSectionInputs("1500", "5  50×37×4.5"));
    EXPECT_FALSE(CheckSectionInputs("1500", expected::kPrompt));
    EXPECT_FALSE(CheckSectionInputs("请输入长度", "5  50×37×4.5"));
    const std::array<std::string_view, 3> good{"1", "99999.99", " 2 "};
    const std::array<std::string_view, 3> oneBad{"1", "100000", "2"};
    EXPECT_TRUE(CheckDimensionInputs(good));
    EXPECT_FALSE(CheckDimensionInputs(oneBad)) << "one bad dimension fails the whole group";
}

}  // namespace
}  // namespace kalvet
