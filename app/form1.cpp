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
std::optional<std::string> Compute(const Window& w, const GroupRoles& g) {
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

}  // namespace

void Form1::Form_Load() {
    for (const GroupRoles& g : Groups()) {
        if (g.list == ControlId::None) continue;
        window_.AddListEntry(g.list, kListPrompt);
        for (const SectionRow& row : TableOf(g.calculation)) window_.AddListEntry(g.list, row.designation);
        window_.SelectListEntry(g.list, 0);
    }
}

void Form1::Command1_Click() { ButtonClicked(ControlId::Command1); }
void Form1::Command2_Click() { ButtonClicked(ControlId::Command2); }
void Form1::Command3_Click() { ButtonClicked(ControlId::Command3); }
void Form1::Command4_Click() { ButtonClicked(ControlId::Command4); }
void Form1::Command5_Click() { ButtonClicked(ControlId::Command5); }
void Form1::Command6_Click() { ButtonClicked(ControlId::Command6); }
void Form1::Command7_Click() { ButtonClicked(ControlId::Command7); }

void Form1::Text1_Click() { TextBoxClicked(ControlId::Text1); }
void Form1::Text3_Click() { TextBoxClicked(ControlId::Text3); }
void Form1::Text5_Click() { TextBoxClicked(ControlId::Text5); }
void Form1::Text7_Click() { TextBoxClicked(ControlId::Text7); }
void Form1::Text9_Click() { TextBoxClicked(ControlId::Text9); }
void Form1::Text10_Click() { TextBoxClicked(ControlId::Text10); }
void Form1::Text13_Click() { TextBoxClicked(ControlId::Text13); }
void Form1::Text14_Click() { TextBoxClicked(ControlId::Text14); }
void Form1::Text15_Click() { TextBoxClicked(ControlId::Text15); }
void Form1::Text17_Click() { TextBoxClicked(ControlId::Text17); }
void Form1::Text18_Click() { TextBoxClicked(ControlId::Text18); }
void Form1::Text20_Click() { TextBoxClicked(ControlId::Text20); }

void Form1::ButtonClicked(ControlId button) {
    if (button == ControlId::None) return;
    const GroupRoles& g = GroupOf(button);
    if (g.button != button) return;
    if (const auto shown = Compute(window_, g)) window_.SetText(g.result, *shown);
}

// A click empties a box a button reads whatever it holds, so the user can type a fresh value
// at once. Results and the density box keep theirs.
void Form1::TextBoxClicked(ControlId textBox) {
    if (textBox == ControlId::None) return;
    const auto boxes = BoxesRead(GroupOf(textBox));
    if (std::find(boxes.begin(), boxes.end(), textBox) != boxes.end()) window_.SetText(textBox, "");
}

}  // namespace kalvet
