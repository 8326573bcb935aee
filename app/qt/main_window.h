// The window on Qt 6 Widgets: one widget per row of the layout tables, Form1 behind them.
// This class only translates: texts between UTF-8 and QString, widget signals into Form1's
// routing by ControlId. Every decision about what a click or a press does stays in Form1.
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/layout.h"
#include "app/window.h"

class QComboBox;
class QLineEdit;

namespace kalvet::qt {

// Application-wide settings the window is drawn for. Call once, after the QApplication exists
// and before the window is made.
void PrepareApplication();

class MainWindow final : public QWidget, public Window {
public:
    // Builds every control, sets the Tab order and the starting focus, then runs Form_Load.
    // Each control's object name is its name in the layout ("Text12"), so tools and tests can
    // find it.
    MainWindow();

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;
    std::string ShownEntry(ControlId list) const override;

private:
    QLineEdit* Box(ControlId id) const;
    QComboBox* List(ControlId id) const;

    std::array<QWidget*, kControlCount> controls_{};  // owned by their Qt parents
    Form1 form_{*this};
};

}  // namespace kalvet::qt
