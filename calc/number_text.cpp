#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "calc/calc.h"
#include "calc/exact_decimal.h"

namespace kalvet {

namespace {

// Maps the character at s[pos] to the ASCII symbol it stands for in a number text and moves
// past it; returns '\0' (and does not move) for a character no number text may hold. The
// full-width forms are matched as whole UTF-8 sequences, so stray or truncated multi-byte
// sequences never match anything and the text is refused.
char NextSymbol(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const unsigned char c = byte(0);
    if (c == '\t') {
        ++pos;
        return ' ';
    }
    if (c != 0 && c < 0x80) {
        ++pos;
        return static_cast<char>(c);
    }
    if (s.size() - pos < 3) return '\0';
    char symbol = '\0';
    if (c == 0xE3 && byte(1) == 0x80) {
        if (byte(2) == 0x80) symbol = ' ';  // U+3000 ideographic space
        if (byte(2) == 0x82) symbol = '.';  // U+3002 ideographic full stop
    } else if (c == 0xEF && byte(1) == 0xBC) {
        const unsigned char t = byte(2);
        if (t >= 0x90 && t <= 0x99) symbol = static_cast<char>('0' + (t - 0x90));  // U+FF10..19
        if (t == 0x8B) symbol = '+';  // U+FF0B
        if (t == 0x8D) symbol = '-';  // U+FF0D
        if (t == 0x8E) symbol = '.';  // U+FF0E
        if (t == 0xA5) symbol = 'E';  // U+FF25
    } else if (c == 0xEF && byte(1) == 0xBD && byte(2) == 0x85) {
        symbol = 'e';  // U+FF45
    }
    if (symbol != '\0') pos += 3;
    return symbol;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number text in ASCII form, taken apart by the grammar.
struct Scanned {
    bool negative = false;
    std::string mantissa;     // digits with at most one '.', at least one digit, no sign
    std::int64_t pointPos = 0;  // digits before the point
    std::int64_t exponent = 0;  // saturated far beyond the double range
};

std::optional<Scanned> Scan(std::string_view ascii) {
    Scanned out;
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < ascii.size() ? ascii[k] : '\0'; };
    if (at(i) == '+' || at(i) == '-') out.negative = ascii[i++] == '-';
    const std::size_t intStart = i;
    while (IsDigit(at(i))) ++i;
    const std::size_t intDigits = i - intStart;
    std::size_t fracDigits = 0;
    std::size_t fracStart = i;
    if (at(i) == '.') {
        fracStart = ++i;
        while (IsDigit(at(i))) ++i;
        fracDigits = i - fracStart;
    }
    if (intDigits + fracDigits == 0) return std::nullopt;
    // from_chars wants at least one digit before a point and none of a dangling point.
    out.mantissa = intDigits ? std::string(ascii.substr(intStart, intDigits)) : "0";
    out.pointPos = static_cast<std::int64_t>(out.mantissa.size());
    if (fracDigits) out.mantissa.append(".").append(ascii.substr(fracStart, fracDigits));
    if (at(i) == 'e' || at(i) == 'E') {
        ++i;
        bool negExp = false;
        if (at(i) == '+' || at(i) == '-') negExp = ascii[i++] == '-';
        const std::size_t expStart = i;
        while (IsDigit(at(i))) {
            if (out.exponent < 1'000'000'000) out.exponent = out.exponent * 10 + (ascii[i] - '0');
            ++i;
        }
        if (i == expStart) return std::nullopt;
        if (negExp) out.exponent = -out.exponent;
    }
    if (i != ascii.size()) return std::nullopt;
    return out;
}

// The decimal exponent of the leading non-zero digit, or nothing for a zero value. Used to
// decide overflow against underflow without trusting a library's out-of-range report.
std::optional<std::int64_t> LeadingExponent(const Scanned& n) {
    std::int64_t digitIndex = 0;
    for (char c : n.mantissa) {
        if (c == '.') continue;
        if (c != '0') return n.pointPos - 1 - digitIndex + n.exponent;
        ++digitIndex;
    }
    return std::nullopt;
}

// The nearest double to the text's magnitude, or nothing when the reader does not take all of
// it (Scan has already checked the form). The standard library's from_chars where it has one for
// double, else NearestDouble: both round correctly and read "." whatever the locale, so they give
// the same double (CMakeLists.txt chooses). `lead` is LeadingExponent's, within ±400.
std::optional<double> Magnitude(const Scanned& n, std::int64_t lead) {
#if defined(KALVET_NO_FROM_CHARS_DOUBLE)
    (void)lead;
    std::string digits = n.mantissa;
    std::erase(digits, '.');
    return NearestDouble(digits, n.pointPos + n.exponent);
#else
    std::string plain = n.mantissa;
    if (n.exponent != 0) plain.append("e").append(std::to_string(n.exponent));
    double value = 0.0;
    const char* const last = plain.data() + plain.size();
    const auto [end, ec] = std::from_chars(plain.data(), last, value);
    if ((ec != std::errc() && ec != std::errc::result_out_of_range) || end != last) {
        return std::nullopt;
    }
    // Out of range: beyond the double range, or so small that it rounds to zero.
    if (ec == std::errc::result_out_of_range) {
        return lead > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
#endif
}

}  // namespace

std::optional<double> NumberTextValue(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char symbol = NextSymbol(text, pos);
        if (symbol == '\0') return std::nullopt;
        ascii.push_back(symbol);
    }
    const auto first = ascii.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto last = ascii.find_last_not_of(' ');
    const auto scanned = Scan(std::string_view(ascii).substr(first, last - first + 1));
    if (!scanned) return std::nullopt;

    const double sign = scanned->negative ? -1.0 : 1.0;
    const auto lead = LeadingExponent(*scanned);
    if (!lead) return sign * 0.0;
    // Far outside the double range (about 1e-324 to 1.8e308) the answer is known at once.
    if (*lead > 400) return sign * std::numeric_limits<double>::infinity();
    if (*lead < -400) return sign * 0.0;

    const auto magnitude = Magnitude(*scanned, *lead);
    if (!magnitude) return std::nullopt;
    return sign * *magnitude;
}

bool IsValidDimension(std::string_view text) {
    const auto value = NumberTextValue(text);
    return value && *value > 0.0 && *value < kDimensionLimit;
}

}  // namespace kalvet
