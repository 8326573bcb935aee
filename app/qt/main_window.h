// The window on Qt 6 Widgets: one widget per row of the layout tables, Form1 behind them.
// This class only translates: texts between UTF-8 and QString, widget signals into Form1's
// routing by ControlId. Every decision about what a click or a press does stays in Form1.
#pragma once

#include <QFont>
#include <QGroupBox>
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

// The Qt font for one of the layout's fonts: its face with the stand-in behind it, its size in
// pixels through the twips rule, its weight.
QFont MakeFont(const FontChoice& wanted);

// A group box whose frame line runs through the middle of its caption, as on Windows. Qt's
// styles put the caption above the frame instead, which brings the top line down onto the
// controls the layout places just under the caption (the density box sits 16 pixels from the
// top of its group).
//
// The caption has a font of its own: the box's widget font, which every control inside it
// inherits, stays the window's regular one. Set on the box, the bold would reach all of them,
// and undoing it control by control costs a font change (and a new text layout) for each.
class GroupBox final : public QGroupBox {
    Q_OBJECT

public:
    GroupBox(const QString& title, const QFont& captionFont, QWidget* parent);
    const QFont& CaptionFont() const { return captionFont_; }
    void SetCaptionFont(const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont captionFont_;
};

class MainWindow final : public QWidget, public Window, public ListFiller {
    Q_OBJECT

public:
    // Builds every control, sets the Tab order and the starting focus, then runs Form_Load.
    // Each control's object name is its name in the layout ("Text12"), so tools and tests can
    // find it.
    MainWindow();

    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, std::string_view text) override;
    std::string ShownEntry(ControlId list) const override;
    void AddListEntry(ControlId list, std::string_view entry) override;
    void SelectListEntry(ControlId list, int index) override;

protected:
    // The first paint also asks for the program's icon (see there).
    void paintEvent(QPaintEvent* event) override;

private:
    // Where a caption does not fit its control in the face the system really gave, that
    // control alone gets a smaller pixel size (captions.h); with the Song face, or its
    // stand-in, nothing changes.
    void FitCaptions();

    // A control by its id, and as the widget class its kind is made of: a wrong id, or a
    // control of another kind, stops a build with assertions at once.
    QWidget* Control(ControlId id) const;
    template <class W>
    W* ControlAs(ControlId id) const;
    QLineEdit* Box(ControlId id) const;
    QComboBox* List(ControlId id) const;

    std::array<QWidget*, kControlCount> controls_{};  // owned by their Qt parents
    bool iconRequested_ = false;
    Form1 form_{*this};
};

}  // namespace kalvet::qt
