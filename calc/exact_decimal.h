// Exact conversions between decimal digits and doubles, for C++ libraries that have no
// floating-point from_chars or to_chars (the top CMakeLists.txt finds out). Both hold the value
// in decimal, digit for digit, and multiply or divide it by powers of two until the binary
// digits can be read off; so they round correctly, ties to even, as those functions do, with
// no tables and in little code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvet {

// The double nearest to 0.D × 10^pointExponent, where D is `digits` (ASCII digits only,
// leading zeros allowed, any length); on a tie, the one with the even last bit. A value beyond
// the double range gives an infinity, one nearer zero than half the least subnormal gives 0.
double NearestDouble(std::string_view digits, std::int64_t pointExponent);

// A positive finite double rounded correctly to `count` significant digits (1 to 17), ties to
// even: the digits, trailing zeros included, and the decimal exponent of the first digit.
struct RoundedDecimal {
    std::string digits;
    int exponent = 0;
};
RoundedDecimal RoundToDigits(double value, int count);

}  // namespace kalvet
