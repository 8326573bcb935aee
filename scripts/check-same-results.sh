#!/usr/bin/env bash
# The same result texts to the last digit on every machine: 100,000 generated cases (valid and
# refused texts, extreme magnitudes, full-width forms) through the Linux build, the Windows
# build under wine and the WebAssembly build under node; the three outputs must be identical.
# A step of the test command of its own, after the builds it compares (the linux, web, and
# win32 or win64 presets): it builds nothing. The Windows build is the 32-bit one where this
# machine runs 32-bit programs, else the 64-bit one under wine64.
#
#   bash scripts/check-same-results.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cases=100000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if wine --version >/dev/null 2>&1; then
    windows=win32
    wine_cmd=(wine)
else
    windows=win64
    wine_cmd=(/usr/lib/wine/wine64)
    export WINELOADER=/usr/lib/wine/wine64
fi
linux_runner=$root/build/linux/tests/mass_cases
windows_runner=$root/build/$windows/tests/mass_cases.exe
wasm_runner=$root/build/web/tests/mass_cases.js
for runner in "$linux_runner" "$windows_runner" "$wasm_runner"; do
    if [ ! -f "$runner" ]; then
        echo "FAILED: $runner is missing; build the presets first (cmake --workflow --preset linux, $windows, web)" >&2
        exit 1
    fi
done
export WINEPREFIX=$root/build/$windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
node=(node --no-experimental-fetch)

"$linux_runner" --generate "$cases" >"$work/cases"
"$linux_runner" <"$work/cases" >"$work/linux"
"${wine_cmd[@]}" "$windows_runner" <"$work/cases" >"$work/windows"
"${node[@]}" "$wasm_runner" <"$work/cases" >"$work/wasm"

lines=$(wc -l <"$work/cases")
status=0
for build in windows wasm; do
    if [ "$(wc -l <"$work/$build")" -ne "$lines" ] || ! cmp -s "$work/linux" "$work/$build"; then
        echo "FAILED: the $build build's results differ from the Linux build's; first differences (line: Linux | $build):"
        awk 'NR==FNR{a[FNR]=$0;next} FNR in a && a[FNR]!=$0 {print FNR": "a[FNR]" | "$0; if(++n==5) exit}' "$work/linux" "$work/$build"
        status=1
    fi
done
refused=$(grep -c -e '数据错误' -e '数据或格式错误' "$work/linux" || true)
echo "$lines cases ($refused refused) through Linux, $windows under ${wine_cmd[0]##*/}, and node:" \
     "$( [ $status -eq 0 ] && echo identical || echo DIFFERENT )"
exit $status
