#!/usr/bin/env bash
# Makes the release twice, with scripts/release.sh in two clean clones of this commit in
# folders of different names, the first with the Linux program's tests and lintian in its
# Debian build, and checks that both give the same bytes (naming any file that differs), then
# that each release file holds what a user needs: the source package (this commit's files),
# the .deb (the menu and software centre entries, installing and removing it, its
# autopkgtest), the Windows zip and the web zip. Prints the listings; exits non-zero on
# anything missing.
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

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvet-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
unpacked=$work/unpacked
mkdir -p "$unpacked"

echo "== The release, made twice"
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "note: uncommitted changes are not in the clones; this checks the last commit"
fi
check=--check
for clone in "$work/a/kalvet" "$work/b/another/src"; do
  git clone -q --no-hardlinks "$root" "$clone"
  bash "$clone/scripts/release.sh" $check "$clone.out" | sed 's/^/  /' ||
    { echo "MISSING: a release made in $clone" >&2; exit 1; }
  check=
done
echo "ok: the Debian build's tests and lintian pass (the first release)"
first=$work/a/kalvet.out
if cmp -s "$first/SHA256SUMS" "$work/b/another/src.out/SHA256SUMS"; then
  echo "ok: the same bytes from both builds"
else
  echo "MISSING: the same bytes from both builds; these differ:" >&2
  for f in "$first"/*; do
    name=${f##*/}
    other=$work/b/another/src.out/$name
    cmp -s "$f" "$other" && continue
    echo "  $name" >&2
    # The files inside that differ, to find where a time or a path got in.
    case $name in
      *.zip) for d in x y; do mkdir -p "$work/$d"; done
             (cd "$work/x" && unzip -q "$f"); (cd "$work/y" && unzip -q "$other")
             diff -rq "$work/x" "$work/y" >&2 || true
             diff <(zipinfo -T "$f" | sed 1d) <(zipinfo -T "$other" | sed 1d) >&2 || true ;;
      *.deb) dpkg-deb -R "$f" "$work/x-$name"; dpkg-deb -R "$other" "$work/y-$name"
             diff -rq "$work/x-$name" "$work/y-$name" >&2 || true
             diff <(dpkg-deb -c "$f") <(dpkg-deb -c "$other") >&2 || true ;;
      *.tar.*) diff <(tar -tvf "$f") <(tar -tvf "$other") >&2 || true ;;
      *.dsc) diff "$f" "$other" >&2 || true ;;
    esac
    rm -rf "$work/x" "$work/y" "$work"/[xy]-*
  done
  status=1
fi
(cd "$first" && sha256sum -c SHA256SUMS >/dev/null) && echo "ok: SHA256SUMS checks" ||
  { echo "MISSING: SHA256SUMS that sha256sum -c accepts" >&2; status=1; }

echo "== Source package"
dsc=$(ls "$first"/kalvet_*.dsc)
echo "$dsc"
need "$(grep -E '^(Format|Source|Binary|Version|Testsuite):' "$dsc")" "a native source package of kalvet" \
  '^Format: 3\.0 \(native\)$'
need "$(grep '^Testsuite:' "$dsc")" "an autopkgtest named in it" '^Testsuite: autopkgtest$'
# Unpacked as a distribution unpacks it (checking the tarball's checksums), it is this
# commit's tree, no file more or less but .gitignore, which dpkg-source leaves out.
if dpkg-source -x "$dsc" "$work/source" >/dev/null 2>&1; then
  git -C "$root" archive --prefix=commit/ HEAD | tar -x -C "$work"
  need "$(diff -r -x .gitignore "$work/commit" "$work/source" >&2 && echo same)" \
    "the commit's files, and only them" '^same$'
else
  echo "MISSING: a source package dpkg-source unpacks" >&2
  status=1
fi

echo "== Linux package"
deb=$(ls "$first"/kalvet_*_amd64.deb)
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
need "$listing" "the copyright file" ' \./usr/share/doc/kalvet/copyright$'
need "$listing" "the changelog" ' \./usr/share/doc/kalvet/changelog\.gz$'
need "$listing" "the manual page" ' \./usr/share/man/man1/kalvet\.1\.gz$'

dpkg-deb -x "$deb" "$unpacked"
copyright=$(cat "$unpacked/usr/share/doc/kalvet/copyright")
need "$copyright" "a machine-readable copyright file" '^Format: https://www\.debian\.org/doc/packaging-manuals/copyright-format/1\.0/$'
need "$copyright" "Kalvet under the MIT (Expat) licence" '^License: Expat$'
# The licence paragraph's text, and the holder of Files: *, are LICENSE's, word for word.
dep5_licence=$(awk -v RS= '/^License: Expat\n/' <<<"$copyright" | sed '1d; s/^ //; s/^\.$//')
need "$([ "$dep5_licence" = "$(sed -n '/^Permission/,$p' "$root/LICENSE")" ] && echo same)" \
  "the licence text of LICENSE in the copyright file" '^same$'
holder=$(awk -v RS= '/^Files: \*\n/' <<<"$copyright" | sed -n 's/^Copyright: //p')
need "$(sed -n 's/^Copyright (c) //p' "$root/LICENSE")" "the copyright holder of LICENSE in the copyright file" \
  "^${holder:-none}\$"
# The program users get reads no variable of its own and writes nothing: no start-up probe.
need "$(grep -c KALVET_BENCH "$unpacked/usr/bin/kalvet" || true)" "no start-up probe in the program" '^0$'
echo "check-hardening.sh:"
if bash "$root/scripts/check-hardening.sh" "$unpacked/usr/bin/kalvet"; then
  echo "ok: the packaged program is hardened as the project's builds are"
else
  echo "MISSING: a hardened program in the package" >&2
  status=1
fi
# The two files desktops read, checked by the tools the desktops' own projects provide.
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

echo "== Installing the Linux package, its autopkgtest, removing it"
# Installed with apt-get, which resolves its dependencies as for a user, from the package
# indexes already on the machine: nothing here refreshes them, so a mirror mid-sync cannot fail
# the check. Then the package's own tests (debian/tests), run by autopkgtest's null runner
# against the installed package, here on this machine: the window opens on a virtual X server,
# paints and closes, and it computes a round bar and a plate through the accessibility bus.
# Removing it then leaves nothing behind.
if [ "$(id -u)" -ne 0 ]; then
  echo "MISSING: installing the package needs root" >&2
  status=1
else
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $NF); print $NF }')
  # Other apt runs on the machine hold its lock for a while; wait for them.
  if DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
       -o DPkg::Lock::Timeout=300 "$deb" >"$unpacked/apt.log" 2>&1; then
    echo "ok: the package installs with apt-get"
  else
    cat "$unpacked/apt.log" >&2
    echo "MISSING: a package that installs with apt-get" >&2
    status=1
  fi
  need "$(dpkg-query -W -f '${Status} ${Version}' kalvet 2>/dev/null)" "the package installed" \
    "^install ok installed $(dpkg-deb -f "$deb" Version)\$"
  # -B: the tests run against the installed package; autopkgtest builds nothing and adds no
  # package source of its own to refresh.
  if autopkgtest -B "$dsc" -- null >"$unpacked/autopkgtest.log" 2>&1; then
    sed -n '/@@@@ summary/,$p' "$unpacked/autopkgtest.log" | grep -E '^[^ ]+ +[A-Z]+' | sed 's/^/  /' || true
    echo "ok: the package's autopkgtest passes"
  else
    cat "$unpacked/autopkgtest.log" >&2
    echo "MISSING: a package whose autopkgtest passes" >&2
    status=1
  fi
  # This release's files, not those of a kalvet installed before.
  absent=$(while read -r f; do cmp -s "$f" "$unpacked$f" || echo "$f"; done <<<"$files")
  need "${absent:-none}" "every packaged file in place after installing" '^none$'
  if ! DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 remove kalvet \
       >"$unpacked/apt.log" 2>&1; then
    cat "$unpacked/apt.log" >&2
    echo "MISSING: the package removes with apt-get" >&2
    status=1
  fi
  left=$(while read -r f; do [ ! -e "$f" ] || echo "$f"; done <<<"$files")
  need "${left:-none}" "no packaged file left after removing" '^none$'
  need "$(dpkg-query -W -f '${Status}' kalvet 2>/dev/null || echo not-installed)" \
    "the package gone from dpkg's list" 'not-installed|deinstall ok config-files'
fi

echo "== Windows package"
zip=$(ls "$first"/kalvet-*-win32.zip)
listing=$(zipinfo -1 "$zip")
echo "$zip"
echo "$listing" | sed 's/^/  /'
for f in kalvet.exe README.txt LICENSE.txt NOTICES.txt; do
  need "$listing" "$f" "^kalvet-[0-9.]+-win32/${f//./\\.}\$"
done
need "$(grep -vc '/$' <<<"$listing")" "nothing else" '^4$'
mkdir "$unpacked/win32"
(cd "$unpacked/win32" && unzip -q "$zip")
need "$(i686-w64-mingw32-objdump -f "$unpacked"/win32/*/kalvet.exe)" "a 32-bit program" 'file format pei-i386'
need "$(grep -c KALVET_BENCH "$unpacked"/win32/*/kalvet.exe || true)" "no start-up probe in kalvet.exe" '^0$'
readme=$(cat "$unpacked"/win32/*/README.txt)
need "$(head -c 3 <<<"$readme" | od -An -tx1)" "a read-me Notepad takes for UTF-8 (byte-order mark)" 'ef bb bf'
need "$readme" "a read-me with Windows line ends" $'\r$'
need "$readme" "a read-me saying in Chinese what the program is" '计算一段钢材的质量'
need "$readme" "a read-me saying in Chinese that nothing is installed" '不需要安装'
need "$readme" "a read-me saying in English what the program is" 'mass in kg of a piece of rolled steel'
need "$readme" "a read-me saying in English that nothing is installed" 'nothing to install'
notices=$(cat "$unpacked"/win32/*/NOTICES.txt)
need "$notices" "notices for the mingw-w64 runtime" '^- mingw-w64 runtime'
need "$notices" "notices for winpthreads" '^- winpthreads'

echo "== Web package"
zip=$(ls "$first"/kalvet-*-web.zip)
listing=$(zipinfo -1 "$zip")
echo "$zip"
echo "$listing" | sed 's/^/  /'
for f in kalvet.html kalvet.webmanifest sw.js kalvet.png kalvet-apple-touch.png robots.txt LICENSE.txt NOTICES.txt; do
  need "$listing" "$f" "^kalvet-[0-9.]+-web/${f//./\\.}\$"
done
mkdir "$unpacked/web"
(cd "$unpacked/web" && unzip -q "$zip")
page=$(head -c 2000 "$unpacked"/web/*/kalvet.html)
need "$(head -n 1 <<<"$page")" "the page's doctype first" '^<!doctype html>$'
need "$(sed -n 2p <<<"$page")" "a comment at the page's top naming Kalvet" '^<!-- Kalvet '
need "$page" "the page's licence in that comment" 'MIT licence'
need "$page" "where the page's notices are" 'NOTICES\.txt'

exit $status
