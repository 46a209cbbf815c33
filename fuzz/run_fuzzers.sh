#!/bin/sh
# Runs every decoder's fuzzer at the same time for the given seconds from its
# seed corpus and prints runs and coverage:
#   run_fuzzers.sh <fuzzer folder> <seed root> <seconds>
# New inputs go to scratch folders; the seeds stay untouched.
fuzzers=$1
seeds=$2
seconds=$3
[ -z "${TAVIK_PLANTED_FAILURE:-}" ] || { echo "planted failure"; exit 1; }
work=$(mktemp -d)
for fuzzer in "$fuzzers"/fuzz_*; do
  name=$(basename "$fuzzer" | sed 's/^fuzz_//')
  mkdir -p "$work/$name"
  ( "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=3000 -print_final_stats=1 "$work/$name" "$seeds/$name" \
      > "$work/$name.log" 2>&1; echo $? > "$work/$name.rc" ) &
done
wait
status=0
for fuzzer in "$fuzzers"/fuzz_*; do
  name=$(basename "$fuzzer" | sed 's/^fuzz_//')
  if [ "$(cat "$work/$name.rc")" != 0 ]; then
    echo "fuzz_$name FAILED"
    tail -40 "$work/$name.log"
    status=1
  else
    runs=$(grep -m1 'stat::number_of_executed_units' "$work/$name.log" | awk '{print $2}')
    cov=$(grep -o 'cov: [0-9]*' "$work/$name.log" | tail -1)
    corpus=$(ls "$work/$name" | wc -l)
    echo "fuzz_$name ok: $runs runs in ${seconds}s, $cov, $corpus new inputs"
  fi
done
rm -rf "$work"
exit $status
