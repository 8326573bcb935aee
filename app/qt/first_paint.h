// The start-up benchmark's view of a Qt window (see app/startup_probe.h).
#pragma once

class QWidget;

namespace kalvet::qt {

// When the start-up probe is active, records the moment `window` has been painted for the
// first time and then quits the application, once the work its first paint queued is done.
// Does nothing otherwise. The probe watches through an event filter, which sees the paint
// before the window's own paintEvent does, so the time is taken before that work runs.
void WatchFirstPaint(QWidget& window);

}  // namespace kalvet::qt
