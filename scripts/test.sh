#!/bin/bash
# Builds everything and runs every test. Usage: scripts/test.sh [build-dir]
set -euo pipefail
# TAVIK_JOBS limits parallel builds and tests (several trees built side by side).
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
"$here/scripts/setup.sh" "$build"
"$here/scripts/wineprefix.sh" "$build/wineprefix" null
cd "$build"
status=0
ctest --output-on-failure -j"${TAVIK_JOBS:-$(nproc)}" --timeout 600 || status=$?
WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
