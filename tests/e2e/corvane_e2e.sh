#!/usr/bin/env bash
# The real Corvane.exe under Wine, driven like a user would on the session's
# display, for what only the real program shows: its consent window, the
# cursor calls it makes, one instance at a time, the control menu opened by the
# real keys and answering its own keys over Notepad, Quit, and a user without administrator rights starting it from a
# folder the ANSI code page cannot spell.
# Usage: corvane_e2e.sh <Corvane.exe> <folder for logs> <deny_machine_keys.exe> <notepad_text.exe>
#   <announce_cursors.exe>
# Runs inside a Wine session (WINEPREFIX and DISPLAY set, as scripts/test.sh
# provides) and leaves the prefix as it found it.
set -uo pipefail

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "no Wine session; run the tests through scripts/test.sh" >&2
  exit 77
fi

built_exe=$1
out=$2
mkdir -p "$out"

# Windows paths and their places in the prefix.
home_win='C:\corvane-e2e'
home_dir="$WINEPREFIX/drive_c/corvane-e2e"
greek_dir="$WINEPREFIX/drive_c/Κορβάνη"
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

# A REG_SZ value in the 64-bit view; "<absent>" when there is none.
reg_value() {  # key name ("" for the default value)
  local text query=(/v "$2")
  [ -z "$2" ] && query=(/ve)
  text=$(quiet_wine reg query "$1" "${query[@]}" /reg:64) || { echo "<absent>"; return; }
  sed -n "s/^    ${2:-(Default)}    REG_SZ    //p" <<<"$text"
}

# The program's values, the machine's in both views and the user's.
forget_program() {
  for root in HKLM HKCU; do
    for view in /reg:64 /reg:32; do
      for key in "$root\SOFTWARE\Halvorn" "${paths_key/HKLM/$root}"; do
        quiet_wine reg delete "$key" /f "$view" >/dev/null
      done
    done
    quiet_wine reg delete "${run_key/HKLM/$root}" /v Corvane /f /reg:64 >/dev/null
  done
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

wait_for() {  # seconds command...: polls every tenth of a second until the command succeeds
  for ((tenths = $1 * 10; tenths > 0; tenths--)); do
    "${@:2}" && return 0
    sleep 0.1
  done
  return 1
}

has_consent_window() { [ -n "$(consent_window)" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# A close request from another program; a kill when it goes unanswered.
close_from_outside() {
  ended "$1" && return
  quiet_wine taskkill /im Corvane.exe >/dev/null
  wait_for 10 ended "$1" || { kill "$1" 2>/dev/null; wait_for 5 ended "$1"; }
}

click_button() {  # window x y (client coordinates of the button's centre)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

cleanup() {
  [ -n "${notepad:-}" ] && kill "$notepad" 2>/dev/null
  setxkbmap -layout us -option
  [ -n "${corvane:-}" ] && kill "$corvane" 2>/dev/null
  forget_program
  quiet_wine reg delete "$layouts_key" /f >/dev/null
  rm -rf "$home_dir" "$greek_dir"
  rm -f "$scratch"
}
trap cleanup EXIT

forget_program
mkdir -p "$home_dir"
cp "$built_exe" "$home_dir/Corvane.exe"
# A second keyboard layout, so that the polling draws a label.
quiet_wine reg add "$layouts_key" /v 'Layout Id' /t REG_SZ /d 0001 /f >/dev/null

echo "# first start: the consent window, Yes, and the labelled I-beam"
# The checks after a missing consent window fail too; $corvane and $log stay this process's until Quit.
start_corvane "$home_win\\Corvane.exe" "$out/first.log"
wait_for 20 has_consent_window || fail "no consent window on the first start"
expect_eq "caption" "$(xdotool getwindowname "$(consent_window)")" "$title"
eval "$(xdotool getwindowgeometry --shell "$(consent_window)")"
expect_eq "client area" "${WIDTH}x${HEIGHT}" "464x288"
click_button "$(consent_window)" $((156 + 36)) $((256 + 12))
# Activation reloads the cursors (SPI_SETCURSORS, action 87), then a tick installs the I-beam (OCR_IBEAM).
wait_for 10 grep -q "$reload_trace" "$log" && pass "activation reloads the cursors" || fail "no cursor reload"
wait_for 10 grep -q 'SetSystemCursor (.*,00007f01)' "$log" && pass "the I-beam is installed" ||
  fail "no SetSystemCursor call for the I-beam (00007f01)"
# Wine's installs change nothing: the I-beam check tries twice a second apart,
# then stops; each announced reload of the cursors still installs the I-beam.
installs() { grep -c 'SetSystemCursor (.*,00007f01)' "$log"; }
sleep 4
tries=$(installs)
for _ in 1 2 3; do quiet_wine "$5"; done
sleep 3
expect_eq "installs: idle, then after three announced reloads" "$tries $(installs)" "3 6"

echo "# second starts while one runs end at once"
for args in "" "/debug"; do
  timeout 30 wine "$home_win\\Corvane.exe" $args >"$out/second.log" 2>&1 </dev/null
  expect_eq "second start ${args:-(plain)}" "$?:$(consent_window)" "0:"
done

echo "# the control menu over Notepad: left Shift + a 20 ms middle click, 20 times, then its keys"
wine notepad >"$out/notepad.log" 2>&1 </dev/null &
notepad=$!
wait_for 20 sh -c 'xdotool search --onlyvisible --name Notepad | grep -q .' || fail "notepad did not start"
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name Notepad | head -n1)")"
pointer="$((X + 150)),$((Y + 120))"
# The popup is the program's one visible window without a title; its top-left corner.
popup() {
  for id in $(xdotool search --onlyvisible --classname corvane.exe 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id")" ] && echo "$id"
  done
}
popup_at() { for id in $(popup); do xdotool getwindowgeometry --shell "$id" | sed -n 's/^[XY]=//p' | paste -sd,; done; }
menu_open() { [ -n "$(popup_at)" ]; }
# The click falls between ticks: raw input sees it. With "held" the left Shift key stays down.
gesture() {
  local release=(keyup Shift_L)
  [ "${1:-}" = held ] && release=()
  xdotool keydown Shift_L sleep 0.2 mousedown 2 sleep 0.02 mouseup 2 sleep 0.05 "${release[@]}"
  wait_for 3 menu_open || fail "a gesture opened no menu"
}
# Presses keys on the open menu: the menu closes and the window named `$1` opens, which the key `$2` closes.
# Without a window manager X sends keys to the window under the pointer, so the pointer goes there first.
keys_open() {  # window closing-key keys...
  xdotool key "${@:3}"
  wait_for 3 eval '! menu_open' && wait_for 5 eval "xdotool search --onlyvisible --name '$1' >/dev/null" || fail "$* opened no $1"
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "$1" | head -n1)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) key "$2" mousemove "${pointer%,*}" "${pointer#*,}"
  wait_for 10 eval "! xdotool search --onlyvisible --name '$1' >/dev/null" || fail "$2 did not reach $1"
}
xdotool mousemove "${pointer%,*}" "${pointer#*,}" click 1 sleep 0.3 type 1
# Each key alone, the middle button held across several ticks: nothing opens.
xdotool keydown Shift_L sleep 0.4 keyup Shift_L sleep 0.2 mousedown 2 sleep 0.4 mouseup 2
wait_for 1 menu_open && fail "a key alone opened the menu" || pass "left Shift alone, the middle button alone: no menu"
for n in $(seq 20); do
  gesture
  [ "$n" = 20 ] && expect_eq "menu at the pointer" "$(popup_at)" "$pointer"
  xdotool key Escape
  wait_for 3 eval '! menu_open' || fail "Escape left the menu open"
done
xdotool type 2 && gesture && keys_open '^Font$' Escape f
gesture && keys_open "^About $title\$" Return Down Down Return
gesture held && xdotool key w keyup Shift_L sleep 1
expect_eq "W switches autostart off" "$(reg_value "$run_key" Corvane)" "<absent>"
# A Russian layout: the F key types a Cyrillic "a", and still chooses the font item.
# Wine takes the virtual keys from the first group, as Windows' Russian layout has them: the second one is Russian.
setxkbmap -layout us,ru -option grp:sclk_toggle && xdotool key Scroll_Lock mousemove "${pointer%,*}" "${pointer#*,}" click 1 sleep 0.3 key Cyrillic_a
gesture && keys_open '^Font$' Escape Cyrillic_a
xdotool key Scroll_Lock && setxkbmap -layout us -option && xdotool mousemove "${pointer%,*}" "${pointer#*,}" click 1 sleep 0.3 type 3
gesture && xdotool key q
wait_for 10 ended "$corvane" && pass "Q ends the process" || fail "the process runs on after Q"
expect_eq "cursors reloaded at activation and at Quit" "$(grep -c "$reload_trace" "$log")" "2"
# Notepad holds "12", the Cyrillic "a" and "3": what was typed there, nothing meant for the menu.
expect_eq "Notepad's text" "$(quiet_wine "$4")" "0031 0032 0430 0033 "
kill "$notepad" 2>/dev/null

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
forget_program
mkdir -p "$greek_dir" && cp "$built_exe" "$greek_dir/Corvane.exe"
# shellcheck disable=SC2034 # shellcheck 0.9 does not see a coproc's array and pid used
coproc denial { wine "$3" >"$out/deny.log" 2>&1; }
wait_for 30 grep -q denied "$out/deny.log" || fail "writing to the machine-wide keys could not be denied"
start_corvane 'C:\Κορβάνη\Corvane.exe' "$out/user.log"
wait_for 20 has_consent_window || fail "no consent window from the Greek folder"
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
close_from_outside "$corvane"
# shellcheck disable=SC1083,SC2093
exec {denial[1]}>&-
# shellcheck disable=SC2154
wait "$denial_PID"

echo "# ends from outside: after activation each one puts the user's cursors back, once"
quiet_wine reg add 'HKLM\SOFTWARE\Halvorn\Corvane' /ve /d "$home_win" /f /reg:64 >/dev/null
# The session's end as a shutdown (-s): a plain "wineboot -e" goes on to start the
# Run entries again, and a 64-bit wineboot sees Corvane's.
for end in "taskkill /im Corvane.exe" "wineboot -e -s"; do
  start_corvane "$home_win\\Corvane.exe" "$out/end.log"
  wait_for 10 grep -q "$reload_trace" "$log" || fail "$end: no activation"
  quiet_wine $end >/dev/null
  wait_for 10 ended "$corvane" || fail "$end: the process runs on"
  expect_eq "$end: reloads at activation and at the end" "$(grep -c "$reload_trace" "$log")" 2
  close_from_outside "$corvane"
done

echo "# /uninstall /quiet: the running Corvane ends with its cursors back, then its values go"
start_corvane "$home_win\\Corvane.exe" "$out/uninstall.log"
wait_for 10 grep -q "$reload_trace" "$log" || fail "uninstall: no activation"
timeout 60 wine "$home_win\\Corvane.exe" /uninstall /quiet >"$out/uninstall-run.log" 2>&1 </dev/null
status=$? && { wait_for 5 ended "$corvane" && running=ended || running=running; }
expect_eq "uninstall: exit code, the running one, its cursor reloads, the values left" "$status:$running:\
$(grep -c "$reload_trace" "$log"):$(reg_value 'HKLM\SOFTWARE\Halvorn\Corvane' "")$(reg_value "$paths_key" Path)" \
  "0:ended:2:<absent><absent>"

echo "# screenshots and logs in $out"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
