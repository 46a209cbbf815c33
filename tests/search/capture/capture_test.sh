#!/bin/sh
# Runs the capture test program beside its local web server:
#   capture_test.sh <build dir> <test program>
# The server is polled for its port (at most 10 s) and ended afterwards.
build=$1
program=$2
here=$(dirname "$0")
work=$(mktemp -d)
python3 "$here/capture_server.py" "$work/port" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
for i in $(seq 1 100); do
  [ -s "$work/port" ] && break
  sleep 0.1
done
[ -s "$work/port" ] || { echo "the capture test's web server did not start"; exit 1; }
TAVIK_CAPTURE_PORT=$(cat "$work/port") "$build/wine-run.sh" "$program"
