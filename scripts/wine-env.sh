#!/usr/bin/env bash
# The one environment every wine run of Kalvet's Windows builds shares: the build's own wine
# prefix inside its build folder, wine's debug output off, and no prompt to install Mono or
# Gecko, which nothing here needs.
#
#   . scripts/wine-env.sh BUILD             (from bash) exports it; $KALVET_WINE is the wine
#                                           and $KALVET_WINE_BUILD the build
#   bash scripts/wine-env.sh BUILD COMMAND  runs COMMAND in it; a COMMAND of "wine" stands for
#                                           $KALVET_WINE (the presets' emulator)
#
# BUILD is win32 (the 32-bit build under the 32-bit wine), win64 (the 64-bit build under
# wine64, for machines that cannot run the 32-bit wine) or auto (win32 where the 32-bit wine
# starts, else win64). The 32-bit wine is named by its own path: Debian's `wine` falls back to
# wine64 where the 32-bit one is missing, which cannot run a 32-bit program.
kalvet_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KALVET_WINE_BUILD=${1:-}
if [ "$KALVET_WINE_BUILD" = auto ]; then
  KALVET_WINE_BUILD=win64
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then KALVET_WINE_BUILD=win32; fi
fi
case $KALVET_WINE_BUILD in
  win32) KALVET_WINE=/usr/lib/wine/wine ;;
  win64) KALVET_WINE=/usr/lib/wine/wine64; export WINELOADER=$KALVET_WINE ;;
  *) echo "usage: wine-env.sh win32|win64|auto [COMMAND...]" >&2; return 2 2>/dev/null || exit 2 ;;
esac
export KALVET_WINE KALVET_WINE_BUILD WINEPREFIX=$kalvet_root/build/$KALVET_WINE_BUILD/wineprefix \
       WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  shift
  [ "${1:-}" != wine ] || set -- "$KALVET_WINE" "${@:2}"
  exec "$@"
fi
