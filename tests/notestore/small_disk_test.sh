#!/bin/bash
# Runs the store's small-disk tests on a real file system of 3 MB: a tmpfs
# mounted for the test and given to Wine as drive S:, both removed again at
# the end. Needs root (as CI runs); elsewhere the test is skipped.
# Usage: small_disk_test.sh <build-dir>
set -euo pipefail
build=$(cd "$1" && pwd)
prefix="$build/wineprefix"
mountpoint="$build/small-disk"
drive="$prefix/dosdevices/s:"
mkdir -p "$mountpoint"
cleanup() {
  rm -f "$drive"
  umount "$mountpoint" 2>/dev/null || true
  rmdir "$mountpoint" 2>/dev/null || true
}
trap cleanup EXIT
if ! mount -t tmpfs -o size=3m tavik-small-disk "$mountpoint" 2>/dev/null; then
  echo "SKIP: a small file system cannot be mounted here (needs root)"
  exit 77
fi
ln -sfn "$mountpoint" "$drive"
TAVIK_SMALL_DISK='S:\' "$build/wine-run.sh" "$build/tests/notestore/test_notestore.exe" --gtest_filter='SmallDisk.*:PlantedFailure.*'
