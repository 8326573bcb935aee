#!/usr/bin/env bash
# Start-up time (process start to first painted window) and peak memory of Kalvet against
# baseline programs, run alternately; prints medians and ratios. Kalvet is measured as its
# timed build (kalvet-timed: the program with the start-up probe, app/startup_probe.h), as are
# the baselines.
#
# - Qt on an X server: a window of the same size and toolkit with one Chinese caption.
# - The Windows program under wine: the same-controls baseline, which shows the same 82
#   standard controls with their texts, fonts and filled lists and does nothing else, is the
#   yardstick; the one-caption window is printed too, for what any window at all costs.
#   The 32-bit build (build/win32) is measured where this machine runs 32-bit programs;
#   where it does not, the 64-bit build (build/win64) under wine64. It says which.
#
#   bench/startup.sh [--qt-only | --windows-only] [runs]
#     runs: rounds, default 21. Needs the linux and the win32 or win64 builds; with --qt-only
#     it measures the Qt program alone and needs only the linux build, with --windows-only the
#     Windows program alone, without the linux build.
#
# Last it prints the size of the shipped 32-bit kalvet.exe against its 600 KB target.
# Without a display it starts itself again under xvfb-run.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

qt_only=no windows_only=no
if [ "${1:-}" = --qt-only ]; then qt_only=yes; shift; fi
if [ "${1:-}" = --windows-only ]; then windows_only=yes; shift; fi
runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=xcb

# One run: the program writes the milliseconds from $KALVET_BENCH_T0 to its first paint, then
# quits; GNU time's maximum resident set size is the peak memory. A Windows program reads the
# output path through wine's Z: drive.
run() {
  local name=$1 out=$2; shift 2
  local t0
  t0=$(date +%s%N)
  KALVET_BENCH_T0=$t0 KALVET_BENCH_OUT=$out timeout 60 \
    /usr/bin/time -f %M -a -o "$work/$name.kb" "$@" >/dev/null 2>&1
}

median() { sort -n "$1" | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

# compare LABEL PREFIX LAUNCHER KALVET NAME BASELINE [NAME BASELINE]...
# Runs Kalvet and every baseline once per round, in turn forwards and backwards, so that a
# slow spell of the machine falls on all of them alike; prints each baseline's ratio.
compare() {
  local label=$1 prefix=$2 launcher=$3 kalvet=$4; shift 4
  local names=(kalvet) files=("$kalvet")
  while [ $# -gt 0 ]; do names+=("$1"); files+=("$2"); shift 2; done
  local i f
  for f in "${files[@]}"; do
    [ -e "$f" ] || { echo "$label: $f is not built; skipped"; return 0; }
  done
  # A first run of each warms the disk cache and, under wine, the prefix; it is not counted.
  for f in "${files[@]}"; do run warm "$prefix$work/warm.ms" $launcher "$f"; done
  for i in "${!names[@]}"; do : > "$work/$label-${names[$i]}.ms"; rm -f "$work/$label-${names[$i]}.kb"; done
  local round order
  for round in $(seq "$runs"); do
    order=$(seq 0 $((${#names[@]} - 1)))
    [ $((round % 2)) -eq 1 ] || order=$(seq $((${#names[@]} - 1)) -1 0)
    for i in $order; do
      run "$label-${names[$i]}" "$prefix$work/$label-${names[$i]}.ms" $launcher "${files[$i]}"
    done
  done
  local kt km bt bm
  kt=$(median "$work/$label-kalvet.ms"); km=$(median "$work/$label-kalvet.kb")
  printf '%-6s Kalvet: first paint %8.1f ms, peak memory %8d KiB (%d runs)\n' \
    "$label" "$kt" "$km" "$(wc -l < "$work/$label-kalvet.ms")"
  for i in $(seq 1 $((${#names[@]} - 1))); do
    bt=$(median "$work/$label-${names[$i]}.ms"); bm=$(median "$work/$label-${names[$i]}.kb")
    printf '%-6s %-15s first paint %8.1f ms, ratio %.3f; peak memory %8d KiB, ratio %.3f\n' \
      "$label" "${names[$i]}:" "$bt" "$(echo "$kt $bt" | awk '{print $1/$2}')" \
      "$bm" "$(echo "$km $bm" | awk '{print $1/$2}')"
  done
}

echo "machine: $(nproc) cores, $(awk '/model name/ {sub(/.*: /, ""); print; exit}' /proc/cpuinfo)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$windows_only" = no ]; then
  compare qt "" "" "$root/build/linux/app/qt/kalvet-timed" one-caption "$root/build/linux/bench/baseline_qt"
  echo "load average after Qt: $(cut -d' ' -f1-3 /proc/loadavg)"
fi
[ "$qt_only" = no ] || exit 0

# The Windows program: the 32-bit build where the 32-bit wine starts, else the 64-bit build
# under wine64 (a kernel without ia32 emulation cannot run a 32-bit wine at all).
. "$root/scripts/wine-env.sh" auto
win_build=$KALVET_WINE_BUILD launcher=$KALVET_WINE
if [ ! -e "$root/build/$win_build/app/win32/kalvet-timed.exe" ]; then
  echo "windows: build/$win_build is not built (cmake --workflow --preset $win_build); skipped"
else
  echo "windows: measuring build/$win_build with $launcher"
  bin=$root/build/$win_build
  # One wine server for all runs, so none of them pays for starting it.
  wineserver -p 60 || true
  compare "$win_build" "Z:" "$launcher" "$bin/app/win32/kalvet-timed.exe" \
    same-controls "$bin/bench/baseline_win32_controls.exe" one-caption "$bin/bench/baseline_win32.exe"
  wineserver -k || true
  echo "load average after Windows: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "The target is Kalvet within 1.10 times the same-controls baseline."
fi

# The shipped program is the 32-bit build; its size is held to 600 KB (of 1,024 bytes).
exe=$root/build/win32/app/win32/kalvet.exe
if [ -e "$exe" ]; then
  bytes=$(stat -c %s "$exe")
  verdict=within; [ "$bytes" -le $((600 * 1024)) ] || verdict=OVER
  printf 'kalvet.exe (build/win32): %d bytes, %.1f KB: %s the 600 KB target\n' \
    "$bytes" "$(echo "$bytes" | awk '{print $1/1024}')" "$verdict"
else
  echo "kalvet.exe: build/win32 is not built; its size is not measured"
fi
