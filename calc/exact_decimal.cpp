#include "calc/exact_decimal.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kalvet {

namespace {

// A halfway point between two doubles has at most 767 significant digits, so a text's digits
// past the 800th only tell, by being zero or not, which side of one the text lies.
constexpr int kReadDigits = 800;
// Room for every digit of a double and of 800 read digits below 1 through the powers of two
// the conversions take them through (up to 2^1100 adds 332 digits, 2^-53 another 53). Read
// digits above 1 are divided further; what then falls past the room is dropped, noting whether
// it was zero: an error below 10^-1250 of the value, which lies at least 10^-1110 of itself
// from any halfway point when read from 800 digits.
constexpr int kRoom = 1280;
// The largest shift at a time: a digit times 2^56, plus the carry, stays below 2^64.
constexpr int kMaxShift = 56;

// 0.d[0]d[1]…d[count-1] × 10^point, each d a digit's value; trailing zeros are dropped.
struct Decimal {
    unsigned char d[kRoom + 32];  // a multiplication writes up to 17 digits past the room
    int count = 0;
    std::int64_t point = 0;
    bool dropped = false;  // non-zero digits were dropped after the last one

    void Trim() {
        while (count > 0 && d[count - 1] == 0) --count;
        if (count == 0) point = 0;
    }

    // The value times 2^k, 0 < k <= kMaxShift: from the last digit to the first, each times
    // 2^k plus the carry, written `grow` places further right, then moved back to the front.
    void ShiftLeft(int k) {
        const int grow = k * 30103 / 100000 + 1;  // 2^k < 10^grow
        std::uint64_t n = 0;
        int w = count + grow;
        for (int r = count - 1; r >= 0; --r) {
            n += static_cast<std::uint64_t>(d[r]) << k;
            d[--w] = static_cast<unsigned char>(n % 10);
            n /= 10;
        }
        while (n > 0) {
            d[--w] = static_cast<unsigned char>(n % 10);
            n /= 10;
        }
        count = count + grow - w;
        std::memmove(d, d + w, static_cast<std::size_t>(count));
        point += grow - w;
        if (count > kRoom) {
            const auto nonZero = [](unsigned char c) { return c != 0; };
            dropped = dropped || std::any_of(d + kRoom, d + count, nonZero);
            count = kRoom;
        }
        Trim();
    }

    // The value divided by 2^k, 0 < k <= kMaxShift: long division from the first digit.
    void ShiftRight(int k) {
        std::uint64_t n = 0;
        int r = 0;
        while (n >> k == 0) {  // enough leading digits for the first quotient digit
            if (r < count) {
                n = n * 10 + d[r];
            } else if (n == 0) {
                count = 0;
                point = 0;
                return;
            } else {
                n *= 10;
            }
            ++r;
        }
        point -= r - 1;
        const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
        int w = 0;
        for (; r < count; ++r) {
            d[w++] = static_cast<unsigned char>(n >> k);
            n = (n & mask) * 10 + d[r];
        }
        while (n > 0) {
            const auto digit = static_cast<unsigned char>(n >> k);
            if (w < kRoom) {
                d[w++] = digit;
            } else {
                dropped = dropped || digit != 0;
            }
            n = (n & mask) * 10;
        }
        count = w;
        Trim();
    }

    // The value times 2^k, k of either sign.
    void Shift(std::int64_t k) {
        while (k != 0) {
            const auto step = static_cast<int>(std::min<std::int64_t>(k > 0 ? k : -k, kMaxShift));
            if (k > 0) {
                ShiftLeft(step);
                k -= step;
            } else {
                ShiftRight(step);
                k += step;
            }
        }
    }

    // Whether rounding to the first `at` digits goes up: above half, or half and odd.
    bool RoundsUp(std::int64_t at) const {
        if (at < 0 || at >= count) return false;
        const auto i = static_cast<int>(at);
        if (d[i] == 5 && i + 1 == count && !dropped) return i > 0 && d[i - 1] % 2 == 1;
        return d[i] >= 5;
    }

    // The value rounded to an integer; it must be below 2^64.
    std::uint64_t RoundedInteger() const {
        std::uint64_t n = 0;
        for (int i = 0; i < point; ++i) n = n * 10 + (i < count ? d[i] : 0);
        return RoundsUp(point) ? n + 1 : n;
    }
};

// k · log2 10, rounded down (k of at most a few hundred): a value below 10^-k doubled that many
// times stays below 1.
std::int64_t Log2Of10Times(std::int64_t k) { return k * 3321928 / 1000000; }

}  // namespace

double NearestDouble(std::string_view digits, std::int64_t pointExponent) {
    Decimal a;
    std::size_t i = 0;
    for (; i < digits.size() && digits[i] == '0'; ++i) --pointExponent;
    for (; i < digits.size(); ++i) {
        if (a.count < kReadDigits) {
            a.d[a.count++] = static_cast<unsigned char>(digits[i] - '0');
        } else if (digits[i] != '0') {
            a.dropped = true;
        }
    }
    a.Trim();
    if (a.count == 0) return 0.0;
    // 10^309 is beyond the largest double; 10^-330 nearer zero than half the least subnormal.
    if (pointExponent > 310) return std::numeric_limits<double>::infinity();
    if (pointExponent < -330) return 0.0;
    a.point = pointExponent;

    // Bring the value into [1/2, 1), counting the powers of two: value = a × 2^binary.
    std::int64_t binary = 0;
    while (a.point > 0) {
        const std::int64_t k = std::clamp<std::int64_t>(Log2Of10Times(a.point), 1, kMaxShift);
        a.Shift(-k);
        binary += k;
    }
    while (a.point < 0 || (a.point == 0 && a.d[0] < 5)) {
        const std::int64_t k = std::clamp<std::int64_t>(Log2Of10Times(-a.point), 1, kMaxShift);
        a.Shift(k);
        binary -= k;
    }
    // As 1.f × 2^exponent; below the normal range the significand takes fewer bits.
    std::int64_t exponent = binary - 1;
    if (exponent < -1022) {
        a.Shift(exponent + 1022);
        exponent = -1022;
    }
    if (exponent > 1023) return std::numeric_limits<double>::infinity();
    a.Shift(53);
    std::uint64_t significand = a.RoundedInteger();
    if (significand == std::uint64_t{1} << 53) {  // rounded up to the next power of two
        significand >>= 1;
        if (++exponent > 1023) return std::numeric_limits<double>::infinity();
    }
    const std::uint64_t hidden = std::uint64_t{1} << 52;
    const std::uint64_t biased =
        significand >= hidden ? static_cast<std::uint64_t>(exponent + 1023) : 0;
    const std::uint64_t bits = (biased << 52) | (significand & (hidden - 1));
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);  // (not every C++ library has std::bit_cast)
    return value;
}

RoundedDecimal RoundToDigits(double value, int count) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased > 0) significand |= std::uint64_t{1} << 52;
    Decimal a;
    for (std::uint64_t n = significand; n > 0; n /= 10) ++a.count;
    std::uint64_t n = significand;
    for (int i = a.count - 1; i >= 0; --i, n /= 10) a.d[i] = static_cast<unsigned char>(n % 10);
    a.point = a.count;
    a.Trim();
    a.Shift((biased > 0 ? biased : 1) - 1075);  // value = significand × 2^(biased - 1075)

    RoundedDecimal out;
    out.digits.assign(static_cast<std::size_t>(count), '0');
    out.exponent = static_cast<int>(a.point) - 1;
    bool carry = a.RoundsUp(count);
    for (int i = count - 1; i >= 0; --i) {
        const int digit = (i < a.count ? a.d[i] : 0) + (carry ? 1 : 0);
        carry = digit == 10;
        out.digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + digit % 10);
    }
    if (carry) {  // 99…9 rounded up to 100…0: one digit more before the point
        out.digits.front() = '1';
        ++out.exponent;
    }
    return out;
}

}  // namespace kalvet
