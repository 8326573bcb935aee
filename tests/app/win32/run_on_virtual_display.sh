#!/bin/sh
# Runs a Windows test program under wine with windows that really open: on a virtual X server
# of its own and a wine virtual desktop on it.
#
#   run_on_virtual_display.sh XVFB_RUN PROGRAM
#
# The wine to run (KALVET_WINE), WINEPREFIX and the other wine settings come from the
# environment (scripts/wine-env.sh).
#
# A wine session keeps the display (or the lack of one) of the process that started it, so the
# program waits until the prefix's current session is over and starts a fresh one; and the
# session is wound down before the X server goes, since wine processes that lose their display
# can hang on for good. The virtual desktop spares the two seconds wine otherwise waits, with
# no window manager, for every window it hides. It does not pass the exit code on: the caller
# judges by the program's output.
set -u
xvfb_run=$1
program=$2
wine=${KALVET_WINE:?run this in scripts/wine-env.sh}
# The wineserver on the PATH serves a 32-bit and a 64-bit wine alike.
wineserver=${WINESERVER:-wineserver}

# A crash must end the program, not wait in the debugger.
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
export WINEDLLOVERRIDES

"$wineserver" -w
exec "$xvfb_run" -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" explorer /desktop=kalvet-test,1280x1024 "$3"
  "$2" -w' session "$wine" "$wineserver" "$program"
