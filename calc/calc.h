// The calculation core: when a box's text is a usable number, how a mass becomes the text
// shown, and the seven calculators. Pure functions of their arguments: no UI, no globals,
// no locale. Texts are UTF-8; every function accepts any byte string without failing.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tables/section_table.h"

namespace kalvet {

// The two messages a result box can receive, and the entry heading every designation list.
inline constexpr std::string_view kSectionMessage = "数据或格式错误";
inline constexpr std::string_view kDimensionMessage = "数据错误";
inline constexpr std::string_view kListPrompt = "请选择型号";

// Dimensions (mm) are valid strictly inside this open interval.
inline constexpr double kDimensionLimit = 100000.0;

// The value of a number text, or nothing when the text is not one. A number text is, between
// optional blanks (space, tab, U+3000), an optional sign, digits with an optional decimal point
// (at least one digit in all) and an optional exponent. Full-width digits, signs, point and
// "Ｅ", and the ideographic full stop "。" as a point, count as their ASCII twins, because a
// Chinese input method types them. The value is the nearest double; a value beyond the double
// range becomes an infinity of its sign, one below it a zero of its sign.
std::optional<double> NumberTextValue(std::string_view text);

// True when the text is a number text whose value lies strictly between 0 and 100000 (mm).
bool IsValidDimension(std::string_view text);

// True when a section press may go on: the length is a valid dimension and the list shows a
// real designation rather than the prompt.
bool CheckSectionInputs(std::string_view lengthText, std::string_view shownEntry);

// True when every one of the group's dimension texts is valid.
bool CheckDimensionInputs(std::span<const std::string_view> dimensionTexts);

// The text shown for a mass in kg: rounded to 15 significant digits, no trailing zeros, "." as
// the point whatever the locale, "0" for either zero. Below 1e-5 or from 1e15 on it switches to
// an exponent form such as "8.89E-08" or "1.5E+20". A mass that is not finite gives "".
std::string MassText(double kg);

// A section press: the message when the inputs fail the check, else the mass text of
// length (mm) × unit mass (kg/m) × 0.001 for the row whose designation equals the shown entry
// byte for byte. Nothing when no row matches: the result box then keeps its text.
std::optional<std::string> ComputeSectionMass(SectionTable table, std::string_view shownEntry,
                                              std::string_view lengthText);

// Dimension presses: dimensions in mm and the density text in g/cm3, straight from the boxes.
// Each gives the mass text, or kDimensionMessage when a dimension is invalid, the density is not
// a number above 0, the pipe wall is thicker than half the outer diameter, or the mass would
// not be finite.
std::string ComputeRoundBarMass(std::string_view diameter, std::string_view length,
                                std::string_view density);
std::string ComputePipeMass(std::string_view outerDiameter, std::string_view wall,
                            std::string_view length, std::string_view density);
std::string ComputePlateMass(std::string_view length, std::string_view width,
                             std::string_view thickness, std::string_view density);

}  // namespace kalvet
