#!/usr/bin/env bash
# Runs a Windows executable under Wine; ctest uses it for every Windows test.
# The Wine session (prefix, display, wineserver) comes from scripts/wine-session.sh.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run.sh: no Wine session; run the tests through scripts/test.sh" >&2
  exit 2
fi
# Wine may start its system processes (services.exe and friends) from this run;
# they outlive it, so they must not inherit ctest's output pipe: the output goes
# through a file instead.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
exit $status
