#include <algorithm>
#include <array>
#include <cmath>

#include "calc/calc.h"

namespace kalvet {

namespace {

// The circle constant is 3.1416 here, not pi, and folded with the unit factor into one
// constant: results must match, digit for digit, the figures the trade compares against.
// mm² × mm × g/cm³ × 1e-6 = kg.
constexpr double kRoundFactor = 3.1416e-6;
constexpr double kPlateFactor = 1e-6;
constexpr double kSectionFactor = 0.001;  // mm × kg/m = 1e-3 kg

// The density box is never checked as a dimension, but an empty, non-numeric, zero or
// negative density would give a meaningless mass, so it is refused like a bad dimension.
std::optional<double> Density(std::string_view text) {
    const auto value = NumberTextValue(text);
    if (!value || !(*value > 0.0)) return std::nullopt;
    return value;
}

std::string Shown(double mass) {
    return std::isfinite(mass) ? MassText(mass) : std::string(kDimensionMessage);
}

// Only called on texts that passed the dimension check.
double Value(std::string_view text) { return NumberTextValue(text).value_or(0.0); }

}  // namespace

bool CheckSectionInputs(std::string_view lengthText, std::string_view shownEntry) {
    return IsValidDimension(lengthText) && shownEntry != kListPrompt;
}

bool CheckDimensionInputs(std::span<const std::string_view> dimensionTexts) {
    return std::all_of(dimensionTexts.begin(), dimensionTexts.end(), IsValidDimension);
}

std::optional<std::string> ComputeSectionMass(SectionTable table, std::string_view shownEntry,
                                              std::string_view lengthText) {
    if (!CheckSectionInputs(lengthText, shownEntry)) return std::string(kSectionMessage);
    const auto row = std::find_if(table.begin(), table.end(), [&](const SectionRow& r) {
        return r.designation == shownEntry;
    });
    if (row == table.end()) return std::nullopt;
    const double length = Value(lengthText);
    const double mass = (length * row->unitMass) * kSectionFactor;
    return MassText(mass);
}

std::string ComputeRoundBarMass(std::string_view diameter, std::string_view length,
                                std::string_view density) {
    const std::array<std::string_view, 2> dims{diameter, length};
    const auto rho = Density(density);
    if (!CheckDimensionInputs(dims) || !rho) return std::string(kDimensionMessage);
    const double d = Value(diameter);
    const double l = Value(length);
    const double r = d / 2;
    const double a = r * r;
    const double b = a * kRoundFactor;
    const double c = l * b;
    return Shown(*rho * c);
}

std::string ComputePipeMass(std::string_view outerDiameter, std::string_view wall,
                            std::string_view length, std::string_view density) {
    const std::array<std::string_view, 3> dims{outerDiameter, wall, length};
    if (!CheckDimensionInputs(dims)) return std::string(kDimensionMessage);
    const double outer = Value(outerDiameter);
    const double t = Value(wall);
    const double l = Value(length);
    // A wall thicker than the radius cannot exist; exactly the radius is a solid bar.
    const auto rho = Density(density);
    if (t > outer / 2 || !rho) return std::string(kDimensionMessage);
    const double a = outer - t;
    const double b = a * kRoundFactor;
    const double c = t * b;
    const double e = l * c;
    return Shown(*rho * e);
}

std::string ComputePlateMass(std::string_view length, std::string_view width,
                             std::string_view thickness, std::string_view density) {
    const std::array<std::string_view, 3> dims{length, width, thickness};
    const auto rho = Density(density);
    if (!CheckDimensionInputs(dims) || !rho) return std::string(kDimensionMessage);
    const double l = Value(length);
    const double w = Value(width);
    const double t = Value(thickness);
    const double a = l * t;
    const double b = w * a;
    const double c = b * kPlateFactor;
    return Shown(*rho * c);
}

}  // namespace kalvet
