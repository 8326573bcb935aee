#!/usr/bin/env bash
# Builds the Debian source package in clean chroots of Debian 12 (bookworm) and Debian 13
# (trixie) as a distribution's builders do, with its tests, installs the .deb in each and runs
# its autopkgtests against the installed package; then installs Debian 12's .deb, the one a
# release ships, in the Debian 13 chroot and runs the autopkgtests against it there too.
#
#   bash scripts/check-distributions.sh        (as root, after bash scripts/install-deps.sh)
#
# Each chroot is a tarball that mmdebstrap makes (variant buildd, the source package's build
# dependencies, its autopkgtests' dependencies and autopkgtest), kept in
# ${KALVET_CHROOT_CACHE:-/var/cache/kalvet-chroots} and made anew when it is a week old or
# when those dependencies change. Everything after that runs with no network, so a run with
# both tarballs cached reaches no registry. Without a tarball and without the mirror it fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${KALVET_CHROOT_CACHE:-/var/cache/kalvet-chroots}
mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security
releases=(bookworm trixie)
declare -A names=([bookworm]="Debian 12" [trixie]="Debian 13")

fail() { echo "check-distributions.sh: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root (chroots, mounts and a network namespace)"
for tool in mmdebstrap unshare zstd dpkg-source; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run bash scripts/install-deps.sh"
done

arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -SVersion)
work=$(mktemp -d "${TMPDIR:-/tmp}/kalvet-distributions.XXXXXX")
trap 'rm -rf "$work"' EXIT

field() {  # field NAME FILE: NAME's value in each paragraph of a control FILE, on one line
  awk -v name="$1:" '
    on && /^[ \t]/ { value = value " " $0; next }
    on { print value; on = 0 }
    $1 == name { on = 1; value = substr($0, length(name) + 1) }
    END { if (on) print value }' "$2" | tr -s ' \t' ' ' | sed 's/^ //'
}
build_depends=$(field Build-Depends "$root/debian/control")
# What the autopkgtests need besides the package under test.
test_depends=$(field Depends "$root/debian/tests/control" | tr ',' '\n' |
  sed 's/^ *//; s/ *$//' | grep -vE '^(kalvet|@.*)?$' | sort -u | paste -sd, | sed 's/,/, /g')

# The tarball of RELEASE, made anew when its recipe (these dependencies and the mmdebstrap
# arguments, kept beside it) changes or when it is more than 7 days old.
chroot_tarball() {  # chroot_tarball RELEASE: prints the tarball's path
  local rel=$1 tarball=$cache/$1-$arch.tar.zst new=$cache/$1-$arch.new.tar.zst
  local args=(--variant=buildd --include=autopkgtest
    --customize-hook='mkdir "$1/tmp/kalvet" && cp -r "$KALVET_DEBIAN" "$1/tmp/kalvet/debian"'
    --customize-hook='chroot "$1" apt-get build-dep -y -q --no-install-recommends /tmp/kalvet'
    --customize-hook='chroot "$1" apt-get satisfy -y -q --no-install-recommends "$KALVET_TEST_DEPENDS"'
    --customize-hook='rm -rf "$1/tmp/kalvet"'
    "$rel" "$new"
    "deb $mirror $rel main" "deb $mirror $rel-updates main" "deb $security $rel-security main")
  local recipe
  recipe=$(printf '%s\n' "Build-Depends: $build_depends" "Tests: $test_depends" "${args[@]}")
  local why=
  if [ ! -e "$tarball" ]; then why="none in $cache"
  elif ! cmp -s "$tarball.recipe" - <<<"$recipe"; then why="its dependencies changed"
  elif [ -z "$(find "$tarball" -mtime -7)" ]; then why="the one in $cache is a week old"
  fi
  if [ -z "$why" ]; then
    echo "== ${names[$rel]}: the chroot of $(date -r "$tarball" +%F) in $tarball" >&2
  else
    echo "== ${names[$rel]}: making its chroot ($why) with mmdebstrap from $mirror" >&2
    if KALVET_DEBIAN=$root/debian KALVET_TEST_DEPENDS=$test_depends \
         mmdebstrap "${args[@]}" >"$work/mmdebstrap-$rel.log" 2>&1; then
      mv "$new" "$tarball"
      printf '%s\n' "$recipe" >"$tarball.recipe"
      echo "  $(du -h "$tarball" | cut -f1) in $tarball" >&2
    else
      tail -n 30 "$work/mmdebstrap-$rel.log" >&2
      rm -f "$new"
      # A week-old chroot of the same recipe still builds and tests as a distribution would.
      [ "$why" = "the one in $cache is a week old" ] ||
        fail "no ${names[$rel]} chroot: $why, and mmdebstrap cannot make one (above); the mirror must be reachable once"
      echo "  mmdebstrap failed (above): using the chroot of $(date -r "$tarball" +%F)" >&2
    fi
  fi
  echo "$tarball"
}

in_chroot() {  # in_chroot DIR USER SCRIPT: SCRIPT under sh in DIR as USER, with no network
  # A mount namespace of its own takes the mounts away with it; a new network namespace has
  # no interface that reaches out; a PID namespace ends whatever the script leaves running.
  unshare --net --mount --pid --fork --kill-child sh -euc '
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$1/dev/shm"
    mount -t sysfs sysfs "$1/sys"
    home=/root; [ "$2" = root ] || home=/build
    exec chroot --userspec="$2:$2" "$1" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
      HOME="$home" LOGNAME="$2" USER="$2" LANG=C.UTF-8 sh -euc "$3"
  ' sh "$1" "$2" "$3"
}

echo "== The source package"
# As release.sh makes it: the checkout's tracked files as they stand.
src=$work/source/kalvet-$version
mkdir -p "$src"
git -C "$root" ls-files -z | tar -C "$root" --null -T - --ignore-failed-read -cf - | tar -xf - -C "$src"
(cd "$work/source" && dpkg-source -q -b "kalvet-$version" >/dev/null)
ls "$work/source"/kalvet_"$version".* | sed 's|.*/|  |'

declare -A tarballs
# Another run that would make or pick the same tarballs waits for this one.
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
for rel in "${releases[@]}"; do
  tarballs[$rel]=$(chroot_tarball "$rel")
done
exec 9>&-

status=0
summary() {  # summary LOG: autopkgtest's summary lines of LOG, indented
  sed -n '/@@@@ summary/,$p' "$1" | grep -E '^[^ @]+ +[A-Z]+' | sed 's/^/  /'
}

deb=kalvet_${version}_${arch}.deb
# The package installed with apt-get from a .deb (its dependencies are all in the chroot),
# the installed program that .deb's, then the autopkgtests against the installed package.
install_and_test() {  # install_and_test DIR DEB WHAT
  local log=$work/test-$(basename "$1")-${2##*/}.log
  SECONDS=0
  if in_chroot "$1" root "
       apt-get remove -y -q kalvet >/dev/null 2>&1 || true
       DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $2
       dpkg-deb --fsys-tarfile $2 | tar -xO ./usr/bin/kalvet | cmp - /usr/bin/kalvet
       autopkgtest -B /build/kalvet_$version.dsc -- null" >"$log" 2>&1; then
    summary "$log"
    echo "ok: $3, both autopkgtests pass against it (${SECONDS} s)"
  else
    tail -n 100 "$log" >&2
    echo "MISSING: $3, its autopkgtests passing" >&2
    status=1
  fi
}

for rel in "${releases[@]}"; do
  name=${names[$rel]}
  echo "== $name: building the source package"
  dir=$work/$rel
  mkdir "$dir"
  zstd -dc "${tarballs[$rel]}" | tar -x -C "$dir"
  # An unprivileged builder, as buildds build, owning only /build.
  echo "builder:x:2000:2000:Kalvet builder:/build:/bin/sh" >>"$dir/etc/passwd"
  echo "builder:x:2000:" >>"$dir/etc/group"
  mkdir "$dir/build"
  cp "$work/source"/kalvet_"$version".* "$dir/build/"
  chown -R 2000:2000 "$dir/build"
  SECONDS=0
  if in_chroot "$dir" builder "
       cd /build && dpkg-source -x kalvet_$version.dsc && cd kalvet-$version
       DEB_BUILD_OPTIONS=parallel=$(nproc) dpkg-buildpackage -us -uc -b" \
       >"$work/build-$rel.log" 2>&1; then
    echo "ok: dpkg-buildpackage -us -uc -b, as an unprivileged user, no network (${SECONDS} s)"
    tests=$(grep -E '^[0-9]+% tests passed, 0 tests failed out of [1-9]' "$work/build-$rel.log" || true)
    if [ -n "$tests" ]; then
      echo "ok: the build ran its tests, and they pass: $tests"
    else
      echo "MISSING: the build's tests run and passing (no test summary in its log)" >&2
      status=1
    fi
    cp "$dir/build/$deb" "$work/$rel.deb"
    install_and_test "$dir" "/build/$deb" "the .deb installed"
  else
    tail -n 200 "$work/build-$rel.log" >&2
    echo "MISSING: a $name build of the source package" >&2
    status=1
  fi
  # The release's .deb is Debian 12's: it must install and work on Debian 13 as well.
  if [ "$rel" != bookworm ] && [ -e "$work/bookworm.deb" ]; then
    cp "$work/bookworm.deb" "$dir/build/bookworm-$deb"
    install_and_test "$dir" "/build/bookworm-$deb" "the Debian 12 .deb installed in $name"
  fi
  rm -rf "$dir"
done
exit $status
