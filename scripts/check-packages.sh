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
for size in 16 24 32 48 64 128 256; do
  need "$listing" "the ${size}x${size} icon" " \\./usr/share/icons/hicolor/${size}x${size}/apps/kalvet\\.png\$"
done
need "$listing" "the scalable icon" ' \./usr/share/icons/hicolor/scalable/apps/kalvet\.svg$'
need "$listing" "the software centre entry" ' \./usr/share/metainfo/[a-z0-9.]+\.metainfo\.xml$'
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
need "$depends" "a dependency on the CJK font" 'fonts-arphic-uming'
need "$depends" "a dependency on Qt 6 Widgets" 'libqt6widgets6'

# The two files desktops read, checked by the tools the desktops' own projects provide.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop=$(cat "$unpacked/usr/share/applications/kalvet.desktop")
need "$desktop" "a menu entry that starts kalvet" '^Exec=kalvet$'
need "$desktop" "the icon named in the menu entry" '^Icon=kalvet$'
need "$desktop" "a Chinese name" '^Name\[zh_CN\]=.+'
need "$desktop" "a Chinese comment" '^Comment\[zh_CN\]=.+'
need "$desktop" "English search words" '^Keywords=(.*;)?steel;(.*;)?weight;(.*;)?mass;(.*;)?calculator;'
need "$desktop" "Chinese search words" '^Keywords\[zh_CN\]=(.*;)?钢材;(.*;)?重量;(.*;)?质量;(.*;)?理论重量;(.*;)?计算器;'
echo "desktop-file-validate:"
if desktop-file-validate "$unpacked/usr/share/applications/kalvet.desktop"; then
  echo "ok: the menu entry is valid"
else
  echo "MISSING: a valid menu entry" >&2
  status=1
fi
for metainfo in "$unpacked"/usr/share/metainfo/*.metainfo.xml; do
  [ -e "$metainfo" ] || continue
  echo "appstreamcli validate --no-net ${metainfo#"$unpacked"}:"
  if appstreamcli validate --no-net "$metainfo"; then
    echo "ok: the software centre entry is valid"
  else
    echo "MISSING: a valid software centre entry" >&2
    status=1
  fi
  need "$(cat "$metainfo")" "the software centre entry launches the menu entry" \
    '<launchable type="desktop-id">kalvet\.desktop</launchable>'
  need "$(cat "$metainfo")" "a release entry for this version" \
    "<release version=\"$(dpkg-deb -f "$deb" Version)\""
done

echo "== Installing and removing the Linux package"
# As a user would: apt-get resolves the dependencies, and removing leaves nothing behind.
if [ "$(id -u)" -ne 0 ]; then
  echo "MISSING: installing the package needs root" >&2
  status=1
else
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $NF); print $NF }')
  # Other apt runs on the machine hold its lock for a while; wait for them.
  apt=(apt-get -y -q -o DPkg::Lock::Timeout=300)
  if ! DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$unpacked/apt.log" 2>&1; then
    cat "$unpacked/apt.log" >&2
    echo "MISSING: the package installs with apt-get" >&2
    status=1
  else
    absent=$(while read -r f; do [ -e "$f" ] || echo "$f"; done <<<"$files")
    need "${absent:-none}" "every packaged file in place after installing" '^none$'
    # The installed program starts, opens its window (offscreen) and paints it: its
    # libraries and font are all there.
    painted=$unpacked/first-paint.ms
    KALVET_BENCH_T0=$(date +%s%N) KALVET_BENCH_OUT=$painted QT_QPA_PLATFORM=offscreen \
      timeout 60 /usr/bin/kalvet >/dev/null 2>&1 || true
    need "$(cat "$painted" 2>/dev/null)" "the installed program opens and paints its window" '^[0-9.]+$'
    if ! DEBIAN_FRONTEND=noninteractive "${apt[@]}" remove kalvet >"$unpacked/apt.log" 2>&1; then
      cat "$unpacked/apt.log" >&2
      echo "MISSING: the package removes with apt-get" >&2
      status=1
    fi
    left=$(while read -r f; do [ ! -e "$f" ] || echo "$f"; done <<<"$files")
    need "${left:-none}" "no packaged file left after removing" '^none$'
    need "$(dpkg-query -W -f '${Status}' kalvet 2>/dev/null || echo not-installed)" \
      "the package gone from dpkg's list" 'not-installed|deinstall ok config-files'
  fi
fi

echo "== Windows package"
(cd "$root/build/win32" && cpack -G ZIP -B "$out" >/dev/null)
zip=$(ls -t "$out"/kalvet-*-win32.zip | head -n 1)
listing=$(cd "$out" && cmake -E tar tf "$zip")
echo "$zip"
echo "$listing" | sed 's/^/  /'
need "$listing" "kalvet.exe" '/kalvet\.exe$'
need "$listing" "the read-me" '/README\.txt$'
need "$(echo "$listing" | wc -l)" "nothing but the program and its read-me" '^ *[23]$'
readme=$(cd "$unpacked" && cmake -E tar xf "$zip" && cat */README.txt)
need "$(head -c 3 <<<"$readme" | od -An -tx1)" "a read-me Notepad takes for UTF-8 (byte-order mark)" 'ef bb bf'
need "$readme" "a read-me with Windows line ends" $'\r$'
need "$readme" "a read-me saying in Chinese what the program is" '计算一段钢材的质量'
need "$readme" "a read-me saying in Chinese that nothing is installed" '不需要安装'
need "$readme" "a read-me saying in English what the program is" 'mass in kg of a piece of rolled steel'
need "$readme" "a read-me saying in English that nothing is installed" 'nothing to install'

exit $status
