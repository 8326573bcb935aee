#!/usr/bin/env bash
# Start-up time (process start to first painted window) and peak memory of Kalvet against a
# baseline window of the same size and toolkit with one Chinese caption: Qt on an X server,
# and the Windows program under wine. Runs both alternately and prints medians and ratios.
#
#   bench/startup.sh [runs]        (default 15; needs the linux and win32 preset builds)
#
# Without a display it starts itself again under xvfb-run.
set -euo pipefail
runs=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

qt_kalvet=$root/build/linux/app/qt/kalvet
qt_base=$root/build/linux/bench/baseline_qt
win_kalvet=$root/build/win32/app/win32/kalvet.exe
win_base=$root/build/win32/bench/baseline_win32.exe
export WINEPREFIX=$root/build/win32/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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

compare() {
  local label=$1 kalvet=$2 base=$3 prefix=$4 launcher=$5
  for f in "$kalvet" "$base"; do
    [ -e "$f" ] || { echo "$label: $f is not built; skipped"; return 0; }
  done
  : > "$work/$label-kalvet.ms"; : > "$work/$label-base.ms"
  # A first run of each warms the disk cache and, under wine, the prefix; it is not counted.
  run warm "$prefix$work/warm.ms" $launcher "$kalvet"
  run warm "$prefix$work/warm.ms" $launcher "$base"
  rm -f "$work/$label-kalvet.kb" "$work/$label-base.kb"
  for i in $(seq "$runs"); do
    if [ $((i % 2)) -eq 1 ]; then
      run "$label-kalvet" "$prefix$work/$label-kalvet.ms" $launcher "$kalvet"
      run "$label-base" "$prefix$work/$label-base.ms" $launcher "$base"
    else
      run "$label-base" "$prefix$work/$label-base.ms" $launcher "$base"
      run "$label-kalvet" "$prefix$work/$label-kalvet.ms" $launcher "$kalvet"
    fi
  done
  local kt bt km bm
  kt=$(median "$work/$label-kalvet.ms"); bt=$(median "$work/$label-base.ms")
  km=$(median "$work/$label-kalvet.kb"); bm=$(median "$work/$label-base.kb")
  printf '%-6s first paint: Kalvet %8.1f ms, baseline %8.1f ms, ratio %.3f (%d runs)\n' \
    "$label" "$kt" "$bt" "$(echo "$kt $bt" | awk '{print $1/$2}')" "$(wc -l < "$work/$label-kalvet.ms")"
  printf '%-6s peak memory: Kalvet %8d KiB, baseline %8d KiB, ratio %.3f\n' \
    "$label" "$km" "$bm" "$(echo "$km $bm" | awk '{print $1/$2}')"
}

echo "machine: $(nproc) cores, $(awk '/model name/ {sub(/.*: /, ""); print; exit}' /proc/cpuinfo)"
compare qt "$qt_kalvet" "$qt_base" "" ""
if command -v wine >/dev/null; then
  # One wine server for all runs, so none of them pays for starting it.
  wineserver -p 60 || true
  compare win32 "$win_kalvet" "$win_base" "Z:" wine
  wineserver -k || true
fi
