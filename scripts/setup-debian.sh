#!/usr/bin/env bash
# Installs what building and testing Corvane needs on Debian, skipping what is there;
# given package names, installs just those (scripts/package.sh needs no Wine).
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix googletest wine wine32:i386 wine64 fonts-wine xvfb xdotool x11-utils x11-xkb-utils imagemagick locales fonts-wqy-microhei
  python3-yaml shellcheck nodejs)
# npm is a package of its own with Debian's Node.js, and part of NodeSource's.
command -v npm >/dev/null || packages+=(npm)
[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" dpkg --add-architecture i386
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
