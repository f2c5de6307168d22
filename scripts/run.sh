#!/usr/bin/env bash
# Installs what is missing, builds Corvane.exe and runs it under Wine: on $DISPLAY
# when there is one, otherwise on a private virtual display. The Wine prefix is
# private to this checkout (run-wine in the build folder) and kept between runs.
# Arguments are passed to Corvane.exe (for example /debug).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup-debian.sh"
# shellcheck source=windows-arch.sh
source "$root/scripts/windows-arch.sh"
cmake -S "$root" -B "$corvane_windows_build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$corvane_toolchain" >/dev/null
cmake --build "$corvane_windows_build" -j "$(nproc)" --target Corvane

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$corvane_windows_build/run-wine"
trap corvane_session_end EXIT
trap 'exit 130' INT TERM
if [ -n "$corvane_xvfb_pid" ]; then
  echo "No \$DISPLAY: Corvane runs on the private virtual display $DISPLAY."
else
  echo "Corvane runs on display $DISPLAY; quit it from its menu (left Shift + middle click)."
fi
# In the background, so that Ctrl+C or a TERM ends the session at once.
wine "$corvane_windows_build/src/app/Corvane.exe" "$@" &
wait $!
