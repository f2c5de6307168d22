#!/usr/bin/env bash
# Installs what is missing, lints the CI workflow and the shell scripts, builds
# both configurations and runs every test: the Windows-free logic natively with
# sanitizers, then the Windows build under Wine in a fresh prefix on a private
# virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup-debian.sh"
# shellcheck source=windows-arch.sh
source "$root/scripts/windows-arch.sh"

echo "== lint: the CI workflow (actionlint) and the shell scripts (shellcheck)"
bash "$root/scripts/lint.sh"

echo "== native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs")

echo "== Windows build (MinGW-w64, i686)"
cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
if [ "$corvane_arch" = i686 ]; then
  cmake --build "$root/build/windows" -j "$jobs"
else
  # Only the shipped program, and the checks of its file, which need no Wine.
  cmake --build "$root/build/windows" -j "$jobs" --target Corvane
  (cd "$root/build/windows" && ctest --output-on-failure -L product)
  echo "== Windows build (MinGW-w64, x86_64): this kernel runs no 32-bit code, so Wine runs the tests 64-bit"
  cmake -S "$root" -B "$corvane_windows_build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$corvane_toolchain" >/dev/null
  cmake --build "$corvane_windows_build" -j "$jobs"
fi

echo "== Windows tests under Wine"
rm -rf "$corvane_windows_build/test-wine"
export CORVANE_PRIVATE_DISPLAY=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$corvane_windows_build/test-wine"
trap corvane_session_end EXIT
trap 'exit 130' INT TERM
(cd "$corvane_windows_build" && ctest --output-on-failure)
