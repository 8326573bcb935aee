#include "app/qt/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include "app/startup_probe.h"

namespace kalvet::qt {

namespace {

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so the time is taken once this paint and the ones it set off are done.
            // The quit is queued once more: what the window queued on its first paint (its
            // icon) still runs, so the peak memory counts it, as in every real start.
            QTimer::singleShot(0, [] {
                RecordFirstPaint();
                QTimer::singleShot(0, &QCoreApplication::quit);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

void WatchFirstPaint(QWidget& window) {
    if (!StartupProbeActive()) return;
    window.installEventFilter(new FirstPaintFilter(&window));
}

}  // namespace kalvet::qt
