#!/usr/bin/env bash
# Builds the release Corvane.exe in a clean build folder and packs it for Windows users:
# build/dist/Corvane-<version>-win32.zip, its sha256sum line beside it, and the winget and Scoop
# manifests made from that zip (build/dist/winget, build/dist/scoop). The same commit gives the
# same bytes in any folder, time zone or hour: every time stamp is SOURCE_DATE_EPOCH, the last commit's
# time unless given.
#   scripts/package.sh           pack the working tree
#   scripts/package.sh --check   pack the last commit twice, in two folders, at two times, in two time
#                                zones, with two file creation masks, and compare the bytes (the
#                                manifests' too)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=(cmake make g++-mingw-w64-i686 python3 python3-yaml)

if [ "${1:-}" = --check ]; then
  "$root/scripts/setup-debian.sh" "${toolchain[@]}" git
  commit=$(git -C "$root" rev-parse HEAD)
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  pack() {  # folder, time zone, umask
    mkdir -p "$1"
    git -C "$root" archive "$commit" | tar -x -C "$1"
    (umask "$3" && cd "$1" && TZ=$2 bash scripts/package.sh >"$work/log" 2>&1) || { cat "$work/log"; exit 1; }
  }
  pack "$work/a" UTC 022
  pack "$work/second/much-longer-folder-name" Pacific/Kiritimati 077
  status=0
  files=$(cd "$work/a" && echo build/package/src/app/Corvane.exe build/dist/*.zip build/dist/*.zip.sha256 \
    build/dist/winget/manifests/*/*/*/*/*.yaml build/dist/scoop/*.json)
  for file in $files; do
    if cmp "$work/a/$file" "$work/second/much-longer-folder-name/$file"; then
      echo "identical: $file"
    else
      status=1
    fi
  done
  zip=$(echo "$work"/a/build/dist/*.zip)
  echo "commit $commit: $(basename "$zip"), $(stat -c %s "$zip") bytes, SHA-256 $(sha256sum "$zip" | cut -d' ' -f1)"
  [ $status -eq 0 ] && echo "the two packings are byte for byte identical" || echo "the two packings differ"
  exit $status
fi

"$root/scripts/setup-debian.sh" "${toolchain[@]}"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) ||
    { echo "package.sh: not a git checkout; give the release's time as SOURCE_DATE_EPOCH" >&2; exit 1; }
  export SOURCE_DATE_EPOCH
fi
if git -C "$root" rev-parse 2>/dev/null && [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "package.sh: the working tree differs from the last commit; this zip is not that commit's" >&2
fi

build=$root/build/package dist=$root/build/dist
rm -rf "$build" "$dist"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$build" --target Corvane -j "$(nproc)"

version=$(cat "$build/version.txt")
name=Corvane-$version-win32.zip
mkdir -p "$dist"
/usr/bin/python3 "$root/scripts/release_zip.py" "$root/README.md" "$build/src/app/Corvane.exe" "$version" \
  "$SOURCE_DATE_EPOCH" "$dist/$name"
(cd "$dist" && sha256sum "$name" >"$name.sha256")
/usr/bin/python3 "$root/scripts/release_manifests.py" "$root/src/resources/corvane.rc" "$dist/$name"

echo "Toolchain:"
dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Version}\n' g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
  binutils-mingw-w64-i686 mingw-w64-i686-dev cmake 'python3*-minimal' zlib1g | awk '$1 == "ii" { print "  " $2, $3 }' | sort -u
echo "$dist/$name: $(stat -c %s "$dist/$name") bytes"
cat "$dist/$name.sha256"
