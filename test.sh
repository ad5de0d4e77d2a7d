#!/bin/bash
# Installs what is missing, builds the native, sanitizer, fuzz and Windows trees
# under build/ and runs every test (the Windows ones under Wine). Exits
# non-zero when a tree does not build or a test fails.
set -uo pipefail
cd "$(dirname "$0")" || exit 1
. tools/deps.sh
. tools/wine-env.sh

# The thread tests that also run under ThreadSanitizer, in build/tsan
# (configure_tsan in tools/deps.sh): a ctest regex; set it empty to skip.
MIVOKA_TSAN_TESTS=${MIVOKA_TSAN_TESTS-^pipeline_thread_tests$}
# Undefined behaviour stops the test with the stack that caused it.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

SUMMARY=()
PASSED=0
FAILED=0
STATUS=0

cleanup() {
  wine_server_stop
  xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

elapsed() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# build_step NAME: configures and builds build/NAME; false on failure.
build_step() {
  local name=$1 t0=$SECONDS
  echo "== $name: configure and build"
  if logged "$name" configure "configure_$name" && logged "$name" build build_tree "$name"; then
    SUMMARY+=("$(printf '%-9s built in %s' "$name" "$(elapsed $((SECONDS - t0)))")")
    return 0
  fi
  SUMMARY+=("$(printf '%-9s BUILD FAILED after %s' "$name" "$(elapsed $((SECONDS - t0)))")")
  FAILED=$((FAILED + 1))
  STATUS=1
  return 1
}

# test_step NAME CTEST_ARGS...: runs ctest in build/NAME and adds its counts.
# A tree whose ctest finds no test counts as failed.
test_step() {
  local name=$1
  shift
  ctest_step "$name" "$name" build/"$name"/ctest.log "$@"
}

# ctest_step LINE TREE LOG CTEST_ARGS...: runs ctest in build/TREE into LOG
# and adds its counts under the summary line LINE.
ctest_step() {
  local line=$1 tree=$2 log=$3 t0=$SECONDS rc counts failed total
  shift 3
  echo "== $line: ctest"
  ctest --test-dir "build/$tree" --output-on-failure --timeout 600 "$@" </dev/null 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$log")
  read -r failed total <<<"${counts:-0 0}"
  if [ "$rc" -ne 0 ] || [ "$total" -eq 0 ]; then
    STATUS=1
    [ "$failed" -eq 0 ] && failed=1
  fi
  PASSED=$((PASSED + total - failed))
  FAILED=$((FAILED + failed))
  SUMMARY+=("$(printf '%-9s %d of %d tests passed in %s' "$line" $((total - failed)) "$total" \
    "$(elapsed $((SECONDS - t0)))")")
}

# The end-to-end tests of the window (ctest entries e2e_* of the Windows
# tree) get a summary line each, from the tree's ctest log.
e2e_summary() {
  local name result found=0
  while read -r name result; do
    SUMMARY+=("$(printf '%-9s %s: %s' e2e "$name" "$(tr -s ' ' <<<"$result")")")
    found=1
  done < <(sed -n 's/^.*Test *#[0-9]*: \(e2e_[A-Za-z0-9_]*\) \.* *\(.*\)$/\1 \2/p' build/windows/ctest.log)
  [ "$found" -eq 1 ] || SUMMARY+=("e2e       no end-to-end test ran")
}

# One line for the fuzz tree: targets run and their executions, from the
# result line each target's run leaves (tests/fuzz/run_fuzz.sh).
fuzz_summary() {
  local file runs total=0 count=0
  for file in build/fuzz/*/result.txt; do
    [ -f "$file" ] || continue
    runs=$(sed -n 's/^fuzz [^:]*: \([0-9]*\) executions.*/\1/p' "$file")
    total=$((total + ${runs:-0}))
    count=$((count + 1))
  done
  SUMMARY+=("$(printf '%-9s %d targets ran %d inputs in all (%s s each)' fuzz "$count" "$total" \
    "${MIVOKA_FUZZ_SECONDS:-20}")")
}

# The shell scripts of the tree: the *.sh files and the files without an
# extension that start with a shell's #! line (.ci/run), one a line.
shell_scripts() {
  local file name
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files
  else
    find . -path ./build -prune -o -type f -print | sed 's|^\./||'
  fi | while IFS= read -r file; do
    name=${file##*/}
    case $name in
      *.sh) echo "$file" ;;
      *.*) ;;
      *) head -n1 "$file" 2>/dev/null | grep -qE '^#!.*[/ ](ba)?sh$' && echo "$file" ;;
    esac
  done
}

# Every shell script clean under shellcheck (settings in .shellcheckrc); the
# findings go to build/shellcheck.log and are shown.
shellcheck_step() {
  local t0=$SECONDS scripts
  echo "== shell scripts: shellcheck"
  mapfile -t scripts < <(shell_scripts)
  mkdir -p build
  if shellcheck "${scripts[@]}" >build/shellcheck.log 2>&1; then
    SUMMARY+=("$(printf '%-9s %d scripts clean under shellcheck in %s' shell "${#scripts[@]}" \
      "$(elapsed $((SECONDS - t0)))")")
    return 0
  fi
  cat build/shellcheck.log
  SUMMARY+=("$(printf '%-9s shellcheck FINDINGS in %d scripts (build/shellcheck.log)' shell "${#scripts[@]}")")
  FAILED=$((FAILED + 1))
  STATUS=1
}

# Wine for the Windows tests: our prefix, one server, a display.
wine_step() {
  local t0=$SECONDS
  wine_env
  xvfb_start
  wine_server_start && wine_prefix_up || return 1
  SUMMARY+=("$(printf '%-9s Wine ready in %s' windows "$(elapsed $((SECONDS - t0)))")")
}

main() {
  install_missing_packages || exit 1
  shellcheck_step
  # Native first: the Windows tree compares its console tool with this one.
  if build_step native; then
    test_step native -j "$MIVOKA_JOBS"
  fi
  if build_step sanitize; then
    test_step sanitize -j "$MIVOKA_JOBS"
  fi
  # The fuzz targets, two at a time for a bounded time each.
  if build_step fuzz; then
    rm -f build/fuzz/*/result.txt
    test_step fuzz -j "$MIVOKA_JOBS"
    fuzz_summary
  fi
  if [ -n "$MIVOKA_TSAN_TESTS" ] && build_step tsan; then
    test_step tsan -j "$MIVOKA_JOBS" -R "$MIVOKA_TSAN_TESTS"
  fi
  if build_step windows; then
    if wine_step; then
      # One test at a time: the tests share the prefix, its registry and files.
      test_step windows -LE package
      e2e_summary
      # The installer and the portable zip, in a Wine prefix of their own.
      ctest_step package windows build/windows/package-ctest.log -L package
    else
      SUMMARY+=("windows   Wine could not be prepared")
      FAILED=$((FAILED + 1))
      STATUS=1
    fi
  fi
}

# report SECONDS_AT_START: the summary; the run's status.
report() {
  echo
  echo "== summary ($(elapsed $((SECONDS - $1))) in all)"
  printf '%s\n' "${SUMMARY[@]}"
  if [ "$STATUS" -eq 0 ]; then
    echo "result: all trees built and all tests passed"
  else
    echo "result: FAILURES (see above; logs in build/*/)"
  fi
  echo "ctest: $PASSED passed, $FAILED failed"
  return "$STATUS"
}

T0=$SECONDS
main
report "$T0"
