#!/bin/bash
# Builds the native Windows programs with MinGW-w64: the dependency libraries
# (once per version), then the tree, in build-win32 and build-win64. The
# 32-bit tavik.exe's imports are checked against Windows XP SP2's exports.
# Usage: scripts/build-windows.sh [win32] [win64] [targets...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=${TAVIK_JOBS:-3}
kinds=(); targets=()
for a in "$@"; do case "$a" in win32|win64) kinds+=("$a") ;; *) targets+=("$a") ;; esac; done
[ ${#kinds[@]} -gt 0 ] || kinds=(win32 win64)
"$here/scripts/setup-windows.sh"
for kind in "${kinds[@]}"; do
  case "$kind" in win32) arch=i686 ;; win64) arch=x86_64 ;; esac
  build="$here/build-$kind"
  TAVIK_JOBS=$jobs "$here/scripts/windows-deps.sh" "$build" "$arch"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" \
      -DTAVIK_WINDOWS_DEPS="$build/deps" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  fi
  which=()
  for t in "${targets[@]}"; do which+=(--target "$t"); done
  # The first pass shows the compiler's messages; the second fails the script on an error.
  cmake --build "$build" -j"$jobs" "${which[@]}" 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
  cmake --build "$build" -j"$jobs" "${which[@]}" >/dev/null
  if [ "$kind" = win32 ]; then python3 "$here/scripts/check_xp_imports.py" "$build/shell/tavik.exe"; fi
done
