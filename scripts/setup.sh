#!/bin/bash
# Installs what the build needs (only what is missing), then configures and builds.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}

packages=(wine wine64 wine64-tools libwine-dev fonts-wine fonts-liberation2 fonts-comfortaa
          cmake g++ make libgtest-dev clang libclang-rt-14-dev
          zlib1g-dev libjpeg-dev libpng-dev libtiff-dev libcurl4-openssl-dev
          wordnet-dev wordnet-base
          xvfb xdotool imagemagick x11-utils python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"${TAVIK_JOBS:-$(nproc)}" 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
cmake --build "$build" -j"${TAVIK_JOBS:-$(nproc)}" >/dev/null
