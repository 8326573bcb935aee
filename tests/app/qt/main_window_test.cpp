// The Qt window driven as a user drives it: real widgets, real mouse clicks and key presses.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <csignal>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/captions.h"
#include "app/layout.h"
#include "app/qt/main_window.h"
#include "tests/expected.h"

namespace kalvet {
namespace {

// A test that waits for something that never comes must fail, not hold up the whole run.
constexpr unsigned kGiveUpSeconds = 120;

extern "C" void GiveUp(int) {
    static const char message[] = "qt_test: still running after the time limit; giving up\n";
    (void)!write(STDERR_FILENO, message, sizeof message - 1);
    _exit(1);
}

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        std::signal(SIGALRM, GiveUp);
        alarm(kGiveUpSeconds);
        app_ = std::make_unique<QApplication>(argc_, argv_);
        qt::PrepareApplication();
    }
    void TearDown() override {
        app_.reset();
        alarm(0);
    }

private:
    int argc_ = 1;
    char name_[8] = "qt_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) { return text.toUtf8().toStdString(); }

QRect Pixels(const TwipsRect& r) {
    return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
            TwipsToPixels(r.height)};
}

class QtWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << "the window never became active";
    }

    template <class W = QWidget>
    W* Control(ControlId id) {
        return window.findChild<W*>(Q(ControlLayout(id).name));
    }

    qt::MainWindow window;
};

TEST_F(QtWindowTest, EveryControlIsBuiltFromTheLayoutData) {
    const WindowLayout& layout = Window1Layout();
    EXPECT_EQ(window.size(), QSize(expected::kClientPixels[0], expected::kClientPixels[1]));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window must not be resizable";
    EXPECT_EQ(S(window.windowTitle()), layout.caption);

    for (const ControlItem& c : Controls()) {
        SCOPED_TRACE(std::string(c.name));
        QWidget* w = Control(c.id);
        ASSERT_NE(w, nullptr) << "no widget named " << c.name;
        QWidget* expectedParent = c.frame == ControlId::None ? &window : Control(c.frame);
        EXPECT_EQ(w->parentWidget(), expectedParent);
        EXPECT_EQ(w->geometry(), Pixels(c.rect));
        EXPECT_TRUE(w->isVisible());
        // Only the group-box captions are bold; the boxes themselves keep the regular font,
        // so nothing inside them takes the bold over.
        EXPECT_FALSE(w->font().bold());
        EXPECT_FALSE(w->font().italic());
        EXPECT_EQ(w->font().families().value(0), Q(layout.font.face));
        if (c.kind == ControlKind::Frame) {
            auto* frame = dynamic_cast<qt::GroupBox*>(w);
            ASSERT_NE(frame, nullptr);
            EXPECT_TRUE(frame->CaptionFont().bold());
            EXPECT_EQ(frame->CaptionFont().families().value(0), Q(layout.frameFont.face));
        }

        QString shown;
        switch (c.kind) {
            case ControlKind::Frame:
                ASSERT_NE(qobject_cast<QGroupBox*>(w), nullptr);
                shown = qobject_cast<QGroupBox*>(w)->title();
                break;
            case ControlKind::Label:
                ASSERT_NE(qobject_cast<QLabel*>(w), nullptr);
                shown = qobject_cast<QLabel*>(w)->text();
                // At the top of its room, as a native label: a tall row label lines up with
                // the short one beside the same box.
                EXPECT_EQ(qobject_cast<QLabel*>(w)->alignment(), Qt::AlignLeft | Qt::AlignTop);
                break;
            case ControlKind::TextBox:
                ASSERT_NE(qobject_cast<QLineEdit*>(w), nullptr);
                shown = qobject_cast<QLineEdit*>(w)->text();
                EXPECT_FALSE(qobject_cast<QLineEdit*>(w)->isReadOnly());
                break;
            case ControlKind::ComboBox:
                ASSERT_NE(qobject_cast<QComboBox*>(w), nullptr);
                break;
            case ControlKind::Button:
                ASSERT_NE(qobject_cast<QPushButton*>(w), nullptr);
                shown = qobject_cast<QPushButton*>(w)->text();
                break;
        }
        EXPECT_EQ(S(shown), c.text);

        const bool named = c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
                           c.kind == ControlKind::Button;
        EXPECT_EQ(S(w->accessibleName()), named ? AccessibleName(c.id) : std::string());
        // Labels lie beneath the boxes, lists and buttons beside them: several reach into one.
        if (c.kind == ControlKind::Label) {
            const QObjectList siblings = w->parentWidget()->children();
            for (QObject* other : siblings) {
                if (other->isWidgetType() && qobject_cast<QLabel*>(other) == nullptr) {
                    EXPECT_LT(siblings.indexOf(w), siblings.indexOf(other)) << "drawn over " << S(other->objectName());
                }
            }
        }
    }

    // Nothing built twice or left over.
    EXPECT_EQ(window.findChildren<QGroupBox*>().size(), 8);
    EXPECT_EQ(window.findChildren<QLabel*>().size(), 43);
    EXPECT_EQ(window.findChildren<QLineEdit*>().size(), 20);
    EXPECT_EQ(window.findChildren<QComboBox*>().size(), 4);
    EXPECT_EQ(window.findChildren<QPushButton*>().size(), 7);
}

TEST_F(QtWindowTest, MouseClickEmptiesTheTwelveInputBoxesAndNoOther) {
    const auto& inputs = expected::kClickEmpties;
    int boxes = 0;
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::TextBox) continue;
        ++boxes;
        auto* box = Control<QLineEdit>(c.id);
        ASSERT_NE(box, nullptr) << c.name;
        const bool input = std::find(std::begin(inputs), std::end(inputs), c.id) != std::end(inputs);
        const QString initial = box->text();  // "请输入长度", "7.85" or ""

        // A click clears the initial text, then a typed value: every time, whatever it holds.
        for (const QString& held : {initial, QStringLiteral("1500")}) {
            box->setText(held);
            box->setCursorPosition(0);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
            EXPECT_EQ(box->text(), input ? QString() : held)
                << c.name << (input ? " must be emptied by a click" : " must keep its text");
            // The box handles the press itself too: the caret goes where it was clicked, at the
            // end of the text.
            EXPECT_EQ(box->cursorPosition(), box->text().size()) << c.name;
        }
        EXPECT_EQ(window.focusWidget(), box) << c.name << " did not take the focus on a click";
    }
    EXPECT_EQ(boxes, 20);
}

TEST_F(QtWindowTest, TabVisitsTheFocusOrderAndClearsNothing) {
    EXPECT_EQ(QApplication::focusWidget(), Control(ControlId::Combo1))
        << "the channel list must have the focus when the window opens";

    // Every box holds its own name, so any box emptied or overwritten on the way shows up.
    std::vector<QLineEdit*> boxes;
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::TextBox) continue;
        boxes.push_back(Control<QLineEdit>(c.id));
        ASSERT_NE(boxes.back(), nullptr) << c.name;
        boxes.back()->setText(Q(c.name));
    }

    const auto order = TabOrder();
    for (std::size_t i = 1; i <= order.size(); ++i) {
        QWidget* from = QApplication::focusWidget();
        ASSERT_NE(from, nullptr);
        QTest::keyClick(from, Qt::Key_Tab);
        const ControlId expected = order[i % order.size()];  // and round to the start
        ASSERT_EQ(QApplication::focusWidget(), Control(expected))
            << "Tab from " << S(from->objectName()) << " went to "
            << (QApplication::focusWidget() ? S(QApplication::focusWidget()->objectName())
                                            : std::string("nowhere"))
            << ", not " << ControlLayout(expected).name;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), Control(order.back())) << "Shift+Tab goes back";

    for (QLineEdit* box : boxes) EXPECT_EQ(box->text(), box->objectName());
}

TEST_F(QtWindowTest, ListsShowThePromptFirstAndTakeNoTyping) {
    for (const auto& l : expected::kFamilies) {
        auto* list = Control<QComboBox>(l.list);
        ASSERT_NE(list, nullptr) << ControlLayout(l.list).name;
        SCOPED_TRACE(std::string(ControlLayout(l.list).name));
        EXPECT_EQ(list->count(), static_cast<int>(l.entries)) << "start-up must fill each list once";
        EXPECT_EQ(S(list->itemText(0)), expected::kPrompt);
        EXPECT_EQ(S(list->itemText(1)), l.first);
        EXPECT_EQ(S(list->itemText(list->count() - 1)), l.last);
        EXPECT_EQ(list->currentIndex(), 0);
        EXPECT_EQ(S(list->currentText()), expected::kPrompt);

        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->lineEdit(), nullptr);
        list->setFocus();
        QTest::keyClicks(list, QStringLiteral("xyz99"));
        EXPECT_EQ(list->count(), static_cast<int>(l.entries)) << "typing must not add an entry";
        EXPECT_NE(list->findText(list->currentText()), -1) << "shows only its own entries";
    }
}

// Picks an entry the way a keyboard user does: Down until the list shows it.
bool ChooseWithKeys(QComboBox* list, const QString& entry) {
    list->setFocus();
    for (int i = 0; i < list->count() && list->currentText() != entry; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
    return list->currentText() == entry;
}

// Typed key by key, as on a keyboard; text beyond Latin-1 arrives as an input method commits
// it, in one piece.
void Type(QLineEdit* box, const QString& text) {
    bool latin1 = true;
    for (QChar ch : text) latin1 = latin1 && ch.unicode() < 0x100;
    if (latin1) {
        QTest::keyClicks(box, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

// One road per worked example, so each button is proven wired to its own group: a click in each
// box, then its text typed (over what a click leaves in it), the list chosen by keys, a press.
TEST(QtWindowRoads, ClickTypeChoosePressRead) {
    for (const expected::Road& r : expected::kRoads) {
        SCOPED_TRACE(std::string(r.probe));
        qt::MainWindow window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const auto control = [&window](ControlId id) {
            return window.findChild<QWidget*>(Q(ControlLayout(id).name));
        };

        for (const auto& [id, text] : r.typed) {
            if (id == ControlId::None) break;
            auto* box = qobject_cast<QLineEdit*>(control(id));
            ASSERT_NE(box, nullptr) << ControlLayout(id).name;
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
            Type(box, Q(text));
            ASSERT_EQ(S(box->text()), text) << ControlLayout(id).name;
        }
        if (r.list != ControlId::None) {
            ASSERT_TRUE(ChooseWithKeys(qobject_cast<QComboBox*>(control(r.list)), Q(r.entry)));
        }
        QTest::mouseClick(control(r.button), Qt::LeftButton);
        EXPECT_EQ(S(qobject_cast<QLineEdit*>(control(r.result))->text()), r.shown);

        // The press wrote its own result box and no other.
        for (const ControlItem& c : Controls()) {
            if (c.kind != ControlKind::TextBox || c.id == r.result) continue;
            bool typedHere = false;
            for (const auto& t : r.typed) typedHere = typedHere || t.box == c.id;
            if (typedHere) continue;
            EXPECT_EQ(S(qobject_cast<QLineEdit*>(control(c.id))->text()), c.text) << c.name;
        }
    }
}

// The captions are sized for SimSun, 14 pixels high with half-width Latin letters. A system
// without it or its stand-in gives another face, often a wider one ("mm" 27 pixels wide in a
// 17-pixel label): there the captions that would be cut, and only they, are drawn smaller.
// The test runs twice, once as the machine is and once with fontconfig offering DejaVu alone.
TEST_F(QtWindowTest, EveryCaptionFitsItsControlInTheFaceReallyUsed) {
    const FontChoice& font = Window1Layout().font;
    const QString used = QFontInfo(window.font()).family();
    const bool songFace = used == Q(font.face) || used == Q(font.fallbackFace);
    int shrunk = 0;
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Label && c.kind != ControlKind::Frame &&
            c.kind != ControlKind::Button) {
            continue;
        }
        SCOPED_TRACE(std::string(c.name));
        QWidget* w = Control(c.id);
        ASSERT_NE(w, nullptr);
        const auto* frame = dynamic_cast<const qt::GroupBox*>(w);
        const QFont drawnIn = frame != nullptr ? frame->CaptionFont() : w->font();
        const int size = QFontInfo(drawnIn).pixelSize();
        const int advance = QFontMetrics(drawnIn).horizontalAdvance(Q(c.text));
        const int room = CaptionRoom(c);
        ASSERT_GT(room, 0);
        EXPECT_GE(size, kMinCaptionPixels);
        if (size > kMinCaptionPixels) {
            EXPECT_LE(advance, room) << "\"" << c.text << "\" is cut off in " << S(used);
        }
        if (size < 14) {
            ++shrunk;
            // Shrunk no further than needed: one pixel more would not fit.
            QFont larger = drawnIn;
            larger.setPixelSize(size + 1);
            EXPECT_GT(QFontMetrics(larger).horizontalAdvance(Q(c.text)), room);
        }
        if (songFace) {
            EXPECT_EQ(size, 14) << "with the Song face no caption changes";
            EXPECT_FALSE(w->testAttribute(Qt::WA_SetFont)) << "with the Song face no font is set";
        }
    }
    if (songFace) {
        const QFontMetrics fm(window.font());
        EXPECT_EQ(fm.horizontalAdvance(QStringLiteral("m")) * 2,
                  fm.horizontalAdvance(QStringLiteral("长")))
            << "Latin letters should be half as wide as Chinese characters";
    } else {
        // A run in a wide face that shrank nothing did not test the fitting at all.
        EXPECT_GT(shrunk, 0) << S(used) << " should be too wide for some captions";
    }
    std::printf("captions in %s: %d of them drawn smaller\n", qPrintable(used), shrunk);
}

// A group box's etched line runs along its top through the middle of the caption's line, and
// stops on either side of the caption, which stands on the window's own ground.
TEST_F(QtWindowTest, GroupBoxCaptionsInterruptTheirLine) {
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Frame) continue;
        SCOPED_TRACE(std::string(c.name));
        auto* frame = Control<qt::GroupBox>(c.id);
        const QImage shot = frame->grab().toImage();
        const QFontMetrics metrics(frame->CaptionFont());
        const int line = metrics.height() / 2;
        const QColor ground = frame->palette().color(QPalette::Window);
        const int captionEnd = TwipsToPixels(kCaptionIndentTwips) + 2 * TwipsToPixels(kCaptionGapTwips) +
                               metrics.horizontalAdvance(Q(c.text));
        EXPECT_NE(shot.pixelColor(2, line), ground) << "no line left of the caption";
        EXPECT_EQ(shot.pixelColor(2, line + 1), frame->palette().color(QPalette::Light)) << "the line's light half";
        EXPECT_NE(shot.pixelColor(shot.width() - 3, line), ground) << "no line right of the caption";
        EXPECT_NE(shot.pixelColor(captionEnd + 1, line), ground) << "no line just after the caption";
        for (const int x : {TwipsToPixels(kCaptionIndentTwips), captionEnd - 1}) {
            EXPECT_EQ(shot.pixelColor(x, line), ground) << "the line runs into the caption at x = " << x;
        }
    }
}

// Points across a control: each corner, one pixel in from each corner, and the centre.
std::vector<QPoint> PointsAcross(const QWidget* w) {
    const int r = w->width() - 1;
    const int b = w->height() - 1;
    return {{0, 0}, {r, 0}, {0, b}, {r, b}, {1, 1}, {r - 1, 1}, {1, b - 1}, {r - 1, b - 1},
            {r / 2, b / 2}};
}

TEST_F(QtWindowTest, AMousePressAnywhereOnABoxListOrButtonReachesIt) {
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::TextBox && c.kind != ControlKind::ComboBox &&
            c.kind != ControlKind::Button) {
            continue;
        }
        QWidget* w = Control(c.id);
        ASSERT_NE(w, nullptr) << c.name;
        for (const QPoint& p : PointsAcross(w)) {
            QWidget* hit = window.childAt(w->mapTo(&window, p));
            EXPECT_TRUE(hit == w || (hit != nullptr && w->isAncestorOf(hit)))
                << "a press at (" << p.x() << "," << p.y() << ") of " << c.name << " reaches "
                << (hit != nullptr ? S(hit->objectName()) : std::string("nothing"));
        }
    }

    // Through the window as the display delivers it: the bottom-left pixel of each designation
    // list of the two groups whose "型号" label reaches nine pixels into it opens the list.
    for (const ControlId id : {ControlId::Combo2, ControlId::Combo4}) {
        auto* list = Control<QComboBox>(id);
        const QPoint p = list->mapTo(&window, QPoint(1, list->height() - 2));
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, p);
        EXPECT_TRUE(list->view()->isVisible()) << ControlLayout(id).name << " did not open";
        list->hidePopup();
    }
    // And the leftmost column of an input box, under the end of its row label, empties it.
    auto* box = Control<QLineEdit>(ControlId::Text3);
    box->setText(QStringLiteral("1500"));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, box->mapTo(&window, QPoint(0, box->height() - 1)));
    EXPECT_EQ(box->text(), QString()) << "the press went elsewhere";
}

TEST_F(QtWindowTest, ALongResultShowsFromItsFirstDigit) {
    for (const auto& [box, text] : {std::pair{ControlId::Text13, "60"}, {ControlId::Text14, "3.5"}, {ControlId::Text15, "6000"}}) {
        Control<QLineEdit>(box)->setText(QString::fromUtf8(text));
    }
    QTest::mouseClick(Control(ControlId::Command6), Qt::LeftButton);
    auto* result = Control<QLineEdit>(ControlId::Text16);
    ASSERT_EQ(result->text(), QStringLiteral("29.26094094"));
    ASSERT_GT(result->fontMetrics().horizontalAdvance(result->text()), result->width())
        << "the example should be wider than its box";
    EXPECT_EQ(result->cursorPosition(), 0);

    // What is painted: the left third of the box is what a box holding only the first digits
    // shows there (a box scrolled to the end would start with "9.26").
    QLineEdit reference(result->parentWidget());
    reference.setGeometry(result->geometry());
    reference.setText(QStringLiteral("29.26"));
    reference.setCursorPosition(0);
    const QRect left(0, 0, result->width() / 3, result->height());
    EXPECT_EQ(result->grab(left).toImage(), reference.grab(left).toImage());

    // Typing still behaves as Qt does: the cursor follows what is typed.
    result->setFocus();
    result->end(false);
    QTest::keyClicks(result, QStringLiteral("5"));
    EXPECT_EQ(result->cursorPosition(), result->text().size());
}

TEST_F(QtWindowTest, EnterOnAFocusedComputeButtonPressesItOnce) {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    const auto presses = [&spies] {
        qsizetype all = 0;
        for (const auto& spy : spies) all += spy->count();
        return all;
    };
    for (const ControlItem& c : Controls()) {
        if (c.kind == ControlKind::Button) {
            spies.push_back(std::make_unique<QSignalSpy>(Control<QPushButton>(c.id), &QPushButton::clicked));
        }
    }
    ASSERT_EQ(spies.size(), 7u);

    // Enter elsewhere does what it always did: nothing.
    for (const ControlId id : {ControlId::Text1, ControlId::Combo1, ControlId::Text12}) {
        Control(id)->setFocus();
        QTest::keyClick(Control(id), Qt::Key_Return);
        QTest::keyClick(Control(id), Qt::Key_Enter, Qt::KeypadModifier);
    }
    EXPECT_EQ(presses(), 0);
    EXPECT_EQ(Control<QLineEdit>(ControlId::Text2)->text(), QString());

    std::size_t i = 0;
    qsizetype expected = 0;
    for (const ControlItem& c : Controls()) {
        if (c.kind != ControlKind::Button) continue;
        SCOPED_TRACE(std::string(c.name));
        QSignalSpy& spy = *spies[i++];
        QWidget* button = Control(c.id);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_EQ(spy.count(), 1) << "Enter";
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(spy.count(), 2) << "the keypad's Enter";
        // Held down: the key repeats, but it is still one press.
        QTest::keyPress(button, Qt::Key_Return);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(button, &repeat);
        QTest::keyRelease(button, Qt::Key_Return);
        EXPECT_EQ(spy.count(), 3) << "a held Enter";
        QTest::keyClick(button, Qt::Key_Space);
        EXPECT_EQ(spy.count(), 4) << "Space, as ever";
        QTest::keyClick(button, Qt::Key_5);
        EXPECT_EQ(spy.count(), 4) << "another key presses nothing";
        expected += 4;
        EXPECT_EQ(presses(), expected) << "only the focused button is pressed";
    }
    // The press ran the calculator: the channel group's length still holds its prompt.
    EXPECT_EQ(S(Control<QLineEdit>(ControlId::Text2)->text()), expected::kSectionMessage);
}

TEST_F(QtWindowTest, AScreenReaderHearsEveryControlByGroupAndRow) {
    for (const ControlId id : TabOrder()) {
        const ControlItem& c = ControlLayout(id);
        SCOPED_TRACE(std::string(c.name));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Control(id));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(S(a->text(QAccessible::Name)), AccessibleName(id));
        switch (c.kind) {
            case ControlKind::ComboBox:
                EXPECT_EQ(a->role(), QAccessible::ComboBox);
                EXPECT_EQ(S(a->text(QAccessible::Value)), expected::kPrompt) << "the entry it shows";
                break;
            case ControlKind::TextBox:
                EXPECT_EQ(a->role(), QAccessible::EditableText);
                break;
            case ControlKind::Button:
                EXPECT_EQ(a->role(), QAccessible::Button);
                EXPECT_EQ(S(qobject_cast<QPushButton*>(Control(id))->text()), c.text)
                    << "the visible caption stays";
                break;
            default:
                ADD_FAILURE() << "takes the focus but is no box, list or button";
        }
        if (c.rowLabel != ControlId::None) {
            EXPECT_EQ(Control<QLabel>(c.rowLabel)->buddy(), Control(id));
        }
    }
    EXPECT_EQ(TabOrder().size(), 31u);
}

TEST_F(QtWindowTest, ScreenshotOfTheWholeWindow) {
    const QPixmap shot = window.grab();
    EXPECT_EQ(shot.size(), QSize(expected::kClientPixels[0], expected::kClientPixels[1]) * shot.devicePixelRatio());
    const QString name = qEnvironmentVariable("KALVET_SCREENSHOT_NAME", QStringLiteral("kalvet-qt.png"));
    const QString path = QStringLiteral(KALVET_SCREENSHOT_DIR "/") + name;
    EXPECT_TRUE(shot.save(path)) << "cannot write " << S(path);
}

// The shown window carries the program's icon, at every size the desktop asks for, each the
// very picture installed for the menu entry. A picture must be the drawing on a transparent
// ground: a renderer that gives a blank square or fills the background fails here.
// The icon follows the window's first paint, so it is waited for.
TEST_F(QtWindowTest, ShowsTheProgramIconAtEverySize) {
    ASSERT_NE(window.windowHandle(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window.windowHandle()->icon().isNull(); }))
        << "the window has no icon";
    const QIcon icon = window.windowHandle()->icon();
    const QList<QSize> offered = icon.availableSizes();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(offered.contains(QSize(size, size))) << "no picture of this size";
        const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(shown.size(), QSize(size, size));
        const QString path = QStringLiteral(KALVET_ICON_DIR "/%1x%1/kalvet.png").arg(size);
        const QImage installed = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(installed.isNull()) << "cannot read " << S(path);
        EXPECT_TRUE(shown == installed) << "not the picture installed as " << S(path);

        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) opaque += qAlpha(shown.pixel(x, y)) == 255 ? 1 : 0;
        }
        EXPECT_EQ(qAlpha(shown.pixel(size - 1, 0)), 0) << "the top right corner must be clear";
        EXPECT_GT(opaque, size * size / 5) << "too little is drawn";
        EXPECT_LT(opaque, size * size * 9 / 10) << "the ground is not transparent";
    }
}

// The program as it is started: with nowhere to show its window it explains itself and exits
// with 1, instead of aborting with Qt's plugin message and a core dump; with a display, or Qt's
// own platform chosen in the environment or on the command line, it opens and paints its window.
// Where it paints, its timed build (the same main with the start-up probe) notes the time of
// its first paint and quits, so a program that never paints, or crashes on the way, fails here.
TEST(QtProgram, StartsWhereverItHasADisplayAndOtherwiseSaysHowToRunIt) {
    const struct {
        const char* probe;
        const char* display;   // nullptr: unset
        const char* platform;  // QT_QPA_PLATFORM; nullptr: unset
        QStringList arguments;
        bool paints;
        bool oneLine;  // of explanation, where it does not paint; Qt may add its own
    } cases[] = {
        {"no display at all", nullptr, nullptr, {}, false, true},
        {"a display nobody answers", ":187", nullptr, {}, false, false},
        {"an argument that chooses no platform", nullptr, nullptr, {"-style", "Fusion"}, false, true},
        {"Qt's platform in the environment", nullptr, "offscreen", {}, true, false},
        {"Qt's -platform argument", nullptr, nullptr, {"-platform", "offscreen"}, true, false},
        {"Qt's --platform argument", nullptr, nullptr, {"--platform", "offscreen"}, true, false},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.probe);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString out = dir.filePath(QStringLiteral("first-paint.ms"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
        if (t.display != nullptr) env.insert(QStringLiteral("DISPLAY"), t.display);
        if (t.platform != nullptr) env.insert(QStringLiteral("QT_QPA_PLATFORM"), t.platform);
        env.insert(QStringLiteral("KALVET_BENCH_T0"), QString::number(QDateTime::currentMSecsSinceEpoch() * 1000000));
        env.insert(QStringLiteral("KALVET_BENCH_OUT"), out);

        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QString::fromUtf8(t.paints ? KALVET_TIMED_PROGRAM : KALVET_PROGRAM), t.arguments);
        ASSERT_TRUE(program.waitForFinished(20000)) << "the program did not end";
        const QString err = QString::fromUtf8(program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << S(err);
        EXPECT_EQ(program.exitCode(), t.paints ? 0 : 1) << S(err);
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
        QFile written(out);
        if (!t.paints) {
            EXPECT_TRUE(err.contains(QStringLiteral("xvfb-run -a " KALVET_PROGRAM))) << S(err);
            if (t.oneLine) {
                EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << S(err);
            }
            EXPECT_FALSE(written.exists()) << "a window that cannot open was painted";
            continue;
        }
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << "no first paint was recorded; " << S(err);
        const QList<QByteArray> lines = written.readAll().split('\n');
        ASSERT_EQ(lines.size(), 2) << "one line, then the end";
        bool isNumber = false;
        EXPECT_GT(lines[0].toDouble(&isNumber), 0.0);
        EXPECT_TRUE(isNumber) << lines[0].toStdString();
    }
}

// Under a dark palette, as a dark desktop theme gives it to the program, no text has the colour
// of its ground: drawn alone, each caption, label, box with text, list and button has a pixel
// that stands out from its commonest colour, the ground, 4.5 to 1 at least, and a group box's
// line 3 to 1. The window is left to look at as kalvet-qt-dark.png.
TEST(QtWindowDark, NoTextOrGroupLineHasTheColourOfItsGround) {
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32)));
    const auto luminance = [](QRgb c) {
        double sum = 0;
        for (const auto& [v, k] :
             {std::pair{qRed(c), 0.2126}, std::pair{qGreen(c), 0.7152}, std::pair{qBlue(c), 0.0722}}) {
            const double s = v / 255.0;
            sum += k * (s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const auto standsOut = [&](const QImage& shot) {
        std::map<QRgb, int> count;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) ++count[shot.pixel(x, y)];
        }
        const auto commonest = [](const auto& a, const auto& b) { return a.second < b.second; };
        const double ground = luminance(std::max_element(count.begin(), count.end(), commonest)->first);
        double most = 1;
        for (const auto& [colour, n] : count) {
            const auto [lo, hi] = std::minmax({luminance(colour), ground});
            most = std::max(most, (hi + 0.05) / (lo + 0.05));
        }
        return most;
    };
    {
        qt::MainWindow window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(window.grab().save(QStringLiteral(KALVET_SCREENSHOT_DIR "/kalvet-qt-dark.png")));
        for (const ControlItem& c : Controls()) {
            auto* w = window.findChild<QWidget*>(Q(c.name));
            const auto* box = qobject_cast<QLineEdit*>(w);
            if (box != nullptr && box->text().isEmpty()) continue;
            SCOPED_TRACE(std::string(c.name));
            if (const auto* frame = dynamic_cast<qt::GroupBox*>(w)) {
                // The caption where it breaks the line, and the line at the left edge below it.
                const QFontMetrics metrics(frame->CaptionFont());
                const int width = metrics.horizontalAdvance(frame->title()) + 2 * TwipsToPixels(kCaptionGapTwips);
                const QRect caption(TwipsToPixels(kCaptionIndentTwips), 0, width, metrics.height());
                const QRect edge(0, caption.bottom(), 8, w->height() - caption.bottom());
                EXPECT_GE(standsOut(w->grab(caption).toImage()), 4.5) << "caption";
                EXPECT_GE(standsOut(w->grab(edge).toImage()), 3.0) << "line";
            } else {
                EXPECT_GE(standsOut(w->grab().toImage()), 4.5);
            }
        }
    }
    QApplication::setPalette(desktop);
}

}  // namespace
}  // namespace kalvet
