#!/usr/bin/env bash
# Runs the Windows build's tests under Wine. A Wine prefix is made once for
# the run and removed afterwards: the unit and UI tests run in a copy with
# Wine's null display driver, the end-to-end tests each copy it again for a
# display of their own. The unit tests' Wine server is started once before
# them, so that each test program does not pay for starting it, and
# stopped at the end.
# Usage: scripts/test-windows.sh BUILD_FOLDER [ctest arguments...]
set -euo pipefail
build=$1
shift

wine_folder=/usr/lib/wine
wine=$(command -v wine64 || echo "$wine_folder/wine64")
wineserver=$(command -v wineserver || echo "$wine_folder/wineserver")

wine_folders=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-wine.XXXXXX")
export QUORVANDEL_WINE_TEMPLATE=$wine_folders/template
export WINEPREFIX=$wine_folders/tests
export WINEDEBUG=-all
# No Mono or Gecko installers, no window of the first start; a test
# program that crashes ends at once instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
stop() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  rm -rf "$wine_folders"
}
trap stop EXIT

# The prefix's first start is the slow one: make it here, once, and let its
# Wine server end before it is copied.
WINEPREFIX=$QUORVANDEL_WINE_TEMPLATE "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
WINEPREFIX=$QUORVANDEL_WINE_TEMPLATE "$wineserver" -w
cp -a "$QUORVANDEL_WINE_TEMPLATE" "$WINEPREFIX"

# Windows without a display: Wine's null graphics driver still makes
# windows, queues their messages and registers hotkeys. Wine's services
# started now keep running for the whole run; they must not hold CTest's
# output pipes, or CTest would wait for them after each test.
"$wineserver" -p </dev/null >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
# The desktop process of that start has chosen its driver already: start
# Wine's services again with the null one.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
"$wineserver" -p </dev/null >/dev/null 2>&1
"$wine" wineboot </dev/null >/dev/null 2>&1 || true

cd "$build"
ctest --output-on-failure "$@"
