#include "app/form1.h"

#include <array>
#include <string>

#include "calc/calc.h"

namespace kalvet {

namespace {

struct SectionGroup {
    ControlId list;
    ControlId length;
    ControlId result;
    SectionTable (*table)();
};

// Start-up fills the lists in this order; each press uses its own row.
constexpr std::array kSectionGroups{
    SectionGroup{ControlId::Combo1, ControlId::Text1, ControlId::Text2, ChannelTable},
    SectionGroup{ControlId::Combo2, ControlId::Text3, ControlId::Text4, EqualAngleTable},
    SectionGroup{ControlId::Combo3, ControlId::Text5, ControlId::Text6, UnequalAngleTable},
    SectionGroup{ControlId::Combo4, ControlId::Text7, ControlId::Text8, IBeamTable},
};

void SectionPress(Window& w, const SectionGroup& g) {
    const auto shown = ComputeSectionMass(g.table(), w.ShownEntry(g.list), w.Text(g.length));
    if (shown) w.SetText(g.result, *shown);
}

using Handler = void (Form1::*)();

struct Route {
    ControlId control;
    Handler handler;
};

constexpr std::array kButtonRoutes{
    Route{ControlId::Command1, &Form1::Command1_Click},
    Route{ControlId::Command2, &Form1::Command2_Click},
    Route{ControlId::Command3, &Form1::Command3_Click},
    Route{ControlId::Command4, &Form1::Command4_Click},
    Route{ControlId::Command5, &Form1::Command5_Click},
    Route{ControlId::Command6, &Form1::Command6_Click},
    Route{ControlId::Command7, &Form1::Command7_Click},
};

constexpr std::array kClickRoutes{
    Route{ControlId::Text1, &Form1::Text1_Click},   Route{ControlId::Text3, &Form1::Text3_Click},
    Route{ControlId::Text5, &Form1::Text5_Click},   Route{ControlId::Text7, &Form1::Text7_Click},
    Route{ControlId::Text9, &Form1::Text9_Click},   Route{ControlId::Text10, &Form1::Text10_Click},
    Route{ControlId::Text13, &Form1::Text13_Click}, Route{ControlId::Text14, &Form1::Text14_Click},
    Route{ControlId::Text15, &Form1::Text15_Click}, Route{ControlId::Text17, &Form1::Text17_Click},
    Route{ControlId::Text18, &Form1::Text18_Click}, Route{ControlId::Text20, &Form1::Text20_Click},
};

template <std::size_t N>
void Dispatch(Form1& form, const std::array<Route, N>& routes, ControlId control) {
    for (const Route& r : routes) {
        if (r.control == control) {
            (form.*r.handler)();
            return;
        }
    }
}

}  // namespace

void Form1::Form_Load() {
    for (const SectionGroup& g : kSectionGroups) {
        window_.AddListEntry(g.list, kListPrompt);
        for (const SectionRow& row : g.table()) window_.AddListEntry(g.list, row.designation);
        window_.SelectListEntry(g.list, 0);
    }
}

void Form1::Command1_Click() { SectionPress(window_, kSectionGroups[0]); }
void Form1::Command2_Click() { SectionPress(window_, kSectionGroups[1]); }
void Form1::Command3_Click() { SectionPress(window_, kSectionGroups[2]); }
void Form1::Command4_Click() { SectionPress(window_, kSectionGroups[3]); }

void Form1::Command5_Click() {
    const Window& w = window_;
    window_.SetText(ControlId::Text11, ComputeRoundBarMass(w.Text(ControlId::Text9),
                                                           w.Text(ControlId::Text10),
                                                           w.Text(ControlId::Text12)));
}

void Form1::Command6_Click() {
    const Window& w = window_;
    window_.SetText(ControlId::Text16,
                    ComputePipeMass(w.Text(ControlId::Text13), w.Text(ControlId::Text14),
                                    w.Text(ControlId::Text15), w.Text(ControlId::Text12)));
}

void Form1::Command7_Click() {
    const Window& w = window_;
    window_.SetText(ControlId::Text21,
                    ComputePlateMass(w.Text(ControlId::Text17), w.Text(ControlId::Text18),
                                     w.Text(ControlId::Text20), w.Text(ControlId::Text12)));
}

// A click empties the box whatever it holds, so the user can type a fresh value at once.
void Form1::Text1_Click() { window_.SetText(ControlId::Text1, ""); }
void Form1::Text3_Click() { window_.SetText(ControlId::Text3, ""); }
void Form1::Text5_Click() { window_.SetText(ControlId::Text5, ""); }
void Form1::Text7_Click() { window_.SetText(ControlId::Text7, ""); }
void Form1::Text9_Click() { window_.SetText(ControlId::Text9, ""); }
void Form1::Text10_Click() { window_.SetText(ControlId::Text10, ""); }
void Form1::Text13_Click() { window_.SetText(ControlId::Text13, ""); }
void Form1::Text14_Click() { window_.SetText(ControlId::Text14, ""); }
void Form1::Text15_Click() { window_.SetText(ControlId::Text15, ""); }
void Form1::Text17_Click() { window_.SetText(ControlId::Text17, ""); }
void Form1::Text18_Click() { window_.SetText(ControlId::Text18, ""); }
void Form1::Text20_Click() { window_.SetText(ControlId::Text20, ""); }

void Form1::ButtonClicked(ControlId button) { Dispatch(*this, kButtonRoutes, button); }

void Form1::TextBoxClicked(ControlId textBox) { Dispatch(*this, kClickRoutes, textBox); }

}  // namespace kalvet
