#!/usr/bin/env bash
# Installs what building, running and testing Kalvet needs on Debian 12, as root.
# Idempotent: packages already present are not asked for again, so a warm machine skips apt.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libbenchmark-dev
  # 32-bit Windows build, and wine with a virtual display to run it here
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 xvfb xauth
  # the same program built 64-bit, and a 64-bit wine to run its tests where the kernel runs no
  # 32-bit programs
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
  # Qt front end, and the Song-style CJK face with SimSun's metrics that stands in for SimSun
  qt6-base-dev libfontconfig-dev fonts-arphic-uming
  # a wide Latin face, to test that captions still fit on a system without the Song face
  fonts-dejavu-core
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
  # the icon's PNGs and the Windows .ico, rendered from its drawing at build time
  librsvg2-bin icoutils
  # screenshots of the running window; GNU time for the start-up benchmark
  imagemagick time
  # the .deb package and its dependency list; the validators of its menu and software centre
  # entries
  dpkg-dev file desktop-file-utils appstream
  # a decimal-comma locale, so the test that results ignore the locale has one to switch to
  locales
  # the page: emscripten (its JS optimizer needs acorn on node's module path), and chromium
  # for the browser tests, driven headless by playwright-core from npm
  emscripten node-acorn chromium
)
# node and npm come with the machine image; where they do not, Debian's serve.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "Generating the de_DE.UTF-8 locale"
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The browser tests' drivers, at the versions the lock file pins; npm ci again only
# when node_modules is missing or was installed from another lock file.
web_tests=$(cd "$(dirname "$0")/../tests/app/web" && pwd)
if ! cmp -s "$web_tests/package-lock.json" "$web_tests/node_modules/.kalvet-package-lock.json"; then
  echo "Installing the browser tests' npm packages"
  (cd "$web_tests" && npm ci --no-audit --no-fund)
  cp "$web_tests/package-lock.json" "$web_tests/node_modules/.kalvet-package-lock.json"
fi
