#!/usr/bin/env bash
# The same result texts to the last digit on every machine: 100,000 generated cases (valid and
# refused texts, extreme magnitudes, full-width forms) through the Linux builds for amd64, i386
# and arm64, the build with clang's libc++ under a decimal-comma locale, the Windows build
# under wine and the WebAssembly build under node; every output must be identical to the amd64
# one. A step of the test command of its own, after the builds it compares (the linux, i386,
# arm64, libcxx, web, and win32 or win64 presets): it builds nothing.
# The Windows build is the 32-bit one where this machine runs the 32-bit wine, else the 64-bit
# one under wine64; another processor's build runs natively where the kernel can run it, else
# under qemu-user. It says which ran where.
#
#   bash scripts/check-same-results.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cases=100000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/scripts/wine-env.sh" auto

# name, build folder, how it runs ("" natively; else the command before the program), and the
# locale it runs in ("" for the one it is given)
runs=()
add() { runs+=("$1|$2|$3|${4:-}"); }
add linux-amd64 linux ""
kernel=$(uname -m)
for arch in "i386 i386 x86_64|i686" "arm64 aarch64 aarch64"; do
  read -r preset qemu native <<<"$arch"
  # Natively where the kernel is of the processor's kind and runs the program (an x86-64 kernel
  # runs the i386 build unless its ia32 emulation is off), else under qemu-user.
  program=$root/build/$preset/tests/mass_cases
  if [[ $kernel =~ ^($native)$ ]] && "$program" --generate 1 >/dev/null 2>&1; then
    add "linux-$preset" "$preset" ""
  else
    add "linux-$preset" "$preset" "/usr/bin/qemu-$qemu"
  fi
done
# A C library in a comma locale reads and writes "," as the point: the builds must not follow it.
comma=de_DE.UTF-8
if [ "$(LC_ALL=$comma locale decimal_point 2>/dev/null)" != "," ]; then
  echo "FAILED: no $comma locale with a decimal comma here (bash scripts/install-deps.sh makes it)" >&2
  exit 1
fi
add linux-libcxx libcxx "" "$comma"
add "windows-$KALVET_WINE_BUILD" "$KALVET_WINE_BUILD" "$KALVET_WINE"
add wasm web "node --no-experimental-fetch"

status=0
where=""
for run in "${runs[@]}"; do
  IFS='|' read -r name build runner locale <<<"$run"
  program=$root/build/$build/tests/mass_cases
  case $build in win*) program+=.exe ;; web) program+=.js ;; esac
  if [ ! -f "$program" ]; then
    echo "FAILED: $program is missing; build the presets first (cmake --workflow --preset $build)" >&2
    exit 1
  fi
  if [ "$name" = linux-amd64 ]; then "$program" --generate "$cases" >"$work/cases"; fi
  # shellcheck disable=SC2086 # the runner is a command and its arguments
  ${locale:+env LC_ALL=$locale} $runner "$program" <"$work/cases" >"$work/$name"
  how=${runner%% *}
  how=${runner:+under ${how##*/}}
  where+="${where:+, }$name ${how:-natively}${locale:+ in $locale}"
done

lines=$(wc -l <"$work/cases")
for run in "${runs[@]:1}"; do
  name=${run%%|*}
  if [ "$(wc -l <"$work/$name")" -ne "$lines" ] || ! cmp -s "$work/linux-amd64" "$work/$name"; then
    echo "FAILED: the $name build's results differ from linux-amd64's; first differences (line: linux-amd64 | $name):"
    awk 'NR==FNR{a[FNR]=$0;next} FNR in a && a[FNR]!=$0 {print FNR": "a[FNR]" | "$0; if(++n==5) exit}' \
      "$work/linux-amd64" "$work/$name"
    status=1
  fi
done
refused=$(grep -c -e '数据错误' -e '数据或格式错误' "$work/linux-amd64" || true)
echo "$lines cases ($refused refused) through $where: $( [ $status -eq 0 ] && echo identical || echo DIFFERENT )"
exit $status
