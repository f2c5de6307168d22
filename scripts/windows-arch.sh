# shellcheck shell=bash
# Sourced, after scripts/setup-debian.sh. Picks the Windows build this machine can
# run under Wine. Corvane.exe ships as a 32-bit program, and Wine runs it with its
# 32-bit loader; a kernel without IA-32 emulation cannot start that loader. There
# the Windows programs are built for 64-bit Windows from the same sources and run
# with wine64, and only the shipped 32-bit Corvane.exe is built for i686.
corvane_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  corvane_arch=i686
  corvane_windows_build=$corvane_scripts/../build/windows
else
  corvane_arch=x86_64
  corvane_windows_build=$corvane_scripts/../build/windows64
  case ":$PATH:" in *":$corvane_scripts/wine64:"*) ;; *) export PATH="$corvane_scripts/wine64:$PATH" ;; esac
fi
corvane_windows_build=$(mkdir -p "$corvane_windows_build" && cd "$corvane_windows_build" && pwd)
# shellcheck disable=SC2034 # for the scripts that source this one
corvane_toolchain=$corvane_scripts/../cmake/mingw-w64-$corvane_arch.cmake
