#!/usr/bin/env bash
# Makes every release file from the checkout it is run in, building in a folder of its own,
# and writes them to OUT with their checksums:
#
#   kalvet-VERSION-win32.zip   kalvet.exe (32-bit), README.txt, LICENSE.txt, NOTICES.txt
#   kalvet_VERSION_amd64.deb   the Qt program for Debian and Ubuntu
#   kalvet-VERSION-web.zip     the site (the page, its manifest, service worker and icons),
#                              LICENSE.txt, NOTICES.txt
#   SHA256SUMS                 as sha256sum writes it; check a download with sha256sum -c
#
# Two runs on one commit give the same bytes wherever the checkout lies: every time inside
# the files is the last commit's, and no folder, user or host name gets into them.
#
#   bash scripts/release.sh OUT        (after bash scripts/install-deps.sh)
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 OUT" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kalvet-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# Zip entries keep local time; file modes come from the umask.
export TZ=UTC
umask 022
unset ZIPOPT
# emscripten's JavaScript optimizer needs acorn from Debian's node modules.
export NODE_PATH=/usr/share/nodejs

build() {  # build PRESET [CMAKE ARGS...]: the shipped program alone, no tests or benchmarks
  local preset=$1
  shift
  echo "== Building $preset"
  (cd "$root" && cmake --preset "$preset" -B "$work/$preset" -DKALVET_BUILD_TESTS=OFF \
     -DKALVET_BUILD_BENCH=OFF "$@" >"$work/$preset.log" 2>&1) &&
    cmake --build "$work/$preset" >>"$work/$preset.log" 2>&1 ||
    { cat "$work/$preset.log" >&2; echo "release: the $preset build failed" >&2; exit 1; }
}
build linux
build win32
build web -DKALVET_LINK_TRACE=ON
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/linux/CMakeCache.txt")

zip_folder() {  # zip_folder FOLDER: FOLDER under $work/stage into OUT/FOLDER.zip
  local dir=$work/stage/$1
  # The commit's time and plain modes on every entry, the entries in name order, and no
  # extra fields (owner, other times).
  find "$dir" -type d -exec chmod 0755 {} + -o -type f -exec chmod 0644 {} +
  find "$dir" -name '*.exe' -exec chmod 0755 {} +
  find "$dir" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  rm -f "$out/$1.zip"
  (cd "$work/stage" && find "$1" | LC_ALL=C sort | zip -q -X -9 -@ "$out/$1.zip")
}

echo "== Packing"
cmake --install "$work/win32" --prefix "$work/stage/kalvet-$version-win32" >/dev/null
zip_folder "kalvet-$version-win32"
cmake --install "$work/web" --component site --prefix "$work/stage/kalvet-$version-web" >/dev/null
zip_folder "kalvet-$version-web"
deb=kalvet_${version}_amd64.deb
(cd "$work/linux" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; exit 1; }
cp "$work/deb/$deb" "$out/$deb"

# Every library and start-up file the three links took code from, as their maps and trace
# name them, must be named in the notices that travel with the files.
linked=$(
  sed -nE 's|^LOAD /.*/([^/]+\.o)$|\1|p' "$work/win32/app/win32/kalvet.map" "$work/linux/app/qt/kalvet.map"
  grep -ohE '[^/( ]+\.a\(' "$work/win32/app/win32/kalvet.map" "$work/linux/app/qt/kalvet.map" \
    "$work/web.log" | sed 's/($//' | grep -v '^libkalvet'
)
unnamed=$(sort -u <<<"$linked" | while read -r part; do
  grep -qF "$part" "$root/packaging/NOTICES.txt" || echo "$part"
done)
if [ -n "$unnamed" ]; then
  echo "release: packaging/NOTICES.txt does not name what the links took from:" $unnamed >&2
  exit 1
fi

(cd "$out" && sha256sum "kalvet-$version-win32.zip" "$deb" "kalvet-$version-web.zip" >SHA256SUMS)
echo "== $out"
cat "$out/SHA256SUMS"
