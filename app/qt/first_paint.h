// The start-up benchmark's view of a Qt window (see app/startup_probe.h).
#pragma once

class QWidget;

namespace kalvet::qt {

// When the start-up probe is active, records the moment `window` has been painted for the
// first time and then quits the application. Does nothing otherwise.
void WatchFirstPaint(QWidget& window);

}  // namespace kalvet::qt
