#!/usr/bin/env bash
# Corvane.exe must be a 32-bit GUI executable that needs no DLL beyond Windows' own.
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe")
fail=0
grep -q 'file format pei-i386' <<<"$headers" || { echo "not a 32-bit PE executable"; fail=1; }
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || { echo "not a Windows GUI executable"; fail=1; }
system_dlls='^(kernel32|user32|gdi32|advapi32|comdlg32|version|msvcrt|shell32|comctl32|ole32|oleaut32|ntdll)\.dll$'
while read -r dll; do
  if ! grep -Eiq "$system_dlls" <<<"$dll"; then echo "imports a non-system DLL: $dll"; fail=1; fi
  echo "imports $dll"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
if grep -Eq 'requestedExecutionLevel' "$exe"; then echo "manifest asks for an execution level"; fail=1; fi
size=$(stat -c %s "$exe")
echo "size $size bytes"
[ "$fail" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$fail"
