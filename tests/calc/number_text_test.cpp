#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/calc.h"

namespace kalvet {
namespace {

struct Accepted {
    const char* probe;
    std::string text;
    double value;
};

TEST(NumberText, AcceptsEveryShapeOfTheGrammar) {
    const Accepted cases[] = {
        {"plain integer", "1500", 1500},
        {"blanks around", "  1500  ", 1500},
        {"tabs around", "\t1500\t", 1500},
        {"plus sign", "+12.5", 12.5},
        {"minus sign", "-5", -5},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"exponent", "1e3", 1000},
        {"upper-case exponent with sign", "1.5E+2", 150},
        {"negative exponent", "25e-1", 2.5},
        {"leading zeros", "000123", 123},
        {"nearest double", "0.1", 0.1},
        {"full-width digits", "１５００", 1500},
        {"every full-width digit", "９８７６５４３２１０", 9876543210},
        {"full-width sign, point and exponent", "－１．５Ｅ＋２", -150},
        {"full-width lower-case e", "２ｅ３", 2000},
        {"ideographic full stop as point", "12。5", 12.5},
        {"ideographic spaces around", "\u3000\u3000" "99\u3000", 99},
        {"mixed full-width and ASCII", "1５0０", 1500},
        {"huge exponent of zero", "0e999999999999999999", 0},
    };
    for (const auto& c : cases) {
        const auto value = NumberTextValue(c.text);
        ASSERT_TRUE(value.has_value()) << c.probe << ": \"" << c.text << "\" must be a number";
        EXPECT_EQ(*value, c.value) << c.probe;
    }
}

TEST(NumberText, RefusesEverythingElse) {
    const struct {
        const char* probe;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"only blanks", "   "},
        {"length prompt", "请输入长度"},
        {"letters after digits", "12abc"},
        {"blank inside", "1 500"},
        {"lone sign", "-"},
        {"lone point", "."},
        {"sign and point", "+."},
        {"two signs", "+-5"},
        {"two points", "1.2.3"},
        {"exponent without digits", "1e"},
        {"exponent with bare sign", "1e+"},
        {"exponent alone", "e5"},
        {"point before exponent only", ".e5"},
        {"thousands separator", "1,500"},
        {"comma as point", "1,5"},
        {"hexadecimal", "0x10"},
        {"infinity", "inf"},
        {"not a number", "nan"},
        {"unit after number", "1500mm"},
        {"NUL byte inside", std::string("15\0" "00", 5)},
        {"full-width comma", "1\uFF0C5"},
        {"other full-width letter", "\uFF21"},
        {"lone continuation byte", "15\x80"},
        {"truncated full-width digit", "15\xEF\xBC"},
        {"overlong encoded digit", "\xC0\xB1"},
        {"ideographic comma", "1\u30015"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(NumberTextValue(c.text).has_value()) << c.probe << " must not be a number";
    }
}

TEST(NumberText, OutOfRangeValuesSaturateInsteadOfFailing) {
    const auto huge = NumberTextValue("1e400");
    ASSERT_TRUE(huge);
    EXPECT_TRUE(std::isinf(*huge) && *huge > 0) << "overflow must read as +infinity";
    const auto negHuge = NumberTextValue("-1e400");
    ASSERT_TRUE(negHuge);
    EXPECT_TRUE(std::isinf(*negHuge) && *negHuge < 0);
    const auto tiny = NumberTextValue("1e-400");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(*tiny, 0.0) << "underflow must read as zero";
    const auto justOver = NumberTextValue("2e308");
    ASSERT_TRUE(justOver);
    EXPECT_TRUE(std::isinf(*justOver));
    const auto denormal = NumberTextValue("5e-324");
    ASSERT_TRUE(denormal);
    EXPECT_EQ(*denormal, std::numeric_limits<double>::denorm_min());
    const auto giantExponent = NumberTextValue("1e99999999999999999999999");
    ASSERT_TRUE(giantExponent);
    EXPECT_TRUE(std::isinf(*giantExponent));
}

TEST(NumberText, MegabyteOfDigitsIsReadWithoutTrouble) {
    const std::string many(1 << 20, '9');
    const auto overflow = NumberTextValue(many);
    ASSERT_TRUE(overflow);
    EXPECT_TRUE(std::isinf(*overflow));

    const std::string smallWithZeros = "0." + std::string(1 << 20, '0') + "1";
    const auto underflow = NumberTextValue(smallWithZeros);
    ASSERT_TRUE(underflow);
    EXPECT_EQ(*underflow, 0.0);

    const std::string longFraction = "1500." + std::string(1 << 20, '0');
    EXPECT_EQ(NumberTextValue(longFraction), 1500.0);

    EXPECT_FALSE(NumberTextValue(many + "x")) << "a bad last byte must still be refused";
}

TEST(Dimension, ValidOnlyStrictlyBetweenZeroAndTheLimit) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"0", false},          {"-0", false},       {"-5", false},
        {"0.0000001", true},   {"1", true},         {"99999.99", true},
        {"99999.999999", true}, {"100000", false},  {"100000.0001", false},
        {"1e5", false},        {"9.9999e4", true},  {"1e400", false},
        {"1e-400", false},     {"", false},         {"请输入长度", false},
        {" 1500 ", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidDimension(c.text), c.valid) << "dimension \"" << c.text << "\"";
    }
}

}  // namespace
}  // namespace kalvet
