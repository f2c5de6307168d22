#!/usr/bin/env bash
# Makes docs/scales.png: at 100 %, 150 % and 200 % (96, 144 and 192 DPI), the
# user's I-beam and the labelled one, over white and over a dark grey, each row
# at its own size and the whole shown twice as large; and docs/modes.png: at
# 150 %, the input methods' modes あ, A, 中, 英 and 가 on the I-beam in the
# default label font, over white and over the grey, twice as large. Uses Wine's
# I-beam, so it shows the size and the label, not Windows' own artwork. Needs
# ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup-debian.sh"
# shellcheck source=windows-arch.sh
source "$root/scripts/windows-arch.sh"
build=$corvane_windows_build
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$corvane_toolchain" >/dev/null
cmake --build "$build" --target ibeam_picture -j "$(nproc)" >/dev/null

export CORVANE_PRIVATE_DISPLAY=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh" "$build/pictures-wine"
trap corvane_session_end EXIT
out=$(mktemp -d)
desktop_key='HKCU\Control Panel\Desktop'
rows=()
for dpi in 96 144 192; do
  # Wine takes the DPI from the prefix when its server starts.
  wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k
  # Wine's drive Z: is the root of the Linux file system.
  wine "$build/bench/ibeam_picture.exe" "Z:${out//\//\\}\\$dpi.bmp" >/dev/null 2>&1
  rows+=("$out/$dpi.bmp")
done
convert "${rows[@]}" -background '#e8e8e8' -splice 0x8 -append -scale 200% "$root/docs/scales.png"
wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -k
wine "$build/bench/ibeam_picture.exe" --modes "Z:${out//\//\\}\\modes.bmp" >/dev/null 2>&1
convert "$out/modes.bmp" -scale 200% "$root/docs/modes.png"
rm -rf "$out"
echo "docs/scales.png docs/modes.png"
