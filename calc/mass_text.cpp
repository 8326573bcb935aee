#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "calc/calc.h"
#include "calc/exact_decimal.h"

namespace kalvet {

namespace {

constexpr int kSignificantDigits = 15;
// Outside [1e-5, 1e15) plain digits grow unreadable ("0.0000000889"), so the text switches
// to an exponent form at the same points as C's %.15g.
constexpr int kLowestPlainExponent = -5;
constexpr int kFirstExponentFormExponent = 15;

}  // namespace

std::string MassText(double kg) {
    if (!std::isfinite(kg)) return {};
    if (kg == 0.0) return "0";  // -0 included: a mass never shows a sign on zero

    // The value rounded correctly to 15 digits (ties to even): its digits and the decimal
    // exponent of the first.
#if !defined(KALVET_NO_TO_CHARS_DOUBLE)
    // As "d.dddddddddddddde+dd".
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, std::fabs(kg),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(written.ptr - buf));
    const std::size_t e = sci.rfind('e');
    std::string digits;
    for (const char c : sci.substr(0, e)) {
        if (c != '.') digits += c;
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + 2, sci.data() + sci.size(), exponent);
    if (sci[e + 1] == '-') exponent = -exponent;
#else
    // C++ libraries without floating-point to_chars for double (emscripten's libc++).
    auto [digits, exponent] = RoundToDigits(std::fabs(kg), kSignificantDigits);
#endif
    digits.erase(digits.find_last_not_of('0') + 1);  // the leading digit is never '0'

    std::string out = kg < 0 ? "-" : "";
    if (exponent < kLowestPlainExponent || exponent >= kFirstExponentFormExponent) {
        out += digits[0];
        if (digits.size() > 1) out.append(".").append(digits, 1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out.append(digits).append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits).append(".").append(digits, intDigits);
        }
    }
    return out;
}

}  // namespace kalvet
