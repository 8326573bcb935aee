#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/calc.h"

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

    // to_chars rounds correctly and never consults the locale, so "." is always the point.
    char buf[64];
#if defined(__cpp_lib_to_chars)
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(kg),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(result.ptr - buf));
#else
    // Standard libraries without floating-point to_chars (the WebAssembly build's): there
    // snprintf rounds correctly as well and has no locale to consult, and "%.*e" writes the
    // same form as to_chars' scientific one (at least two exponent digits).
    const int length =
        std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, std::fabs(kg));
    const std::string_view sci(buf, static_cast<std::size_t>(length));
#endif
    const std::size_t e = sci.find('e');
    std::string digits(1, sci[0]);
    if (e > 2) digits.append(sci.substr(2, e - 2));
    const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
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
