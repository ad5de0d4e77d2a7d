#!/bin/bash
# The verdicts of the script tests: counts the cases, prints each one's
# result and ends with the run's. Source it; it sets passed and failed to 0.
passed=0
failed=0

# verdict NAME PROBLEM [SHOW...]: counts the case; a non-empty PROBLEM fails
# it, and the command SHOW, when given, prints what helps to see why.
verdict() {
  local name=$1 problem=$2
  shift 2
  if [ -z "$problem" ]; then
    echo "ok: $name"
    passed=$((passed + 1))
    return
  fi
  echo "FAILED: $name: $problem"
  [ "$#" -eq 0 ] || "$@"
  failed=$((failed + 1))
}

# verdict_summary: the counts; true when no case failed. The last command of
# a script, so that its exit status is the run's.
verdict_summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
