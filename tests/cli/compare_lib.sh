#!/bin/bash
# Shared part of the scripts that compare the Windows console tool (through
# Wine) with the native tool: setup, the verdict of one case, the summary.
# Source it, then: compare_setup "$@"; per case run both sides and call
# compare_verdict; end with verdict_summary (verdict_lib.sh).

# shellcheck source=tests/cli/verdict_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/verdict_lib.sh"

# compare_setup NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
compare_setup() {
  native=$1 windows=$2 work=$3
  shift 3
  emulator=("$@")
  : "${WINEDEBUG:=-all}"
  export WINEDEBUG
  # Wine turns the UTF-8 arguments into the UTF-16 command line by the locale.
  export LC_ALL=C.UTF-8
  local tool
  for tool in "$native" "$windows"; do
    [ -f "$tool" ] || { echo "missing tool: $tool (build the native tree first)"; exit 1; }
  done
  rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
}

# repeat TEXT COUNT: TEXT COUNT times.
repeat() { local i; for ((i = 0; i < $2; ++i)); do printf '%s' "$1"; done; }

# parse_case ENTRY: an entry "EXPECT OPTION..." sets expect and args; "~"
# inside an option stands for a space.
parse_case() {
  local rest i
  read -r expect rest <<<"$1"
  read -r -a args <<<"$rest"
  for i in "${!args[@]}"; do args[i]=${args[i]//\~/ }; done
}

# compare_outputs EXPECT NATIVE_RC WINDOWS_RC: prints the first difference
# of exit codes, standard output or standard error, if any.
compare_outputs() {
  local problem
  problem=$(compare_exit_codes "$@")
  if [ -n "$problem" ]; then
    echo "$problem"
  elif ! cmp -s native.out windows.out; then
    echo "standard output differs: $(cmp native.out windows.out 2>&1)"
  elif ! cmp -s native.err windows.err; then
    echo "standard error differs"
  fi
}

# compare_run SUBCOMMAND: runs both tools' SUBCOMMAND on args (parse_case)
# into native.out/.err and windows.out/.err; prints the first difference or
# an exit code other than expect, if any.
compare_run() {
  "$native" "$1" "${args[@]}" >native.out 2>native.err
  local native_rc=$?
  "${emulator[@]}" "$windows" "$1" "${args[@]}" >windows.out 2>windows.err
  local windows_rc=$?
  compare_outputs "$expect" "$native_rc" "$windows_rc"
}

# compare_exit_codes EXPECT NATIVE_RC WINDOWS_RC: prints a problem, if any.
compare_exit_codes() {
  if [ "$2" -ne "$1" ] || [ "$3" -ne "$1" ]; then
    echo "exit codes native $2, windows $3, expected $1"
  fi
}

# compare_verdict NAME PROBLEM: counts the case; on a problem shows both
# sides' standard error and output (native.err/.out, windows.err/.out).
compare_verdict() { verdict "$1" "$2" show_both_sides; }

show_both_sides() {
  local side
  for side in native windows; do
    echo "  $side stderr: $(head -c 300 "$side.err" 2>/dev/null)"
    echo "  $side stdout: $(head -c 200 "$side.out" 2>/dev/null | tr '\n' ' ')"
  done
}
