#!/usr/bin/env bash
# Installs what is missing, builds Corvane.exe and runs it under Wine: on $DISPLAY
# when there is one, otherwise on a private virtual display. The Wine prefix is
# private to this checkout (build/windows/run-wine) and kept between runs.
# Arguments are passed to Corvane.exe (for example /debug).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$(nproc)" --target Corvane

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$root/build/windows/run-wine"
trap corvane_session_end EXIT
trap 'exit 130' INT TERM
if [ -n "$corvane_xvfb_pid" ]; then
  echo "No \$DISPLAY: Corvane runs on the private virtual display $DISPLAY."
else
  echo "Corvane runs on display $DISPLAY; quit it from its menu (left Shift + middle click)."
fi
# In the background, so that Ctrl+C or a TERM ends the session at once.
wine "$root/build/windows/src/app/Corvane.exe" "$@" &
wait $!
