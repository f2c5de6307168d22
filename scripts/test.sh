#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test:
# the Windows-free logic natively with sanitizers, then the Windows build under
# Wine in a fresh prefix on a private virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup-debian.sh"

echo "== native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs")

echo "== Windows build (MinGW-w64, i686)"
cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/windows" -j "$jobs"

echo "== Windows tests under Wine"
rm -rf "$root/build/windows/test-wine"
export CORVANE_PRIVATE_DISPLAY=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$root/build/windows/test-wine"
trap corvane_session_end EXIT
trap 'exit 130' INT TERM
(cd "$root/build/windows" && ctest --output-on-failure)
