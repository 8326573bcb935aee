#!/usr/bin/env bash
# Makes every release file from the checkout it is run in, building in a folder of its own,
# and writes them to OUT with their checksums:
#
#   kalvet-VERSION-win32.zip   kalvet.exe (32-bit), README.txt, LICENSE.txt, NOTICES.txt
#   kalvet_VERSION_amd64.deb   the Qt program for Debian and Ubuntu, as debhelper builds it
#   kalvet_VERSION.dsc         the source package it is built from (debian/), and its
#   kalvet_VERSION.tar.xz      tarball
#   kalvet-VERSION-web.zip     the site (the page, its manifest, service worker and icons),
#                              LICENSE.txt, NOTICES.txt
#   SHA256SUMS                 as sha256sum writes it; check a download with sha256sum -c
#
# The version is the top entry's of debian/changelog. Two runs on one commit give the same
# bytes wherever the checkout lies: every time inside the files is that entry's, and no
# folder, user or host name gets into them.
#
#   bash scripts/release.sh [--check] OUT        (after bash scripts/install-deps.sh)
#
# --check: the Debian build also runs the Linux program's tests, and lintian checks what it
# made (source and binary packages, the .changes); either failing fails the release. The
# files are the same bytes with or without it.
set -euo pipefail
check=
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--check] OUT" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kalvet-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

changelog=$root/debian/changelog
version=$(dpkg-parsechangelog -l "$changelog" -SVersion)
# As Debian's tools take it: the time a caller sets, else the release's, in its changelog entry.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$changelog" -STimestamp)}
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
build win32
build web -DKALVET_LINK_TRACE=ON

# The source package holds the checkout's tracked files as they stand, nothing the builds or
# npm left beside them, in a folder named as Debian names it, each with the release's time.
echo "== Building the source package and the .deb"
src=$work/debian/kalvet-$version
mkdir -p "$src"
git -C "$root" ls-files -z |
  tar -C "$root" --null -T - --ignore-failed-read -cf - | tar -xf - -C "$src"
chmod -R go-w "$src"
find "$src" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$src" && DEB_BUILD_OPTIONS="${check:-nocheck}" dpkg-buildpackage -us -uc -jauto) \
  >"$work/debian.log" 2>&1 ||
  { cat "$work/debian.log" >&2; echo "release: the Debian build failed" >&2; exit 1; }
if [ -n "$check" ]; then
  sed -n '/% tests passed/p; /tests did not run/,/^$/p' "$work/debian.log"
  echo "lintian:"
  lintian --allow-root --fail-on error,warning "$work/debian/kalvet_${version}_amd64.changes" ||
    { echo "release: lintian finds errors or warnings in the Debian packages" >&2; exit 1; }
  echo "lintian: no error or warning"
fi

zip_folder() {  # zip_folder FOLDER: FOLDER under $work/stage into OUT/FOLDER.zip
  local dir=$work/stage/$1
  # The release's time and plain modes on every entry, the entries in name order, and no
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
dsc=kalvet_${version}.dsc
tarball=kalvet_${version}.tar.xz
for f in "$deb" "$dsc" "$tarball"; do
  cp "$work/debian/$f" "$out/$f"
done

linux_map=$src/obj-$(dpkg-architecture -qDEB_HOST_GNU_TYPE)/app/qt/kalvet.map
# Every library and start-up file the three links took code from, as their maps and trace
# name them, must be named in the notices that travel with the files.
linked=$(
  sed -nE 's|^LOAD /.*/([^/]+\.o)$|\1|p' "$work/win32/app/win32/kalvet.map" "$linux_map"
  grep -ohE '[^/( ]+\.a\(' "$work/win32/app/win32/kalvet.map" "$linux_map" \
    "$work/web.log" | sed 's/($//' | grep -v '^libkalvet'
)
unnamed=$(sort -u <<<"$linked" | while read -r part; do
  grep -qF "$part" "$root/packaging/NOTICES.txt" || echo "$part"
done)
if [ -n "$unnamed" ]; then
  echo "release: packaging/NOTICES.txt does not name what the links took from:" $unnamed >&2
  exit 1
fi
# The .deb says the same of its program in its copyright file.
unnamed=$(sed -nE 's|^LOAD /.*/([^/]+\.o)$|\1|p; s|.*[/( ]([^/( ]+\.a)\(.*|\1|p' "$linux_map" |
  grep -v '^libkalvet' | sort -u | while read -r part; do
    grep -qF "$part" "$root/debian/copyright" || echo "$part"
  done)
if [ -n "$unnamed" ]; then
  echo "release: debian/copyright does not name what the Linux link took from:" $unnamed >&2
  exit 1
fi

(cd "$out" && sha256sum "kalvet-$version-win32.zip" "$deb" "$dsc" "$tarball" "kalvet-$version-web.zip" >SHA256SUMS)
echo "== $out"
cat "$out/SHA256SUMS"
