#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calc/exact_decimal.h"

namespace kalvet {
namespace {

// The digits of 5^1075: 5^1075 × 10^-1075 is 2^-1075, half the least subnormal, exactly.
std::string HalfLeastSubnormalDigits() {
    std::string digits = "1";  // least significant digit first while multiplying
    for (int i = 0; i < 1075; ++i) {
        int carry = 0;
        for (char& c : digits) {
            const int v = (c - '0') * 5 + carry;
            c = static_cast<char>('0' + v % 10);
            carry = v / 10;
        }
        if (carry) digits += static_cast<char>('0' + carry);
    }
    return {digits.rbegin(), digits.rend()};
}

TEST(ExactDecimal, NearestDoubleRoundsHalfwayToEvenAndPastItByAnyLaterDigit) {
    const std::string half = HalfLeastSubnormalDigits();  // 752 digits
    std::string belowHalf = half;
    belowHalf.back() = '4';
    const double huge = std::numeric_limits<double>::infinity();
    const struct {
        const char* probe;
        std::string digits;
        int pointExponent;
        double value;
    } cases[] = {
        {"plain", "785", 1, 7.85},
        {"halfway between 2^53 and its successor: to the even", "9007199254740993", 16, 0x1p53},
        {"halfway, the other even", "9007199254740995", 16, 0x1.0000000000002p53},
        {"past halfway at the 817th digit", "9007199254740993" + std::string(800, '0') + "1", 16,
         0x1.0000000000001p53},
        {"exactly half the least subnormal: to zero", half, -323, 0.0},
        {"past it beyond the digits read", half + std::string(100, '0') + "1", -323, 0x1p-1074},
        {"just below it", belowHalf + "9999", -323, 0.0},
        {"largest subnormal", "22250738585072011", -307, 0x0.fffffffffffffp-1022},
        {"least normal", "22250738585072012", -307, 0x1p-1022},
        {"rounds down to the largest double", "17976931348623158", 309, 0x1.fffffffffffffp1023},
        {"rounds past it", "1797693134862315808", 309, huge},
        {"leading zeros", "000125", 3, 0.125},
        {"zero", "000", 5, 0.0},
        {"far beyond the range", "1", 400, huge},
        {"far below it", "9", -400, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestDouble(c.digits, c.pointExponent), c.value) << c.probe;
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
        {0.1, 15, "100000000000000", -1},
        {99999.99999999999, 15, "100000000000000", 5},  // carried into a new digit
        {0x1p-1074, 15, "494065645841247", -324},
        {0x1.fffffffffffffp1023, 15, "179769313486232", 308},
        {2.5, 1, "2", 0},
        {3.5, 1, "4", 0},
        {0.1, 17, "10000000000000001", -1},
    };
    for (const auto& c : cases) {
        const RoundedDecimal r = RoundToDigits(c.value, c.count);
        EXPECT_EQ(r.digits, c.digits) << c.value;
        EXPECT_EQ(r.exponent, c.exponent) << c.value;
    }
}

}  // namespace
}  // namespace kalvet
