// Number texts and mass texts against any bytes a box could hold.
//
// NumberTextValue is checked against glibc's strtod, an independent, correctly rounded decimal
// reader: once the full-width forms are mapped to ASCII and the blanks trimmed, a text must be
// accepted exactly when strtod takes all of it (strtod's own extras, "inf", "nan" and hex, are
// kept out by allowing only digits, signs, points and e/E), and both must give the same double,
// infinities and signed zeros included. MassText is checked on the double in the first eight
// bytes: its shape, and that it reads back as the value rounded to 15 significant digits.
// calc/exact_decimal.h's NearestDouble is checked against strtod directly.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "calc/calc.h"
#include "calc/exact_decimal.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "property violated: %s\n  text: \"", what);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\') {
            std::fputc(b, stderr);
        } else {
            std::fprintf(stderr, "\\x%02X", b);
        }
    }
    std::fputs("\"\n", stderr);
    std::abort();
}

bool SameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// The full-width forms a Chinese input method types, and the ASCII they stand for.
struct Twin {
    std::string_view utf8;
    char ascii;
};
constexpr Twin kTwins[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
    {"７", '7'}, {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'}, {"．", '.'}, {"。", '.'},
    {"Ｅ", 'E'}, {"ｅ", 'e'}, {"\t", ' '}, {"　", ' '},
};

// The reference reading of a box's text: nothing where it is not a number text.
std::optional<double> ReferenceValue(std::string_view text) {
    std::string ascii;
    for (std::size_t pos = 0; pos < text.size();) {
        bool mapped = false;
        for (const Twin& t : kTwins) {
            if (text.substr(pos, t.utf8.size()) == t.utf8) {
                ascii.push_back(t.ascii);
                pos += t.utf8.size();
                mapped = true;
                break;
            }
        }
        if (mapped) continue;
        const char c = text[pos++];
        if (c == ' ' || (c >= '0' && c <= '9') || std::strchr("+-.eE", c) != nullptr) {
            ascii.push_back(c);
        } else {
            return std::nullopt;  // NUL included: strchr would match the terminator
        }
    }
    const auto first = ascii.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::string trimmed = ascii.substr(first, ascii.find_last_not_of(' ') - first + 1);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size()) return std::nullopt;
    return value;
}

void CheckNumberText(std::string_view text) {
    const auto value = kalvet::NumberTextValue(text);
    const auto expected = ReferenceValue(text);
    if (value.has_value() != expected.has_value()) {
        Fail(value ? "accepted a text that is no number text" : "refused a number text", text);
    }
    if (value) {
        if (std::isnan(*value)) Fail("a number text gave NaN", text);
        if (!SameDouble(*value, *expected)) {
            std::fprintf(stderr, "value %a, correctly rounded %a\n", *value, *expected);
            Fail("value is not the nearest double (or the signed infinity or zero)", text);
        }
    }
    const bool valid = kalvet::IsValidDimension(text);
    if (valid != (value && *value > 0.0 && *value < kalvet::kDimensionLimit)) {
        Fail(valid ? "valid dimension outside (0, 100000)" : "refused a dimension in (0, 100000)",
             text);
    }
}

// The value a mass text must read back as: the mass rounded to 15 significant digits.
double RoundedTo15(double kg) {
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, kg, std::chars_format::scientific, 14);
    double rounded = 0.0;
    const auto [end, ec] = std::from_chars(buf, written.ptr, rounded);
    if (ec == std::errc::result_out_of_range) {
        // Only rounding up past the largest double gets here: the smallest subnormal's
        // 15 digits still read back as itself.
        return std::copysign(std::numeric_limits<double>::infinity(), kg);
    }
    if (ec != std::errc() || end != written.ptr) Fail("to_chars wrote what from_chars refused", buf);
    return rounded;
}

void CheckMassText(double kg) {
    const std::string text = kalvet::MassText(kg);
    if (!std::isfinite(kg)) {
        if (!text.empty()) Fail("a mass that is not finite gave a text", text);
        return;
    }
    if (text.empty()) Fail("a finite mass gave no text", text);
    if (text.find_first_not_of("0123456789.-E+") != std::string::npos) {
        Fail("mass text holds a character other than digits, '.', '-', 'E', '+'", text);
    }

    const double rounded = RoundedTo15(kg);
    const auto back = kalvet::NumberTextValue(text);
    if (!back) Fail("mass text does not read back as a number", text);
    if (*back != rounded) {
        std::fprintf(stderr, "mass %a, reads back %a, rounded to 15 digits %a\n", kg, *back,
                     rounded);
        Fail("mass text does not read back as the mass rounded to 15 digits", text);
    }

    // Shape: a sign only on a non-zero mass, no trailing zeros or point, at most 15
    // significant digits, and an exponent exactly outside [1e-5, 1e15).
    const bool negative = text[0] == '-';
    if (negative != (kg < 0.0 && rounded != 0.0)) Fail("sign of the mass text", text);
    const std::size_t e = text.find('E');
    const std::string_view mantissa = std::string_view(text).substr(negative ? 1 : 0,
                                                                    e - (negative ? 1 : 0));
    if (mantissa.empty() || mantissa.front() == '.' || mantissa.back() == '.') {
        Fail("mass text starts or ends its digits with a point", text);
    }
    if (mantissa.find('.') != std::string_view::npos && mantissa.back() == '0') {
        Fail("mass text has trailing zeros after the point", text);
    }
    std::string digits;
    for (const char c : mantissa) {
        if (c != '.') digits.push_back(c);
    }
    const auto lead = digits.find_first_not_of('0');
    if (lead != std::string::npos && digits.size() - lead > 15) {
        Fail("mass text has more than 15 significant digits", text);
    }
    const double magnitude = std::fabs(rounded);
    const bool wantExponent = magnitude != 0.0 && (magnitude < 1e-5 || magnitude >= 1e15);
    if ((e != std::string::npos) != wantExponent) {
        Fail(wantExponent ? "mass text lacks the exponent form" : "mass text has a needless exponent",
             text);
    }
    if (e != std::string::npos) {
        const std::string_view exponent = std::string_view(text).substr(e + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-') ||
            exponent.find_first_not_of("0123456789", 1) != std::string_view::npos) {
            Fail("exponent is not a sign and at least two digits", text);
        }
    }
}

// NearestDouble, which stands in for from_chars where a C++ library has none for double, against
// strtod: the bytes after the first as the digits D of 0.D × 10^p, p from the first byte.
void CheckNearestDouble(std::string_view bytes) {
    if (bytes.empty()) return;
    const int p = static_cast<signed char>(bytes[0]) * 3;
    std::string digits;
    for (const char c : bytes.substr(1)) {
        digits += static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
    }
    const std::string text = "0." + digits + "0e" + std::to_string(p);
    const double value = kalvet::NearestDouble(digits, p);
    if (!SameDouble(value, std::strtod(text.c_str(), nullptr))) {
        Fail("NearestDouble is not strtod's nearest double", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckNumberText(text);
    CheckNearestDouble(text);
    if (size >= sizeof(double)) {
        double kg = 0.0;
        std::memcpy(&kg, data, sizeof kg);
        CheckMassText(kg);
    }
    return 0;
}
