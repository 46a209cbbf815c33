#!/bin/bash
# A fault in the running program ends in a crash report: the program (with a
# fault added on purpose, crash_on_purpose) starts on a data file, shows its
# frame, faults in its message loop, writes "app_error_dump_I_<date>_<time>.txt"
# with the exception and the trace into the documents folder, and ends with
# exit code 1.
# Usage: e2e_crash_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/tests/shell/crash_on_purpose$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-crash 400 449

documents="$WINEPREFIX/drive_c/users/$(id -un)/Documents"
mkdir -p "$documents"
rm -f "$documents"/app_error_dump_I_*.txt

cp "$src/resources/examples.tavik" "$work/notes.tavik"
$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
wait_window '^Tavik - ' >/dev/null || fail "the frame did not show"
# The report's box waits for its reader; the program's own timers stay still
# meanwhile: the faulting timer (every second) would fault again and end the
# program without its box, so the box must outlive two of its periods.
box=$(wait_window '^Critical Error$') || fail "no Critical Error box"
! poll 25 has_ended "$app" || fail "the program ended while its report was shown"
[ "$(ls "$documents"/app_error_dump_I_*.txt 2>/dev/null | wc -l)" = 1 ] || fail "not exactly one dump"
xdotool windowfocus --sync "$box" 2>/dev/null || true
press_until Return has_ended "$app" || fail "the program did not end after its report"
set +e; wait "$app"; code=$?; set -e
app=""
[ "$code" = 1 ] || fail "exit code $code, not 1"

dump=$(ls "$documents"/app_error_dump_I_*.txt 2>/dev/null | head -1 || true)
[ -n "$dump" ] || fail "no crash dump in $documents"
basename "$dump" | grep -qE '^app_error_dump_I_[0-9]{8}_[0-9]{6}\.txt$' || fail "dump named $(basename "$dump")"
text=$(iconv -f UTF-16LE -t UTF-8 "$dump" | tr -d '\r')
echo "$text" | grep -q '^Exception 0xC0000005 at ' || fail "the dump does not name the access violation: $text"
echo "$text" | grep -q '^Trace (oldest first):' || fail "the dump holds no trace: $text"
echo "1 passed, 0 failed"
