// Start-up measurement, compiled only into the timed builds of the desktop programs
// (kalvet-timed, built with the tests or benchmarks and never shipped): bench/startup.sh times
// the start with it, and the Qt tests see the program paint its window. When a script sets
// KALVET_BENCH_T0 (nanoseconds since the epoch, read just before it starts the program) and
// KALVET_BENCH_OUT (a file to append to), a front end calls RecordFirstPaint() once its window
// has been painted for the first time, then quits. Without both variables nothing is measured
// or written.
#pragma once

namespace kalvet {

bool StartupProbeActive();

// Appends the milliseconds from KALVET_BENCH_T0 to now as one line to KALVET_BENCH_OUT.
void RecordFirstPaint();

}  // namespace kalvet
