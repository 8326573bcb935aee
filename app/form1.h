// The window's behaviour, written once for every front end: start-up fills the designation
// lists, each compute button runs its group's calculator, and a mouse click in an input box
// empties it. What a press reads and writes comes from the group table (layout.h). Each
// handler reads, checks, computes and writes, and touches no other control than its own
// group's result box (or, for a click, the clicked box).
#pragma once

#include "app/window.h"

namespace kalvet {

class Form1 {
public:
    explicit Form1(Window& window) : window_(window) {}

    // Start-up: each designation list gets the prompt entry, then its table's designations
    // in table order, and shows the prompt. It needs nothing of the window but its lists.
    static void Form_Load(ListFiller& lists);

    void Command1_Click();  // channel
    void Command2_Click();  // equal-leg angle
    void Command3_Click();  // unequal-leg angle
    void Command4_Click();  // I-beam
    void Command5_Click();  // round bar
    void Command6_Click();  // pipe
    void Command7_Click();  // plate

    void Text1_Click();
    void Text3_Click();
    void Text5_Click();
    void Text7_Click();
    void Text9_Click();
    void Text10_Click();
    void Text13_Click();
    void Text14_Click();
    void Text15_Click();
    void Text17_Click();
    void Text18_Click();
    void Text20_Click();

    // Routing for front ends, by control identity, to the handlers above: a press of any
    // button, and a mouse click in any text box. Controls without a handler are ignored, so a
    // front end may forward every such event without knowing which ones matter.
    void ButtonClicked(ControlId button);
    void TextBoxClicked(ControlId textBox);

private:
    // Runs the calculator of the group whose button this is and writes its result box.
    void Compute(ControlId button);
    void Empty(ControlId box);

    Window& window_;
};

}  // namespace kalvet
