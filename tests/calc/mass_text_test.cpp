#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "calc/calc.h"

namespace kalvet {
namespace {

TEST(MassText, ShortestPlainFormOfFifteenDigits) {
    const struct {
        const char* probe;
        double mass;
        const char* text;
    } cases[] = {
        {"three decimals", 5.438, "5.438"},
        {"whole number has no point", 157.0, "157"},
        {"double just below 29.26094094", 29.260940939999998, "29.26094094"},
        {"double just above 15.12", 15.120000000000001, "15.12"},
        {"leading zero below 1", 0.616539, "0.616539"},
        {"small but still plain", 0.000889, "0.000889"},
        {"smallest plain magnitude", 1e-5, "0.00001"},
        {"negative value", -5.438, "-5.438"},
        {"zero", 0.0, "0"},
        {"negative zero shows no sign", -0.0, "0"},
        {"fifteen nines round up", 0.9999999999999999, "1"},
        {"fifteen nines round up to a new digit", 99999.99999999999, "100000"},
        {"trailing zeros inside the integer part", 1200.0, "1200"},
        {"largest plain magnitude", 123456789012345.0, "123456789012345"},
        {"fifteen digits kept", 7148.79928512, "7148.79928512"},
        {"below the plain range", 8.89e-8, "8.89E-08"},
        {"just below the plain range", 9.99e-6, "9.99E-06"},
        {"at the exponent threshold", 1e15, "1E+15"},
        {"large with fraction", 1.5e20, "1.5E+20"},
        {"two-digit exponent, not padded", 1.25e-10, "1.25E-10"},
        {"exponent 10 is still plain", 1.25e10, "12500000000"},
        {"three-digit exponent", 2.5e-300, "2.5E-300"},
        {"negative exponent form", -8.89e-8, "-8.89E-08"},
        {"plain range rounds into exponent form", 999999999999999.9, "1E+15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MassText(c.mass), c.text) << c.probe;
    }
}

TEST(MassText, NonFiniteMassGivesNoText) {
    EXPECT_EQ(MassText(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(MassText(-std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(MassText(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(MassText, PointIsAlwaysAFullStopWhateverTheLocale) {
    // A toolkit may switch the process to the user's locale; the result must not follow it.
    const char* locales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "German_Germany.1252"};
    int commaLocales = 0;
    for (const char* name : locales) {
        if (!std::setlocale(LC_ALL, name)) continue;
        if (std::localeconv()->decimal_point[0] == ',') ++commaLocales;
        EXPECT_EQ(MassText(0.616539), "0.616539") << "locale " << name;
        EXPECT_EQ(NumberTextValue("12.5"), 12.5) << "locale " << name;
        EXPECT_FALSE(NumberTextValue("12,5")) << "locale " << name;
    }
    std::setlocale(LC_ALL, "C");
    if (commaLocales == 0) GTEST_SKIP() << "no locale with a decimal comma is installed here";
}

}  // namespace
}  // namespace kalvet
