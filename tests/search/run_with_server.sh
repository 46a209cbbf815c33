#!/bin/sh
# Runs a test program beside its local web server on 127.0.0.1:
#   run_with_server.sh <server script> <build dir> <test program>
# The server writes its port to a file once it listens; that file is polled
# (at most 10 s) and the port handed to the program as TAVIK_TEST_PORT. The
# server is ended afterwards.
server_script=$1
build=$2
program=$3
work=$(mktemp -d)
python3 "$server_script" "$work/port" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
for i in $(seq 1 100); do
  [ -s "$work/port" ] && break
  sleep 0.1
done
[ -s "$work/port" ] || { echo "the test's web server did not start"; exit 1; }
TAVIK_TEST_PORT=$(cat "$work/port") "$build/wine-run.sh" "$program"
