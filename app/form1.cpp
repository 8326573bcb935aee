#include "app/form1.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "calc/calc.h"

namespace kalvet {

namespace {

SectionTable TableOf(Calculation calculation) {
    switch (calculation) {
        case Calculation::Channel: return ChannelTable();
        case Calculation::EqualAngle: return EqualAngleTable();
        case Calculation::UnequalAngle: return UnequalAngleTable();
        case Calculation::IBeam: return IBeamTable();
        default: return {};
    }
}

// The text for the group's result box, or nothing when the box is to keep what it holds.
std::optional<std::string> Result(const Window& w, const GroupRoles& g) {
    std::array<std::string, 3> read;
    const auto boxes = BoxesRead(g);
    std::transform(boxes.begin(), boxes.end(), read.begin(), [&](ControlId box) { return w.Text(box); });
    switch (g.calculation) {
        case Calculation::None: return std::nullopt;
        case Calculation::RoundBar: return ComputeRoundBarMass(read[0], read[1], w.Text(g.density));
        case Calculation::Pipe: return ComputePipeMass(read[0], read[1], read[2], w.Text(g.density));
        case Calculation::Plate: return ComputePlateMass(read[0], read[1], read[2], w.Text(g.density));
        default: return ComputeSectionMass(TableOf(g.calculation), w.ShownEntry(g.list), read[0]);
    }
}

using Handler = void (Form1::*)();
struct Route {
    ControlId control;
    Handler handler;
};

// Each button's and each input box's handler. Which boxes a click empties is the group table's
// to say (the boxes a button reads): the build fails where the two part.
constexpr Route kPresses[] = {
    {ControlId::Command1, &Form1::Command1_Click}, {ControlId::Command2, &Form1::Command2_Click},
    {ControlId::Command3, &Form1::Command3_Click}, {ControlId::Command4, &Form1::Command4_Click},
    {ControlId::Command5, &Form1::Command5_Click}, {ControlId::Command6, &Form1::Command6_Click},
    {ControlId::Command7, &Form1::Command7_Click},
};
constexpr Route kClicks[] = {
    {ControlId::Text1, &Form1::Text1_Click},   {ControlId::Text3, &Form1::Text3_Click},
    {ControlId::Text5, &Form1::Text5_Click},   {ControlId::Text7, &Form1::Text7_Click},
    {ControlId::Text9, &Form1::Text9_Click},   {ControlId::Text10, &Form1::Text10_Click},
    {ControlId::Text13, &Form1::Text13_Click}, {ControlId::Text14, &Form1::Text14_Click},
    {ControlId::Text15, &Form1::Text15_Click}, {ControlId::Text17, &Form1::Text17_Click},
    {ControlId::Text18, &Form1::Text18_Click}, {ControlId::Text20, &Form1::Text20_Click},
};

template <std::size_t N>
Handler HandlerOf(const Route (&routes)[N], ControlId control) {
    for (const Route& r : routes) {
        if (r.control == control) return r.handler;
    }
    return nullptr;
}

template <std::size_t N>
constexpr bool HasRoute(const Route (&routes)[N], ControlId control) {
    return std::any_of(std::begin(routes), std::end(routes), [control](const Route& r) { return r.control == control; });
}

constexpr bool RoutesMatchTheGroups() {
    std::size_t buttons = 0;
    std::size_t boxes = 0;
    for (const GroupRoles& g : Groups()) {
        if (g.button == ControlId::None) continue;
        ++buttons;
        if (!HasRoute(kPresses, g.button)) return false;
        for (const ControlId box : BoxesRead(g)) {
            ++boxes;
            if (!HasRoute(kClicks, box)) return false;
        }
    }
    return buttons == std::size(kPresses) && boxes == std::size(kClicks);
}
static_assert(RoutesMatchTheGroups(),
              "every button and every box a button reads has its handler, and nothing else has one");

}  // namespace

void Form1::Form_Load(ListFiller& lists) {
    for (const GroupRoles& g : Groups()) {
        if (g.list == ControlId::None) continue;
        lists.AddListEntry(g.list, kListPrompt);
        for (const SectionRow& row : TableOf(g.calculation)) lists.AddListEntry(g.list, row.designation);
        lists.SelectListEntry(g.list, 0);
    }
}

void Form1::Compute(ControlId button) {
    const GroupRoles& g = GroupOf(button);
    if (const auto shown = Result(window_, g)) window_.SetText(g.result, *shown);
}

void Form1::Command1_Click() { Compute(ControlId::Command1); }
void Form1::Command2_Click() { Compute(ControlId::Command2); }
void Form1::Command3_Click() { Compute(ControlId::Command3); }
void Form1::Command4_Click() { Compute(ControlId::Command4); }
void Form1::Command5_Click() { Compute(ControlId::Command5); }
void Form1::Command6_Click() { Compute(ControlId::Command6); }
void Form1::Command7_Click() { Compute(ControlId::Command7); }

// A click empties the box whatever it holds, so the user can type a fresh value at once.
void Form1::Empty(ControlId box) { window_.SetText(box, ""); }

void Form1::Text1_Click() { Empty(ControlId::Text1); }
void Form1::Text3_Click() { Empty(ControlId::Text3); }
void Form1::Text5_Click() { Empty(ControlId::Text5); }
void Form1::Text7_Click() { Empty(ControlId::Text7); }
void Form1::Text9_Click() { Empty(ControlId::Text9); }
void Form1::Text10_Click() { Empty(ControlId::Text10); }
void Form1::Text13_Click() { Empty(ControlId::Text13); }
void Form1::Text14_Click() { Empty(ControlId::Text14); }
void Form1::Text15_Click() { Empty(ControlId::Text15); }
void Form1::Text17_Click() { Empty(ControlId::Text17); }
void Form1::Text18_Click() { Empty(ControlId::Text18); }
void Form1::Text20_Click() { Empty(ControlId::Text20); }

void Form1::ButtonClicked(ControlId button) {
    if (const Handler h = HandlerOf(kPresses, button)) (this->*h)();
}

// Results and the density box have no handler: they keep their text.
void Form1::TextBoxClicked(ControlId textBox) {
    if (const Handler h = HandlerOf(kClicks, textBox)) (this->*h)();
}

}  // namespace kalvet
