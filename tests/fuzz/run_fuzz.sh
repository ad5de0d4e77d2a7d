#!/bin/bash
# Runs one fuzz target for a bounded time from its seeds and the inputs
# earlier runs kept, and prints one line (also into WORK/result.txt):
# executions, seconds, corpus size.
# A crash, leak, timeout or broken property exits non-zero with the input
# left in WORK (crash-*, leak-*, timeout-*, oom-*).
# usage: run_fuzz.sh TARGET SEEDS WORK   (MIVOKA_FUZZ_SECONDS, default 20)
set -uo pipefail
[ "$#" -eq 3 ] || { echo "usage: $0 TARGET SEEDS WORK" >&2; exit 2; }
TARGET=$1
SEEDS=$2
WORK=$3
SECONDS_GIVEN=${MIVOKA_FUZZ_SECONDS:-20}
NAME=$(basename "$TARGET")
mkdir -p "$WORK/corpus"
rm -f "$WORK/result.txt"
[ -d "$SEEDS" ] || { echo "error: no seeds in $SEEDS" >&2; exit 1; }
# Leaks are reported at the end of each input; a slow input over 10 s is a hang.
"$TARGET" "$WORK/corpus" "$SEEDS" -max_total_time="$SECONDS_GIVEN" -timeout=10 -rss_limit_mb=2560 \
  -max_len=8192 -print_final_stats=1 -artifact_prefix="$WORK/" >"$WORK/fuzz.log" 2>&1
rc=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$WORK/fuzz.log" | tail -1)
corpus=$(find "$WORK/corpus" -type f | wc -l)
if [ "$rc" -ne 0 ]; then
  tail -n 60 "$WORK/fuzz.log"
  echo "FAIL $NAME: exit $rc after ${runs:-?} executions; input kept:" \
    "$(find "$WORK" -maxdepth 1 -type f -regextype egrep -regex '.*/(crash|leak|timeout|oom|slow-unit)-[^/]*' -printf '%f ')"
  exit 1
fi
echo "fuzz $NAME: ${runs:-?} executions in $SECONDS_GIVEN s, corpus $corpus inputs" | tee "$WORK/result.txt"
