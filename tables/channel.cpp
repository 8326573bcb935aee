#include "tables/section_table.h"

#include <array>

namespace kalvet {

namespace {

// Hot-rolled channel sections: size number, variant letter, two blanks, then
// height × flange width × web thickness in mm. One row, "16a 160×63×6.5", carries a
// single blank; it is kept exactly as users know it, because the text is the lookup key.
// Unit masses in kg/m, three decimals as published; the list shows the rows in this order.
constexpr std::array<SectionRow, 41> kRows{{
    {"5  50×37×4.5", 5.438},
    {"6.3  63×40×4.8", 6.634},
    {"6.5  65×40×4.8", 6.709},
    {"8  80×43×5", 8.045},
    {"10  100×48×5.3", 10.007},
    {"12  120×53×5.5", 12.059},
    {"12.6  126×53×5.5", 12.318},
    {"14a  140×58×6", 14.535},
    {"14b  140×60×8", 16.733},
    {"16a 160×63×6.5", 17.240},
    {"16  160×65×8.5", 19.752},
    {"18a  180×68×7", 20.174},
    {"18  180×70×9", 23.000},
    {"20a  200×73×7", 22.637},
    {"20  200×75×9", 25.777},
    {"22a  220×77×7", 24.999},
    {"22  220×79×9", 28.453},
    {"24a  240×78×7", 26.860},
    {"24b  240×80×9", 30.628},
    {"24c  240×82×11", 34.396},
    {"25a  250×78×7", 27.410},
    {"25b  250×80×9", 31.335},
    {"25c  250×82×11", 35.260},
    {"27a  270×82×7.5", 30.838},
    {"27b  270×84×9.5", 35.077},
    {"27c  270×86×11.5", 39.316},
    {"28a  280×82×7.5", 31.427},
    {"28b  280×84×9.5", 35.823},
    {"28c  280×86×11.5", 40.219},
    {"30a  300×85×7.5", 34.463},
    // Each variant of a size is 2 mm thicker in the web than the one before, 4.71 kg/m at
    // 300 mm: the unit masses are those of webs 7.5, 9.5 and 11.5.
    {"30b  300×87×9.5", 39.173},
    {"30c  300×89×11.5", 43.883},
    {"32a  320×88×8", 38.083},
    {"32b  320×90×10", 43.107},
    {"32c  320×92×12", 48.131},
    {"36a  360×96×9", 47.814},
    {"36b  360×98×11", 53.466},
    {"36c  360×100×13", 59.118},
    {"40a  400×100×10.5", 58.928},
    {"40b  400×102×12.5", 65.208},
    {"40c  400×104×14.5", 71.488},
}};

}  // namespace

SectionTable ChannelTable() { return kRows; }

}  // namespace kalvet
