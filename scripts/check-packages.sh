#!/usr/bin/env bash
# Builds the Linux .deb and the Windows .zip from the linux and win32 preset trees and checks
# that each holds what a user needs. Prints the listings; exits non-zero on anything missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0

need() {  # need LISTING WHAT PATTERN
  if grep -qE "$3" <<<"$1"; then
    echo "ok: $2"
  else
    echo "MISSING: $2" >&2
    status=1
  fi
}

out=$root/build/packages
mkdir -p "$out"

echo "== Linux package"
(cd "$root/build/linux" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls -t "$out"/kalvet_*.deb | head -n 1)
listing=$(dpkg-deb -c "$deb")
echo "$deb"
echo "$listing" | awk '{print "  " $NF}'
need "$listing" "the program" ' \./usr/bin/kalvet$'
need "$listing" "the menu entry" ' \./usr/share/applications/kalvet\.desktop$'
need "$listing" "the icon" ' \./usr/share/icons/hicolor/64x64/apps/kalvet\.png$'
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
need "$depends" "a dependency on the CJK font" 'fonts-arphic-uming'
need "$depends" "a dependency on Qt 6 Widgets" 'libqt6widgets6'
desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/kalvet.desktop)
need "$desktop" "a menu entry that starts kalvet" '^Exec=kalvet'

echo "== Windows package"
(cd "$root/build/win32" && cpack -G ZIP -B "$out" >/dev/null)
zip=$(ls -t "$out"/kalvet-*-win32.zip | head -n 1)
listing=$(cd "$out" && cmake -E tar tf "$zip")
echo "$zip"
echo "$listing" | sed 's/^/  /'
need "$listing" "kalvet.exe" '/kalvet\.exe$'
need "$listing" "the read-me" '/README\.txt$'
need "$(echo "$listing" | wc -l)" "nothing but the program and its read-me" '^ *[23]$'

exit $status
