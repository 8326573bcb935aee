// The yardstick for Kalvet's start-up on Qt: the smallest program that does what any such
// window must, a fixed 463 × 504 window in the same toolkit whose one Chinese caption makes it
// load the same CJK face. Kalvet's cost above this is what its own controls and lists add.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "app/qt/first_paint.h"
#include "app/qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kalvet::qt::PrepareApplication();  // the same style and settings as Kalvet's window
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kalvet"));
    window.setFixedSize(463, 504);
    window.setFont(kalvet::qt::MakeFont(kalvet::Window1Layout().font));  // Kalvet's regular font
    QLabel caption(QString::fromUtf8("钢材密度取值"), &window);
    caption.move(16, 16);
    kalvet::qt::WatchFirstPaint(window);
    window.show();
    return app.exec();
}
