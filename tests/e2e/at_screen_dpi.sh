#!/usr/bin/env bash
# The tests named "...AtTheScreenDpi" run again at 144 and 192 DPI (150 % and
# 200 %). Wine takes the DPI from HKCU\Control Panel\Desktop\LogPixels when its
# server starts: the value is set and the server restarted for each scale, and
# both are put back afterwards, so the other tests keep the prefix at 96 DPI.
# Usage: at_screen_dpi.sh <runner> <test executable>...
# Runs inside a Wine session (WINEPREFIX and DISPLAY set, as scripts/test.sh provides).
set -uo pipefail

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "no Wine session; run the tests through scripts/test.sh" >&2
  exit 77
fi
runner=$1
shift
key='HKCU\Control Panel\Desktop'

# Wine's server and system processes outlive the commands that start them: they
# must not hold ctest's output pipe open, so none of them gets it.
set_dpi() {  # reg arguments
  wine reg "$@" >/dev/null 2>&1 </dev/null
  # The server keeps the registry and writes it out as it stops.
  wineserver -k >/dev/null 2>&1 </dev/null
}
# The session's prefix leaves the value out (96 DPI), and its server stays.
trap 'set_dpi delete "$key" /v LogPixels /f; wineserver -p >/dev/null 2>&1 </dev/null' EXIT

failed=0
for dpi in 144 192; do
  set_dpi add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f
  for exe in "$@"; do
    echo "# $(basename "$exe") at $dpi DPI"
    "$runner" "$exe" --gtest_filter='*AtTheScreenDpi*' || failed=1
  done
done
exit $failed
