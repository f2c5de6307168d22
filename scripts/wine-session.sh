# shellcheck shell=bash
# Sourced. Prepares a private Wine session: a display (the user's $DISPLAY, or a
# private Xvfb when there is none or CORVANE_PRIVATE_DISPLAY=1), a Wine prefix in
# the folder given as $1 (created on first use), and a persistent wineserver.
# Everything it starts is stopped by corvane_session_end.

corvane_session_dir=$(mkdir -p "$1" && cd "$1" && pwd)
# wine itself: the 32-bit loader, or wine64 on a machine that runs no 32-bit code.
# shellcheck source=windows-arch.sh
source "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
export WINEPREFIX="$corvane_session_dir/prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
corvane_xvfb_pid=

corvane_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$corvane_xvfb_pid" ]; then
    kill "$corvane_xvfb_pid" 2>/dev/null || true
    wait "$corvane_xvfb_pid" 2>/dev/null || true
  fi
}

if [ -z "${DISPLAY:-}" ] || [ "${CORVANE_PRIVATE_DISPLAY:-0}" = 1 ]; then
  displayfile="$corvane_session_dir/display"
  : >"$displayfile"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$displayfile" >/dev/null 2>&1 &
  corvane_xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  [ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(head -n1 "$displayfile")"
  export DISPLAY
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  # A crashing program must fail its test, not wait for a click on Wine's crash
  # dialog. On a busy machine the first start of a new prefix can still be
  # settling: the setting is tried again before the session is given up.
  for try in 1 2 3; do
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 && break
    [ "$try" = 3 ] && { echo "Wine prefix $WINEPREFIX could not be set up" >&2; return 1; }
    wineserver -w || true
    sleep 2
  done
  wineserver -w || true
fi
wineserver -p
