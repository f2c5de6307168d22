#!/usr/bin/env bash
# Corvane.exe must be a 32-bit GUI executable that needs no DLL beyond Windows' own, and its manifest must ask for
# no execution level: without elevation Windows then redirects its registry writes instead of refusing them. It declares
# system DPI awareness, so that Windows hands it the real cursor metrics and DPI.
set -uo pipefail
headers=$("${OBJDUMP:-i686-w64-mingw32-objdump}" -p "$1")
system='^(kernel32|user32|gdi32|advapi32|comdlg32|version|msvcrt|shell32|comctl32|ole32|oleaut32|ntdll)\.dll$'
faults=$(grep -q 'file format pei-i386' <<<"$headers" || echo "not a 32-bit PE executable"
  grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || echo "not a Windows GUI executable"
  sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | grep -Eiv "$system" | sed 's/^/imports /'
  grep -q requestedExecutionLevel "$1" && echo "the manifest asks for an execution level"
  grep -Eq '<dpiAware[^>]*>true</dpiAware>' "$1" || echo "the manifest declares no system DPI awareness")
[ -z "$faults" ] && echo "1 passed, 0 failed" || echo "$faults"$'\n'"0 passed, 1 failed"
[ -z "$faults" ]
