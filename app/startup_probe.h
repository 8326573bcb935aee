// Start-up measurement, in the shipped desktop programs: bench/startup.sh times the start with
// it, and the package check sees the installed program paint its window. When a script sets
// KALVET_BENCH_T0 (nanoseconds since the epoch, read just before it starts the program) and
// KALVET_BENCH_OUT (a file to append to), a front end calls RecordFirstPaint() once its window
// has been painted for the first time, then quits. Without both variables nothing is measured
// or written, so the program stays one that writes nothing anywhere.
#pragma once

namespace kalvet {

bool StartupProbeActive();

// Appends the milliseconds from KALVET_BENCH_T0 to now as one line to KALVET_BENCH_OUT.
void RecordFirstPaint();

}  // namespace kalvet
