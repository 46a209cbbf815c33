#!/bin/bash
# Installs what the native Windows builds need (only what is missing): the MinGW-w64
# cross compilers, 32-bit Wine to run the 32-bit programs, and the source packages'
# index so that scripts/windows-deps.sh can fetch the libraries' Debian sources.
# Usage: scripts/setup-windows.sh
set -euo pipefail
sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
          g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32
          libz-mingw-w64-dev dpkg-dev cmake make zip unzip python3 wine32:i386)
update=0
# apt-get source needs the source index beside the binary one.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src=/etc/apt/sources.list.d/tavik-deb-src.sources
  for f in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
    [ -f "$f" ] || continue
    if grep -q '^Types:' "$f"; then
      sed -e 's/^Types: deb$/Types: deb-src/' "$f" | $sudo_cmd tee "$src" >/dev/null
    else
      grep '^deb ' "$f" | sed 's/^deb /deb-src /' | $sudo_cmd tee "${src%.sources}.list" >/dev/null
    fi
    break
  done
  update=1
fi
# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
  update=1
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then update=1; fi
[ $update -eq 1 ] && $sudo_cmd apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
