#include "app/qt/main_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <qdrawutil.h>
#include <functional>
#include <utility>

#include "app/captions.h"
#include "app/qt/program_icon.h"

namespace kalvet::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

QRect ToPixels(const TwipsRect& r) {
    return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
            TwipsToPixels(r.height)};
}

// A text box that reports a click of the primary mouse button. Only the mouse counts: a box
// entered with Tab or given the focus any other way keeps what it holds.
class TextBox final : public QLineEdit {
    Q_OBJECT

public:
    TextBox(QWidget* parent, std::function<void()> onClick)
        : QLineEdit(parent), onClick_(std::move(onClick)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        // Emptied before the box handles the press, so the caret lands in the emptied text.
        if (event->button() == Qt::LeftButton) onClick_();
        QLineEdit::mousePressEvent(event);
    }

private:
    std::function<void()> onClick_;
};

// A compute button that Enter presses as well as Space, as a focused push button is pressed on
// Windows: a keyboard user tabs to it and presses Enter. Once per key press, as a click.
class ComputeButton final : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (enter && modifiers == Qt::NoModifier) {
            if (!event->isAutoRepeat()) click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// A designation list as a screen reader hears it: its name is its group and row ("槽钢 型号"),
// its value the entry it shows. Qt's own interface for lists names them, on Linux, by the
// entry shown, so that all four would be heard as "请选择型号".
class ListAccessible final : public QAccessibleWidget {
public:
    explicit ListAccessible(QWidget* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->accessibleName();
        if (t == QAccessible::Value) return static_cast<const QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* MakeListAccessible(const QString& className, QObject* object) {
    // Only the window's own lists: they carry a name of their own, set from the layout.
    if (className != QLatin1String("QComboBox") || !object->isWidgetType()) return nullptr;
    auto* list = static_cast<QWidget*>(object);
    if (list->accessibleName().isEmpty() || list->objectName().isEmpty()) return nullptr;
    return new ListAccessible(list);
}

}  // namespace

// The size goes in pixels through the same twips-to-pixel rule as the control rectangles
// (a point is 20 twips): set in points, the text would grow on a 120-dpi desktop while the
// boxes around it stay put, and "mm" would no longer fit its label.
QFont MakeFont(const FontChoice& wanted) {
    QFont font;
    // The second face stands in where SimSun is missing, as on most Linux desktops. Qt picks
    // glyphs by script, so the Windows character set number has no part here.
    font.setFamilies({FromUtf8(wanted.face), FromUtf8(wanted.fallbackFace)});
    font.setPixelSize(FontPixels(wanted));
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    // Unhinted outlines. With the desktop's usual slight hinting, FreeType's auto-hinter first
    // scans the whole CJK face and then fits every glyph on its first use, all of it before
    // the window can paint, for every glyph of the window in both weights. At 14 pixels the
    // text looks the same either way.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

GroupBox::GroupBox(const QString& title, const QFont& captionFont, QWidget* parent)
    : QGroupBox(title, parent), captionFont_(captionFont) {}

void GroupBox::SetCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void GroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(captionFont_);
    const QFontMetrics metrics(captionFont_);

    // An etched line, like the classic Windows group box; the style's own group-box frame
    // would add its caption margin on top of ours. A dark palette's light shade is hardly
    // lighter than its window (1.7 to 1 in the palette Qt makes from a dark button colour),
    // and the line would all but vanish: there its light half goes halfway to the text.
    QPalette shades = palette();
    const QColor window = shades.color(QPalette::Window);
    const QColor text = shades.color(QPalette::WindowText);
    if (window.lightness() < text.lightness()) {
        shades.setColor(QPalette::Light,
                        QColor((window.red() + text.red()) / 2, (window.green() + text.green()) / 2,
                               (window.blue() + text.blue()) / 2));
    }
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), shades,
                   /*sunken=*/true);

    const QRect caption(TwipsToPixels(kCaptionIndentTwips), 0,
                        metrics.horizontalAdvance(title()) + 2 * TwipsToPixels(kCaptionGapTwips),
                        metrics.height());
    painter.fillRect(caption, palette().window());
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

void PrepareApplication() {
    // The layout gives every control its size to the pixel, sized for compact classic
    // controls. Desktop styles that pad their boxes more (Breeze, for one) would cut the text
    // of 19-pixel boxes; Fusion draws the same everywhere and fits.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // A line edit lays out its text once in the application's font, before it takes its
    // parent's. With Qt's default font there, the first box loaded a face that nothing is
    // drawn in (DejaVu Sans, here); with the window's own, that face is already in.
    QApplication::setFont(MakeFont(Window1Layout().font));
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvet"));
    QAccessible::installFactory(MakeListAccessible);
}

MainWindow::MainWindow() {
    const WindowLayout& layout = Window1Layout();
    const QFont regular = MakeFont(layout.font);
    const QFont bold = MakeFont(layout.frameFont);

    setWindowTitle(FromUtf8(layout.caption));
    // Every control inherits this; only the group-box captions draw in another font.
    setFont(regular);
    setFixedSize(TwipsToPixels(layout.clientWidthTwips), TwipsToPixels(layout.clientHeightTwips));

    // Group boxes first, so each control finds its parent whatever the table's order.
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Frame) continue;
        auto* frame = new GroupBox(FromUtf8(c.text), bold, this);
        frame->setObjectName(FromUtf8(c.name));
        controls_[Index(c.id)] = frame;
    }
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Frame) continue;
        QWidget* parent = Control(c.frame);
        QWidget* made = nullptr;
        switch (c.kind) {
            case ControlKind::Label: {
                auto* label = new QLabel(FromUtf8(c.text), parent);
                label->setTextFormat(Qt::PlainText);
                // Where a native static control puts its text; the taller row labels then
                // line up with the short ones beside the same box.
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                // Several labels reach into the box beside them (the "型号" labels of two
                // groups by nine pixels): a press there belongs to the box.
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                made = label;
                break;
            }
            case ControlKind::TextBox: {
                const ControlId id = c.id;
                auto* box = new TextBox(parent, [this, id] { form_.TextBoxClicked(id); });
                box->setText(FromUtf8(c.text));
                made = box;
                break;
            }
            case ControlKind::ComboBox: {
                auto* list = new QComboBox(parent);
                list->setEditable(false);  // the user picks an entry, never types one
                made = list;
                break;
            }
            case ControlKind::Button: {
                auto* button = new ComputeButton(FromUtf8(c.text), parent);
                const ControlId id = c.id;
                QObject::connect(button, &QPushButton::clicked, this,
                                 [this, id] { form_.ButtonClicked(id); });
                made = button;
                break;
            }
            case ControlKind::Frame:
                break;
        }
        made->setObjectName(FromUtf8(c.name));
        if (c.kind != ControlKind::Label) made->setAccessibleName(FromUtf8(AccessibleName(c.id)));
        controls_[Index(c.id)] = made;
    }
    for (const ControlItem& c : Controls()) {
        QWidget* control = Control(c.id);
        control->setGeometry(ToPixels(c.rect));
        // Labels lie beneath the boxes, as in the layout, and name the box of their row.
        if (c.kind == ControlKind::Label) control->lower();
        if (c.rowLabel != ControlId::None) {
            ControlAs<QLabel>(c.rowLabel)->setBuddy(control);
        }
    }
    FitCaptions();

    const auto order = TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(Control(order[i - 1]), Control(order[i]));
    }
    Control(order.front())->setFocus();

    Form1::Form_Load(*this);
}

void MainWindow::FitCaptions() {
    // A caption at another size of its control's font: a group box's own caption font, any
    // other control's widget font.
    const auto fontAt = [this](const ControlItem& c, int pixels) {
        QFont font = c.kind == ControlKind::Frame ? ControlAs<GroupBox>(c.id)->CaptionFont() : Control(c.id)->font();
        font.setPixelSize(pixels);
        return font;
    };
    kalvet::FitCaptions(
        [&](const ControlItem& c, int pixels) {
            return QFontMetrics(fontAt(c, pixels)).horizontalAdvance(FromUtf8(c.text));
        },
        [&](const ControlItem& c, int pixels) {
            if (c.kind == ControlKind::Frame) {
                ControlAs<GroupBox>(c.id)->SetCaptionFont(fontAt(c, pixels));
            } else {
                Control(c.id)->setFont(fontAt(c, pixels));
            }
        });
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (iconRequested_) return;
    iconRequested_ = true;
    // The icon comes once the window is on the screen, not before it: Qt decodes all seven
    // pictures when the icon is made and converts each for the window manager when it is
    // set (the 256-pixel one most of all), work that would otherwise hold back the first
    // paint. Queued, it follows this paint; the title bar shows it a moment after the window.
    // The application's icon, so every window takes it.
    QTimer::singleShot(0, this, [] {
        if (QGuiApplication::windowIcon().isNull()) QGuiApplication::setWindowIcon(ProgramIcon());
    });
}

QWidget* MainWindow::Control(ControlId id) const {
    Q_ASSERT_X(Index(id) < controls_.size(), "MainWindow::Control", "not a control of the window");
    return controls_[Index(id)];
}

template <class W>
W* MainWindow::ControlAs(ControlId id) const {
    auto* control = qobject_cast<W*>(Control(id));
    Q_ASSERT_X(control != nullptr, "MainWindow::ControlAs", "the control is of another kind");
    return control;
}

QLineEdit* MainWindow::Box(ControlId id) const { return ControlAs<QLineEdit>(id); }

QComboBox* MainWindow::List(ControlId id) const { return ControlAs<QComboBox>(id); }

std::string MainWindow::Text(ControlId textBox) const { return ToUtf8(Box(textBox)->text()); }

void MainWindow::SetText(ControlId textBox, std::string_view text) {
    QLineEdit* box = Box(textBox);
    box->setText(FromUtf8(text));
    // setText leaves the cursor at the end, and a result wider than its box would show only
    // its last digits ("9.26094094" of 29.26094094): shown from its start, as a native box
    // shows a text set into it.
    box->setCursorPosition(0);
}

void MainWindow::AddListEntry(ControlId list, std::string_view entry) {
    List(list)->addItem(FromUtf8(entry));
}

void MainWindow::SelectListEntry(ControlId list, int index) { List(list)->setCurrentIndex(index); }

std::string MainWindow::ShownEntry(ControlId list) const {
    const QComboBox* combo = List(list);
    return combo->currentIndex() < 0 ? std::string() : ToUtf8(combo->currentText());
}

}  // namespace kalvet::qt

// The meta-objects of the classes above that live only in this file.
#include "main_window.moc"
