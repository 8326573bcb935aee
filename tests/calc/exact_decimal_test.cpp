#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calc/exact_decimal.h"

namespace kalvet {
namespace {

// 5^1075, whose digits × 10^-1075 are exactly half the least subnormal: 752 of them.
std::string HalfLeastSubnormal() {
    std::string digits = "1";  // last digit first
    for (int i = 0; i < 1075; ++i) {
        int carry = 0;
        for (char& c : digits) {
            carry += (c - '0') * 5;
            c = static_cast<char>('0' + carry % 10);
            carry /= 10;
        }
        if (carry) digits += static_cast<char>('0' + carry);
    }
    return {digits.rbegin(), digits.rend()};
}

TEST(ExactDecimal, NearestDoubleRoundsHalfwayToEvenAndPastItByAnyLaterDigit) {
    const double huge = std::numeric_limits<double>::infinity();
    const struct {
        std::string digits;
        int pointExponent;
        double value;
    } cases[] = {
        {"000125", 3, 0.125},
        {"9007199254740993", 16, 0x1p53},  // halfway between 2^53 and the next: to the even
        {"9007199254740995", 16, 0x1.0000000000002p53},
        {"9007199254740993" + std::string(800, '0') + "1", 16, 0x1.0000000000001p53},
        {HalfLeastSubnormal(), -323, 0.0},
        {HalfLeastSubnormal() + "1", -323, 0x1p-1074},  // past it at the 753rd digit
        {"24703282292062327", -323, 0.0},
        {"24703282292062328", -323, 0x1p-1074},
        {"22250738585072011", -307, 0x0.fffffffffffffp-1022},
        {"22250738585072012", -307, 0x1p-1022},
        {"17976931348623158", 309, 0x1.fffffffffffffp1023},
        {"1797693134862315808", 309, huge},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestDouble(c.digits, c.pointExponent), c.value)
            << c.digits << "e" << c.pointExponent;
    }
}

TEST(ExactDecimal, RoundToDigitsRoundsHalfwayToEvenAndCarries) {
    const struct {
        double value;
        int count;
        const char* digits;
        int exponent;
    } cases[] = {
        {1000000000000005.0, 15, "100000000000000", 15},  // exactly halfway: to the even
        {1000000000000015.0, 15, "100000000000002", 15},
        {99999.99999999999, 15, "100000000000000", 5},  // carried into a new digit
        {0.1, 17, "10000000000000001", -1},
        {0x1p-1074, 15, "494065645841247", -324},
        {0x1.fffffffffffffp1023, 15, "179769313486232", 308},
    };
    for (const auto& c : cases) {
        const RoundedDecimal r = RoundToDigits(c.value, c.count);
        EXPECT_EQ(r.digits, c.digits) << c.value;
        EXPECT_EQ(r.exponent, c.exponent) << c.value;
    }
}

}  // namespace
}  // namespace kalvet
