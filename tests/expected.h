// What the program must show, written once from the description of the window and its tables,
// never worked out from the code under test: every test program that needs one of these facts
// takes it from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/layout.h"

namespace kalvet::expected {

inline constexpr std::string_view kPrompt = "请选择型号";
inline constexpr std::string_view kSectionMessage = "数据或格式错误";
inline constexpr std::string_view kDimensionMessage = "数据错误";

// The window: its caption, its client area in twips and in pixels at 96 dpi, and its fonts:
// SimSun ("宋体") at 10.5 points in the GB2312 character set (134), regular for the window and
// bold for the group boxes.
inline constexpr std::string_view kCaption = "Kalvet";
inline constexpr int kClientTwips[2] = {6945, 7560};
inline constexpr int kClientPixels[2] = {463, 504};
inline constexpr std::string_view kFace = "宋体";
inline constexpr int kTenthsOfPoint = 105;
inline constexpr int kFontPixels = 14;
inline constexpr int kCharset = 134;

// FNV-1a, 32 bits, of a text's UTF-8 bytes: how the fingerprints below were taken.
constexpr std::uint32_t Fingerprint(std::string_view text) {
    std::uint32_t hash = 0x811c9dc5u;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193u;
    return hash;
}

// Each section family: its list, the list's entries after start-up (the prompt, then the
// table), its first and last rows, and check sums of its table: the unit masses in grams per
// metre added up, the same weighted by row number (1 for the first row) so that two swapped
// rows show, and the fingerprint of all designations joined by "\n".
struct Family {
    std::string_view name;
    ControlId list;
    std::size_t entries;
    std::string_view first;
    std::string_view last;
    long long gramsPerMetre;
    long long weightedGramsPerMetre;
    std::uint32_t designations;
};
inline constexpr Family kFamilies[] = {
    {"channel", ControlId::Combo1, 42, "5  50×37×4.5", "40c  400×104×14.5", 1275961, 34394013, 0xf673a148},
    {"equal-leg angle", ControlId::Combo2, 83, "2  20×20×3", "20  200×200×24", 1225098, 76358420, 0x48fc4e1b},
    {"unequal-leg angle", ControlId::Combo3, 66, "2.5/1.6  25×16×3", "20/12.5  200×125×18", 761883, 36510039,
     0x5c9accd9},
    {"I-beam", ControlId::Combo4, 46, "10  100×68×4.5", "63c  630×180×17", 2968136, 88860906, 0x07d2a6fb},
};

// Every control's fingerprint: of its name, kind (frame, label, box, list, button), group box
// ("-" for a group box), left, top, width, height in twips and caption or initial text, joined
// by single blanks, e.g. "Text1 box Frame1 600 840 2295 315 请输入长度".
struct ControlPrint {
    std::string_view name;
    std::uint32_t print;
};
inline constexpr ControlPrint kControls[] = {
    {"Frame1", 0x517f6c15}, {"Frame2", 0x9c3bc2fa}, {"Frame3", 0xa598fa6a}, {"Frame4", 0x1112cd1c},
    {"Frame5", 0xe4bb6779}, {"Frame6", 0xdd02c074}, {"Frame7", 0x4346d6a0}, {"Frame8", 0xa31e1cc6},
    {"Combo1", 0x7dcc3e25}, {"Label1", 0xc5896566}, {"Text1", 0x2dae3167}, {"Label4", 0xe3d22be0},
    {"Label2", 0xa050820f}, {"Command1", 0xa2ae240e}, {"Text2", 0x8b95003d}, {"Label5", 0x92149332},
    {"Label3", 0xdd1f6d41}, {"Combo2", 0xfc80670c}, {"Label6", 0x779ce765}, {"Text3", 0xa2da1f41},
    {"Label8", 0x5f654e6e}, {"Label7", 0x63c8e0cc}, {"Command2", 0x3bdeaedb}, {"Text4", 0xed8b559b},
    {"Label10", 0x355de90c}, {"Label9", 0x1cacd77a}, {"Combo3", 0xbb72afd9}, {"Label11", 0xf2f47593},
    {"Text5", 0x3dea6879}, {"Label14", 0x7f5a5acf}, {"Label12", 0x756d367e}, {"Command3", 0x2e8909e2},
    {"Text6", 0x687cdd8d}, {"Label15", 0xace31daf}, {"Label13", 0xcfa8059a}, {"Combo4", 0x2e2c4d10},
    {"Label16", 0xd3b99c34}, {"Text7", 0x9b826e41}, {"Label19", 0x8b73a4f0}, {"Label17", 0xabd5b902},
    {"Command4", 0x00e469df}, {"Text8", 0x5e346731}, {"Label20", 0xbd81a6b5}, {"Label18", 0x9b915034},
    {"Text9", 0x7b422c69}, {"Label22", 0x23f41ff5}, {"Label21", 0xb26d328c}, {"Text10", 0xd84af837},
    {"Label24", 0xd55a32ab}, {"Label23", 0xfedf29c3}, {"Command5", 0xefdb0398}, {"Text11", 0x11fefa77},
    {"Label26", 0xb4faf740}, {"Label25", 0x4d5d6fc5}, {"Text12", 0x554e4e9f}, {"Label27", 0xaf7a252f},
    {"Text13", 0xd2215ccf}, {"Label32", 0x896c3faf}, {"Label28", 0x06be18c1}, {"Text14", 0xc349525b},
    {"Label33", 0x00331d17}, {"Label29", 0xdb977b3d}, {"Text15", 0x0eeb1334}, {"Label34", 0xd9b0e772},
    {"Label30", 0xdbfa23e7}, {"Command6", 0x094ba587}, {"Text16", 0x6f5262a7}, {"Label35", 0x3ef2d683},
    {"Label31", 0xa9c6effc}, {"Text17", 0xcdd130f1}, {"Label41", 0x6d2f5d69}, {"Label36", 0x8e838378},
    {"Text18", 0x00d5f001}, {"Label42", 0xbfb1184b}, {"Label37", 0x7b3d083b}, {"Text20", 0xc8059784},
    {"Label44", 0x142adb11}, {"Label38", 0xaf42cf29}, {"Command7", 0xf067cdd2}, {"Text21", 0xe7388587},
    {"Label45", 0xd70aa620}, {"Label40", 0x79bc4d2e},
};

// Worked examples, one or more per compute button, each as a user takes it: pick the list's
// entry (none: the prompt stays shown), put each text into its box (the others keep their
// initial texts), press the button, read the result box. Every front end's test walks them all.
struct Typed {
    ControlId box = ControlId::None;
    std::string_view text;
};
struct Road {
    std::string_view probe;
    ControlId list;
    std::string_view entry;
    std::array<Typed, 4> typed;  // ends at the first ControlId::None
    ControlId button;
    ControlId result;
    std::string_view shown;
};
namespace ids {
using enum ControlId;
// The twelve input boxes a mouse click empties; no other box is emptied.
inline constexpr ControlId kClickEmpties[] = {Text1, Text3, Text5, Text7, Text9, Text10,
                                              Text13, Text14, Text15, Text17, Text18, Text20};
// The order the Tab key visits, from the control that has the focus when the window opens.
inline constexpr ControlId kTabOrder[] = {
    Combo1, Text1, Text2, Command1, Combo2, Text3, Command2, Text4, Combo3, Text5, Text6, Command3,
    Combo4, Text7, Text8, Command4, Text9, Text10, Text11, Command5, Text12, Command6, Text13,
    Text14, Text15, Text16, Command7, Text17, Text18, Text20, Text21,
};
inline constexpr Road kRoads[] = {
    {"channel", Combo1, "5  50×37×4.5", {{{Text1, "1500"}}}, Command1, Text2, "8.157"},
    {"channel, full-width digits", Combo1, "5  50×37×4.5", {{{Text1, "１５００"}}}, Command1, Text2, "8.157"},
    {"channel, list on the prompt", None, "", {{{Text1, "1500"}}}, Command1, Text2, kSectionMessage},
    {"equal-leg angle", Combo2, "14  140×140×16", {{{Text3, "6000"}}}, Command2, Text4, "200.358"},
    {"equal-leg angle, length prompt left", Combo2, "2  20×20×3", {}, Command2, Text4, kSectionMessage},
    {"unequal-leg angle", Combo3, "20/12.5  200×125×18", {{{Text5, "2500"}}}, Command3, Text6, "108.97"},
    {"unequal-leg angle, length 0", Combo3, "10/8  100×80×10", {{{Text5, "0"}}}, Command3, Text6, kSectionMessage},
    {"I-beam", Combo4, "20a  200×100×7", {{{Text7, "6000"}}}, Command4, Text8, "167.574"},
    {"I-beam, letters in the length", Combo4, "20a  200×100×7", {{{Text7, "12abc"}}}, Command4, Text8,
     kSectionMessage},
    {"round bar", None, "", {{{Text9, "10"}, {Text10, "1000"}}}, Command5, Text11, "0.616539"},
    {"round bar, full-width digits and 。", None, "", {{{Text9, "１０"}, {Text10, "１０００。０"}}}, Command5, Text11,
     "0.616539"},
    {"round bar, length left empty", None, "", {{{Text9, "20"}}}, Command5, Text11,
     kDimensionMessage},
    {"pipe", None, "", {{{Text13, "60"}, {Text14, "3.5"}, {Text15, "6000"}}}, Command6, Text16, "29.26094094"},
    {"pipe, length at the limit", None, "", {{{Text13, "60"}, {Text14, "3.5"}, {Text15, "100000"}}}, Command6,
     Text16, kDimensionMessage},
    {"pipe, wall beyond half the diameter", None, "", {{{Text13, "60"}, {Text14, "31"}, {Text15, "6000"}}},
     Command6, Text16, kDimensionMessage},
    {"plate", None, "", {{{Text17, "2000"}, {Text18, "1000"}, {Text20, "10"}}}, Command7, Text21, "157"},
    {"plate, width left empty", None, "", {{{Text17, "2000"}, {Text20, "10"}}}, Command7, Text21,
     kDimensionMessage},
    {"plate at a density of 8", None, "", {{{Text17, "2000"}, {Text18, "1000"}, {Text20, "10"}, {Text12, "8"}}},
     Command7, Text21, "160"},
    {"plate, density left empty", None, "", {{{Text17, "2000"}, {Text18, "1000"}, {Text20, "10"}, {Text12, ""}}},
     Command7, Text21, kDimensionMessage},
};
}  // namespace ids
using ids::kClickEmpties;
using ids::kRoads;
using ids::kTabOrder;

}  // namespace kalvet::expected
