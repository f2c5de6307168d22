#!/usr/bin/env bash
# Prints Corvane's figures: idle CPU and private memory of the running
# Corvane.exe under Wine against a minimal program with a 100 ms timer that does
# nothing (built the same way), the size of Corvane.exe and the DLLs it
# imports, and the indicator benchmark (its rendering at 96 and at 192 DPI). A
# benchmark, not a test: it takes several minutes. CORVANE_BUILD_DIR picks the build folder (default
# build/windows), CORVANE_IDLE_SECONDS the measuring time (default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$root/build/windows}
seconds=${CORVANE_IDLE_SECONDS:-60}

"$root/scripts/setup-debian.sh"
# shellcheck source=windows-arch.sh
source "$root/scripts/windows-arch.sh"
build_for() {
  cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$2.cmake" >/dev/null
  cmake --build "$1" -j "$(nproc)" --target "${@:3}" >/dev/null
}
# The size is the shipped 32-bit program's; what runs, runs in the build Wine can start.
build_for "$build" i686 Corvane
shipped_exe=$build/src/app/Corvane.exe
[ "$corvane_arch" = i686 ] || build="$corvane_windows_build"
build_for "$build" "$corvane_arch" Corvane minimal_timer indicator_bench

corvane_exe=$build/src/app/Corvane.exe
minimal_exe=$build/bench/minimal/minimal_timer.exe
bench_exe=$build/bench/indicator_bench.exe

echo "== Machine"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1), $(nproc) cores"
echo "system: $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r), $(wine --version), programs run as $corvane_arch"

echo "== Corvane.exe"
size=$(stat -c %s "$shipped_exe")
awk -v s="$size" 'BEGIN { printf "size: %d bytes = %.1f KB (target under 400 KB)\n", s, s / 1024 }'
dlls=$(i686-w64-mingw32-objdump -p "$shipped_exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -f | tr '\n' ' ')
echo "imports: $dlls"

export CORVANE_PRIVATE_DISPLAY=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$build/figures-wine"
trap corvane_session_end EXIT
# Consent for the executable's folder, so that Corvane activates at once.
wine reg add 'HKLM\SOFTWARE\Halvorn\Corvane' /ve /d "$(winepath -w "$(dirname "$corvane_exe")")" /f /reg:64 \
  >/dev/null 2>&1

# CPU time of all threads of a process, in nanoseconds.
cpu_ns() {
  local total=0 t
  for t in /proc/"$1"/task/*/schedstat; do
    total=$((total + $(cut -d' ' -f1 "$t" 2>/dev/null || echo 0)))
  done
  echo "$total"
}

# Private memory, in KB: the pages the process has written and shares with no
# other (heaps, data, relocations). Clean pages count as private only while no
# other 32-bit process maps the same library, so they are left out.
private_kb() {
  awk '/^(Private_Dirty|Swap):/ { kb += $2 } END { print kb }' /proc/"$1"/smaps_rollup
}

# The newest process of this Wine prefix whose command line matches $1 (other
# Wine sessions may run the same programs at the same time).
process_of() {
  local pid
  for _ in $(seq 100); do
    for pid in $(pgrep -f -- "$1" | sort -rn); do
      if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
        echo "$pid"
        return
      fi
    done
    sleep 0.1
  done
  echo "no process for $1" >&2
  return 1
}

# Runs one program alone: settles for 5 s, then measures its CPU and the
# wineserver's over $seconds, and its private memory. Prints "cpu_ns server_ns private_kb".
measure() {
  wine "$1" >/dev/null 2>&1 &
  local pid server cpu0 srv0 cpu1 srv1 memory
  pid=$(process_of "$1")
  server=$(process_of wineserver)
  sleep 5
  memory=$(private_kb "$pid")
  cpu0=$(cpu_ns "$pid")
  srv0=$(cpu_ns "$server")
  sleep "$seconds"
  cpu1=$(cpu_ns "$pid")
  srv1=$(cpu_ns "$server")
  kill "$pid"
  wait 2>/dev/null || true
  echo "$((cpu1 - cpu0)) $((srv1 - srv0)) $memory"
}

layouts_key='HKLM\System\CurrentControlSet\Control\Keyboard Layouts\00010419'
echo "== Idle cost over ${seconds} s, each program alone, after 5 s to settle"
# With one keyboard layout a tick ends after counting them: what is left is the
# timer and the gesture test.
wine reg delete "$layouts_key" /f >/dev/null 2>&1 || true
read -r o_cpu o_srv _ < <(measure "$corvane_exe")
# With two, every tick also finds the layout under the pointer.
wine reg add "$layouts_key" /v 'Layout Id' /d 0001 /f >/dev/null 2>&1
read -r c_cpu c_srv c_mem < <(measure "$corvane_exe")
read -r m_cpu m_srv m_mem < <(measure "$minimal_exe")
awk -v s="$seconds" -v oc="$o_cpu" -v os="$o_srv" -v cc="$c_cpu" -v cs="$c_srv" -v mc="$m_cpu" -v ms="$m_srv" -v cm="$c_mem" -v mm="$m_mem" 'BEGIN {
  printf "Corvane.exe, one layout:  process %.1f ms CPU (%.3f%%), wineserver %.1f ms\n", oc / 1e6, oc / 1e7 / s, os / 1e6
  printf "Corvane.exe, two layouts: process %.1f ms CPU (%.3f%%), wineserver %.1f ms\n", cc / 1e6, cc / 1e7 / s, cs / 1e6
  printf "minimal:                  process %.1f ms CPU (%.3f%%), wineserver %.1f ms\n", mc / 1e6, mc / 1e7 / s, ms / 1e6
  printf "idle CPU ratio Corvane / minimal, two layouts: %.2f process, %.2f with the wineserver (target <= 1.2)\n", cc / mc, (cc + cs) / (mc + ms)
  printf "idle CPU ratio Corvane / minimal, one layout:  %.2f process, %.2f with the wineserver\n", oc / mc, (oc + os) / (mc + ms)
  printf "private memory after activation: Corvane.exe %d KB, minimal %d KB, ratio %.2f (target <= 1.2)\n", cm, mm, cm / mm
}'

echo "== Indicator benchmark"
wine "$bench_exe" 2>/dev/null | tr -d '\r'
# The rendering again at 200 %: Wine takes the DPI from the prefix when its server starts.
desktop_key='HKCU\Control Panel\Desktop'
wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wineserver -k
wine "$bench_exe" --render 2>/dev/null | tr -d '\r'
wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1
wineserver -k
