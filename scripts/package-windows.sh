#!/bin/bash
# Makes the Windows zips from the native builds: tavik-<version>-win32.zip and
# tavik-<version>-win64.zip with the program, the libcurl DLL it opens for
# downloads (and zlib's), the WordNet dictionary files the look-up reads, and a short text.
# Usage: scripts/package-windows.sh [win32-build] [win64-build] [out-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build32=${1:-$here/build-win32}
build64=${2:-$here/build-win64}
out=${3:-$here/build-dist}
dict=/usr/share/wordnet
version=$(sed -n 's/^const WCHAR kVersionText\[\] = L"\([^"]*\)";/\1/p' "$here/foundation/app.cpp")
[ -n "$version" ] || { echo "package-windows: no version text found" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

package() {  # package <build> <win32|win64> <mingw triple>
  local build=$1 kind=$2 triple=$3
  local name="tavik-$version-$kind"
  local stage="$out/$name"
  [ -f "$build/shell/tavik.exe" ] || { echo "package-windows: $build/shell/tavik.exe is missing" >&2; exit 1; }
  rm -rf "$stage" "$out/$name.zip"
  mkdir -p "$stage/dict"
  "$triple-strip" -o "$stage/tavik.exe" "$build/shell/tavik.exe"
  cp "$build"/deps/bin/libcurl*.dll "$stage/libcurl.dll"
  cp "/usr/$triple/lib/zlib1.dll" "$stage/"  # libcurl's, for compressed pages
  # The look-up opens the index and data file of each part of speech, and the
  # exception lists that give base forms.
  for part in noun verb adj adv; do
    cp "$dict/index.$part" "$dict/data.$part" "$dict/$part.exc" "$stage/dict/"
  done
  sed "s/@VERSION@/$version/; s/@KIND@/$kind/" "$here/resources/windows-readme.txt" | sed 's/$/\r/' >"$stage/README.txt"
  (cd "$out" && zip -qr -9 "$name.zip" "$name")
  rm -rf "$stage"
  echo "$out/$name.zip $(du -k "$out/$name.zip" | cut -f1) KB"
}

package "$build32" win32 i686-w64-mingw32
package "$build64" win64 x86_64-w64-mingw32
