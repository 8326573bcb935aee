#!/usr/bin/env bash
# Installs what Kalvet needs on Debian 12 or 13, as root, for one purpose:
#
#   install-deps.sh run   building the Linux program and opening its Qt window
#   install-deps.sh web   building the page
#   install-deps.sh       everything: every build, every test and check of the test command
#
# Idempotent: packages already present are not asked for again, so a warm machine skips apt.
set -euo pipefail

purpose=${1:-}
case $purpose in
  run | web | "") ;;
  *) echo "usage: $0 [run | web]   (no argument: everything the tests need)" >&2; exit 2 ;;
esac

run_packages=(
  cmake ninja-build g++
  # Qt front end, and the Song-style CJK face with SimSun's metrics that stands in for SimSun
  qt6-base-dev libfontconfig-dev fonts-arphic-uming
  # the icon's PNGs, rendered from its drawing at build time
  librsvg2-bin
)
web_packages=(
  cmake ninja-build librsvg2-bin
  # emscripten, whose JS optimizer needs acorn on node's module path (the web preset's NODE_PATH)
  emscripten node-acorn
)
test_packages=(
  pkg-config
  googletest libgtest-dev libbenchmark-dev
  # 32-bit Windows build, and wine with a virtual display to run it here (the 32-bit wine
  # below)
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine xvfb xauth
  # the same program built 64-bit, and a 64-bit wine to run its tests where the kernel runs no
  # 32-bit programs
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
  # a wide Latin face, to test that captions still fit on a system without the Song face
  fonts-dejavu-core
  # fuzzing and sanitizers
  clang libclang-rt-dev
  # the Windows .ico
  icoutils
  # screenshots of the running window; GNU time for the start-up benchmark
  imagemagick time
  # the source package and the .deb built from it; the validators of its menu and software
  # centre entries; Debian's package checker; the release's zips
  dpkg-dev debhelper fakeroot file desktop-file-utils appstream lintian zip unzip
  # the installed package's own tests, and what they need: a virtual display, a session bus
  # and the accessibility bus through which the second one works the window
  autopkgtest xvfb xauth dbus at-spi2-core python3-pyatspi python3-xlib
  # the core built for other processors (32-bit x86 and 64-bit ARM Linux), and qemu to run it
  # where the kernel cannot
  g++-i686-linux-gnu g++-aarch64-linux-gnu qemu-user
  # the core built with clang and LLVM's C++ library (the libcxx preset)
  libc++-dev libc++abi-dev
  # a decimal-comma locale, so the test that results ignore the locale has one to switch to
  locales
  # the browsers the page's tests drive, headless; their npm packages come from the last step
  chromium firefox-esr webkit2gtk-driver
  # NSS, which the old Chromiums that the page's tests unpack from their npm packages load
  libnss3
  # clean Debian 12 and 13 chroots to build the source package in (check-distributions.sh)
  mmdebstrap gpg zstd
)

case $purpose in
  run) packages=("${run_packages[@]}") ;;
  web) packages=("${web_packages[@]}") ;;
  "") packages=("${run_packages[@]}" "${web_packages[@]}" "${test_packages[@]}") ;;
esac
# The browser tests run on node and npm, which come with the machine image; where they do
# not, Debian's serve. (emscripten brings Debian's node for the page's build in any case.)
if [ -z "$purpose" ]; then
  command -v node >/dev/null 2>&1 || packages+=(nodejs)
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  case " ${missing[*]} " in *" $p "*) continue ;; esac
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
# The 32-bit wine, which runs the win32 preset's tests, is the one package the tests can do
# without: where it cannot be installed (its i386 packages out of step with the amd64 ones, as
# when a mirror's i386 index is broken) those tests report themselves skipped, as on a kernel
# that runs no 32-bit programs, and the win64 preset runs the same tests under a 64-bit wine.
optional=()
if [ -z "$purpose" ] && ! dpkg -s wine32:i386 >/dev/null 2>&1; then optional=(wine32:i386); fi

# Its architecture is added before any index is refreshed, so the refresh fetches its index.
if [ ${#optional[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

refreshed=no
apt_install() {  # apt_install PACKAGE...: the package indexes refreshed first, once
  export DEBIAN_FRONTEND=noninteractive
  if [ $refreshed = no ]; then
    # A source that cannot be refreshed (a mirror mid-sync, a host out of reach) leaves its
    # old index, or none, in place: say so and go on. What matters is whether the packages
    # install, and apt-get install fails if one cannot be found or fetched.
    if ! apt-get update -q; then
      echo "install-deps.sh: some package indexes could not be refreshed (above); installing from the ones there are" >&2
    fi
    refreshed=yes
  fi
  apt-get install -y -q --no-install-recommends "$@"
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_install "${missing[@]}"
fi
if [ ${#optional[@]} -gt 0 ]; then
  echo "Installing: ${optional[*]}"
  log=$(mktemp)
  if ! apt_install "${optional[@]}" >"$log" 2>&1; then
    grep -E '^(E|Err):' "$log" | sort -u >&2 || true
    echo "install-deps.sh: the 32-bit wine cannot be installed here: the win32 preset's tests" \
         "will report themselves skipped; the win64 preset runs them" >&2
  fi
  rm -f "$log"
fi

[ -z "$purpose" ] || exit 0

if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "Generating the de_DE.UTF-8 locale"
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The page's tools (the browser tests' drivers and old Chromiums, axe-core, the compatibility
# lint, Lighthouse for the bench), at the versions the lock file pins; npm ci again only when
# node_modules is missing or was installed from another lock file.
tools=$(cd "$(dirname "$0")/.." && pwd)
if ! cmp -s "$tools/package-lock.json" "$tools/node_modules/.kalvet-package-lock.json"; then
  echo "Installing the page's npm packages"
  (cd "$tools" && npm ci --no-audit --no-fund)
  cp "$tools/package-lock.json" "$tools/node_modules/.kalvet-package-lock.json"
fi
