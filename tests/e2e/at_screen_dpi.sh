#!/usr/bin/env bash
# The tests named "...AtTheScreenDpi" run again at 144 and 192 DPI (150 % and
# 200 %). Wine takes the DPI from HKCU\Control Panel\Desktop\LogPixels when its
# server starts: the value is set and the server stopped for each scale; then
# the value goes (96 DPI, as the session's prefix has it) and a server that
# stays is started again, as scripts/wine-session.sh leaves it. Wine's server
# and system processes outlive the commands that start them, so none of them
# gets ctest's output pipe.
# Usage: at_screen_dpi.sh <runner> <test executable>... (inside the Wine session of scripts/test.sh)
runner=$1
shift
key='HKCU\Control Panel\Desktop'
set_dpi() {  # reg arguments
  wine reg "$@" >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 </dev/null
}
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
