#!/usr/bin/env bash
# The real Corvane.exe under Wine, driven like a user would on the session's
# display: consent window, Yes, the registry it writes, single instance, the
# debug switch, a moved copy, the labelled I-beam, the control menu and Quit.
# Usage: corvane_e2e.sh <Corvane.exe> <folder for logs and screenshots>
# Runs inside a Wine session (WINEPREFIX and DISPLAY set, as scripts/test.sh
# provides) and leaves the prefix as it found it.
set -uo pipefail

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "no Wine session; run the tests through scripts/test.sh" >&2
  exit 77
fi
for tool in xdotool import wine; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 77; }
done

built_exe=$1
out=$2
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log

# Windows paths and their places in the prefix.
home_win='C:\corvane-e2e'
moved_win='C:\corvane-e2e-moved'
home_dir="$WINEPREFIX/drive_c/corvane-e2e"
moved_dir="$WINEPREFIX/drive_c/corvane-e2e-moved"
app_key='HKLM\SOFTWARE\Halvorn\Corvane'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
paths_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Corvane.exe'
layouts_key='HKLM\System\CurrentControlSet\Control\Keyboard Layouts\00010419'
title=$(printf 'Tirella\xe2\x84\xa2')
reload_trace='NtUserSystemParametersInfo (87, 0, '


failures=0
pass() { echo "ok   - $*"; }
fail() {
  echo "FAIL - $*"
  failures=$((failures + 1))
}
expect_eq() {  # description actual expected
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}

# Wine's system processes may outlive the command that started them: output
# goes through a file, never a pipe they could keep open.
scratch=$(mktemp)
quiet_wine() {
  wine "$@" >"$scratch" 2>&1 </dev/null
  local status=$?
  tr -d '\r' <"$scratch"
  return $status
}

# A REG_SZ value in the 64-bit view (or the view given); "<absent>" when there is none.
reg_value() {  # key name ("" for the default value) [view]
  local text view=${3:-/reg:64}
  if [ -z "$2" ]; then
    text=$(quiet_wine reg query "$1" /ve "$view") || { echo "<absent>"; return; }
    sed -n 's/^    (Default)    REG_SZ    //p' <<<"$text"
  else
    text=$(quiet_wine reg query "$1" /v "$2" "$view") || { echo "<absent>"; return; }
    sed -n "s/^    $2    REG_SZ    //p" <<<"$text"
  fi
}

registry_state() {
  printf '%s|' "$(reg_value "$app_key" "")" "$(reg_value "$app_key" CurrentVersion)" \
    "$(reg_value "$run_key" Corvane)" "$(reg_value "$paths_key" "")" "$(reg_value "$paths_key" Path)"
}

forget_program() {
  for view in /reg:64 /reg:32; do
    quiet_wine reg delete "$app_key" /f "$view" >/dev/null
    quiet_wine reg delete 'HKLM\SOFTWARE\Halvorn' /f "$view" >/dev/null
    quiet_wine reg delete "$paths_key" /f "$view" >/dev/null
  done
  quiet_wine reg delete "$run_key" /v Corvane /f /reg:64 >/dev/null
}

# Starts Corvane.exe (a Windows path) in the background; its pid in $corvane,
# its log in $log. The log traces every SystemParametersInfo call and every
# SetSystemCursor call (a stub in Wine, which only logs it).
start_corvane() {  # exe log arguments...
  local exe=$1
  log=$2
  shift 2
  WINEDEBUG=-all,fixme+cursor,trace+system wine "$exe" "$@" >"$log" 2>&1 </dev/null &
  corvane=$!
}

consent_window() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1; }

wait_for() {  # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

has_consent_window() { [ -n "$(consent_window)" ]; }
no_consent_window() { [ -z "$(consent_window)" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# A start that must activate without showing anything; its activation (the
# cursor reload) is timed from the start, as a figure.
expect_silent_start() {  # description arguments...
  local what=$1 started
  shift
  started=$(date +%s%N)
  start_corvane "$home_win\\Corvane.exe" "$out/silent.log" "$@"
  if wait_for 10 grep -q "$reload_trace" "$log"; then
    echo "figure: $what activated $((($(date +%s%N) - started) / 1000000)) ms after the start"
  else
    fail "$what: no activation"
  fi
  if wait_for 2 has_consent_window; then
    fail "$what: the consent window appeared"
  elif ended "$corvane"; then
    fail "$what: the process ended"
  else
    pass "$what: no window, the process runs"
  fi
  close_from_outside "$corvane"
}

# A close request from another program (WM_CLOSE to its windows); the
# process is stopped outright only when it does not end by itself.
close_from_outside() {
  ended "$1" && return
  quiet_wine taskkill /im Corvane.exe >/dev/null
  wait_for 10 ended "$1" || { kill "$1" 2>/dev/null; wait_for 5 ended "$1"; }
}

click_button() {  # window x y (client coordinates of the button's centre)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

screenshot() { import -window root "$out/$1.png"; }

cleanup() {
  [ -n "${notepad:-}" ] && kill "$notepad" 2>/dev/null
  [ -n "${corvane:-}" ] && kill "$corvane" 2>/dev/null
  forget_program
  quiet_wine reg delete "$layouts_key" /f >/dev/null
  rm -rf "$home_dir" "$moved_dir"
  rm -f "$scratch"
}
trap cleanup EXIT

forget_program
mkdir -p "$home_dir" "$moved_dir"
cp "$built_exe" "$home_dir/Corvane.exe"
cp "$built_exe" "$moved_dir/Corvane.exe"
# A second keyboard layout, so that the polling draws a label.
quiet_wine reg add "$layouts_key" /v 'Layout Id' /t REG_SZ /d 0001 /f >/dev/null

echo "# first start: the consent window"
started=$(date +%s%N)
start_corvane "$home_win\\Corvane.exe" "$out/first.log"
first=$corvane
first_log=$log
if wait_for 20 has_consent_window; then
  echo "figure: consent window shown $((($(date +%s%N) - started) / 1000000)) ms after the start"
  window=$(consent_window)
  expect_eq "caption" "$(xdotool getwindowname "$window")" "$title"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  expect_eq "client area" "${WIDTH}x${HEIGHT}" "464x288"
  screenshot consent
  expect_eq "nothing written before Yes" "$(registry_state)" "<absent>|<absent>|<absent>|<absent>|<absent>|"

  echo "# Yes"
  click_button "$window" $((156 + 36)) $((256 + 12))
  # Activation reloads the cursors (SPI_SETCURSORS, action 87) while it
  # prepares the surfaces, then the first tick draws the label.
  if wait_for 10 grep -q "$reload_trace" "$first_log"; then
    prepared_ns=$(date +%s%N)
    if wait_for 3 grep -q 'SetSystemCursor (.*,00007f01)' "$first_log"; then
      elapsed_ms=$((($(date +%s%N) - prepared_ns) / 1000000))
      if [ "$elapsed_ms" -le 1000 ]; then
        pass "labelled I-beam installed ${elapsed_ms} ms after activation"
      else
        fail "labelled I-beam installed only ${elapsed_ms} ms after activation"
      fi
    else
      fail "no SetSystemCursor call for the I-beam (00007f01)"
    fi
  else
    fail "activation did not reload the cursors"
  fi
  wait_for 5 no_consent_window && pass "the window disappears" || fail "the window stays"
  ended "$first" && fail "the process ended after Yes" || pass "the process stays"
  expect_eq "registry after Yes (64-bit view)" "$(registry_state)" \
    "$home_win|0.15|$home_win\\Corvane.exe|$home_win\\Corvane.exe|$home_win|"
  expect_eq "no autostart value in the 32-bit view" "$(reg_value "$run_key" Corvane /reg:32)" "<absent>"
  expect_eq "no version in the 32-bit view" "$(reg_value "$app_key" CurrentVersion /reg:32)" "<absent>"
else
  fail "no consent window on the first start"
fi
accepted_state=$(registry_state)

echo "# second starts while one runs"
for args in "" "/debug"; do
  started=$(date +%s%N)
  timeout 30 wine "$home_win\\Corvane.exe" $args >"$out/second.log" 2>&1 </dev/null
  took=$((($(date +%s%N) - started) / 1000000))
  [ "$took" -le 10000 ] && pass "second start ${args:-(plain)} ended after ${took} ms" ||
    fail "second start ${args:-(plain)} took ${took} ms"
  no_consent_window && pass "second start ${args:-(plain)} showed nothing" || fail "second start showed a window"
done
ended "$first" && fail "the running instance ended" || pass "the running instance is unaffected"

echo "# the control menu: left Shift + middle button over a Wine window"
wine notepad >"$out/notepad.log" 2>&1 </dev/null &
notepad=$!
if wait_for 20 sh -c 'xdotool search --onlyvisible --name Notepad | grep -q .'; then
  editor=$(xdotool search --onlyvisible --name Notepad | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$editor")"
  pointer_x=$((X + 150))
  pointer_y=$((Y + 120))
  xdotool mousemove "$pointer_x" "$pointer_y"
  sleep 0.3
  xdotool keydown Shift_L mousedown 2
  sleep 0.4
  xdotool mouseup 2 keyup Shift_L
  popup_window() {
    for id in $(xdotool search --onlyvisible --classname corvane.exe 2>/dev/null); do
      [ -z "$(xdotool getwindowname "$id")" ] && { echo "$id"; return 0; }
    done
    return 1
  }
  if wait_for 5 popup_window >/dev/null; then
    eval "$(xdotool getwindowgeometry --shell "$(popup_window)")"
    expect_eq "menu at the pointer" "$X,$Y" "$pointer_x,$pointer_y"
    screenshot menu
    echo "# Quit"
    xdotool key q
    wait_for 10 ended "$first" && pass "Quit ends the process" || fail "the process runs on after Quit"
    expect_eq "cursors reloaded at activation and at Quit" "$(grep -c "$reload_trace" "$first_log")" "2"
  else
    fail "the control menu did not open"
  fi
else
  fail "notepad did not start"
fi
kill "$notepad" 2>/dev/null
wait_for 10 ended "$first" || { fail "the first instance had to be stopped"; kill "$first" 2>/dev/null; }
expect_eq "registry unchanged by the menu and Quit" "$(registry_state)" "$accepted_state"

echo "# restarts"
expect_silent_start "restart"
expect_silent_start "/DEBUG" /DEBUG
expect_silent_start "/debug x" /debug x
expect_eq "registry unchanged by silent starts" "$(registry_state)" "$accepted_state"

echo "# /debug forces the consent window; No ends the program"
start_corvane "$home_win\\Corvane.exe" "$out/debug.log" /debug
if wait_for 20 has_consent_window; then
  pass "/debug shows the consent window"
  click_button "$(consent_window)" $((236 + 36)) $((256 + 12))
  wait_for 10 ended "$corvane" && pass "No ends the process" || fail "the process runs on after No"
else
  fail "/debug did not show the consent window"
fi
close_from_outside "$corvane"
expect_eq "registry unchanged by No" "$(registry_state)" "$accepted_state"

echo "# a copy in another folder asks again; its close box ends it"
start_corvane "$moved_win\\Corvane.exe" "$out/moved.log"
if wait_for 20 has_consent_window; then
  pass "the moved copy shows the consent window"
  # A click into the text gives the window the keyboard.
  click_button "$(consent_window)" 250 100
  xdotool key alt+F4
  wait_for 10 ended "$corvane" && pass "the close box ends the process" || fail "the process runs on after closing"
else
  fail "the moved copy did not ask"
fi
close_from_outside "$corvane"
expect_eq "registry unchanged by closing" "$(registry_state)" "$accepted_state"

echo "# a user without administrator rights, from a folder the ANSI code page cannot spell"
# Deny entries on the machine-wide keys play the user; Greek letters under the
# prefix's Western code page leave the program its folder's short form only.
user_keys=('HKCU\SOFTWARE\Halvorn\Corvane' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Corvane.exe')
user_state() {
  printf '%s|' "$(reg_value "${user_keys[0]}" "")" "$(reg_value "${user_keys[0]}" CurrentVersion)" \
    "$(reg_value "${user_keys[1]}" Corvane)" "$(reg_value "${user_keys[2]}" "")" "$(reg_value "${user_keys[2]}" Path)"
}
expect_eq "nothing per-user after the runs above" "$(user_state)" "<absent>|<absent>|<absent>|<absent>|<absent>|"
greek_dir="$WINEPREFIX/drive_c/Κορβάνη"
forget_program
mkdir -p "$greek_dir" && cp "$built_exe" "$greek_dir/Corvane.exe"
coproc denial { wine "$3" >"$out/deny.log" 2>&1; }
wait_for 30 grep -q denied "$out/deny.log" || fail "writing to the machine-wide keys could not be denied"
start_corvane 'C:\Κορβάνη\Corvane.exe' "$out/user.log"
if wait_for 20 has_consent_window; then
  click_button "$(consent_window)" $((156 + 36)) $((256 + 12))
  wait_for 10 grep -q "$reload_trace" "$log" || fail "no activation after Yes"
  folder=$(reg_value "${user_keys[0]}" "")
  expect_eq "the user's values after Yes" "$(user_state)" "$folder|0.15|$folder\\Corvane.exe|$folder\\Corvane.exe|$folder|"
  run_file=$(quiet_wine winepath -u "$(reg_value "${user_keys[1]}" Corvane)")
  cmp -s "$run_file" "$built_exe" && pass "the Run value names the executable: $folder" ||
    fail "the Run value names no executable: $run_file"
  close_from_outside "$corvane"
  start_corvane 'C:\Κορβάνη\Corvane.exe' "$out/user-again.log"
  wait_for 10 grep -q "$reload_trace" "$log" && ! wait_for 2 has_consent_window &&
    pass "the next start asks nothing" || fail "the next start asked again"
else
  fail "no consent window from the Greek folder"
fi
close_from_outside "$corvane"
exec {denial[1]}>&-
wait "$denial_PID"
quiet_wine reg delete "${user_keys[1]}" /v Corvane /f >/dev/null
for key in "${user_keys[0]}" 'HKCU\SOFTWARE\Halvorn' "${user_keys[2]}"; do quiet_wine reg delete "$key" /f >/dev/null; done
rm -rf "$greek_dir"

echo "# ends from outside: after activation each one puts the user's cursors back, once"
# Consent on record: every start activates at once, reloading the cursors.
quiet_wine reg add "$app_key" /ve /d "$home_win" /f /reg:64 >/dev/null
for end in "taskkill /im Corvane.exe" "wineboot -e"; do
  start_corvane "$home_win\\Corvane.exe" "$out/end.log"
  wait_for 10 grep -q "$reload_trace" "$log" || fail "$end: no activation"
  WINEDEBUG=-all,trace+system timeout 30 wine "$home_win\\Corvane.exe" >"$out/second-end.log" 2>&1 </dev/null
  expect_eq "a second instance reloads nothing" "$(grep -c "$reload_trace" "$out/second-end.log")" 0
  quiet_wine $end >/dev/null
  wait_for 10 ended "$corvane" || fail "$end: the process runs on"
  expect_eq "$end: reloads at activation and at the end" "$(grep -c "$reload_trace" "$log")" 2
  close_from_outside "$corvane"
done

echo "# screenshots and logs in $out"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
