#!/usr/bin/env bash
# The same result texts to the last digit on every machine: 100,000 generated cases (valid and
# refused texts, extreme magnitudes, full-width forms) through the Linux build, the Windows
# build under wine and the WebAssembly build under node; the three outputs must be identical.
#
#   same_results.sh SOURCE_DIR WASM_RUNNER NODE [NODE_ARGS...]
#
# Builds the Linux and Windows case runners when they are missing or stale. The Windows one is
# the 32-bit build where this machine runs 32-bit programs, else the 64-bit build under wine64.
set -euo pipefail
source_dir=$1
wasm_runner=$2
shift 2
node=("$@")

cases=100000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

runner() {  # preset: configures when needed, then builds the case runner only
    local preset=$1
    if [ ! -f "$source_dir/build/$preset/CMakeCache.txt" ]; then
        (cd "$source_dir" && cmake --preset "$preset" >/dev/null)
    fi
    cmake --build "$source_dir/build/$preset" --target mass_cases >/dev/null
}

runner linux
linux_runner=$source_dir/build/linux/tests/mass_cases

if wine --version >/dev/null 2>&1; then
    windows=win32
    wine_cmd=(wine)
else
    windows=win64
    wine_cmd=(/usr/lib/wine/wine64)
    export WINELOADER=/usr/lib/wine/wine64
fi
runner "$windows"
export WINEPREFIX=$source_dir/build/$windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

"$linux_runner" --generate "$cases" >"$work/cases"
"$linux_runner" <"$work/cases" >"$work/linux"
"${wine_cmd[@]}" "$source_dir/build/$windows/tests/mass_cases.exe" <"$work/cases" >"$work/windows"
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
