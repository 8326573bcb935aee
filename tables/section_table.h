// The four built-in section tables. Constant data only: the designation lists are filled
// from these rows and the section calculator looks rows up in them; nothing changes them.
#pragma once

#include <span>
#include <string_view>

namespace kalvet {

// One section. The designation is UTF-8 (its "×" is U+00D7) and is both the text the list
// shows and the key a selection is matched against, so it must stay byte for byte as listed.
struct SectionRow {
    std::string_view designation;
    double unitMass;  // kg per metre of length
};

// A family's rows in list order: row n is the list entry just after the prompt plus n.
using SectionTable = std::span<const SectionRow>;

SectionTable ChannelTable();       // 41 rows, channel "槽钢"
SectionTable EqualAngleTable();    // 82 rows, equal-leg angle "等边角钢"
SectionTable UnequalAngleTable();  // 65 rows, unequal-leg angle "不等边角钢"
SectionTable IBeamTable();         // 45 rows, I-beam "工字钢"

}  // namespace kalvet
