#!/bin/bash
# Runs 'matrix' with the Windows console tool (through Wine) and the native
# tool on the same inputs and options: standard output must match byte for
# byte, and both must exit with the code each case expects.
# usage: compare_matrix.sh NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
set -uo pipefail
source "$(dirname "$0")/compare_lib.sh"
compare_setup "$@"

# Inputs. Shift_JIS: 漢字 8A BF 8E 9A, 日本 93 FA 96 7B, a kanji from the
# E0 block E0 40, half-width katakana B1 B2.
printf '01234567890123456789' >digits.txt
printf 'HELLO WORLD $%%*+-./: 12345' >alnum.txt
printf 'Hello, world! The quick brown fox; jumps over the lazy dog? (#42)' >ascii.txt
printf '\x8a\xbf\x8e\x9a\x93\xfa\x96\x7b\xe0\x40' >kanji.txt
printf 'ABC123\x8a\xbf\x8e\x9aabc\xb1\xb2 0123456789012 \x93\xfa\x96\x7bQR' >mix.txt
repeat 'the quick brown fox jumps over the lazy dog, ' 65 | head -c 2900 >long.txt
repeat 'Mivoka makes symbols. ' 10 >medium.txt
printf 'line one\r\nline two\x1a after the EOF byte\r\n' >binary.txt
: >empty.txt
repeat 0123456789 800 >toolong.txt

# name|expected exit|options|input file ('<name' feeds it on standard input)
cases=(
  "digits|0||digits.txt"
  "alphanumeric|0||alnum.txt"
  "ascii text|0||ascii.txt"
  "kanji|0||kanji.txt"
  "mix at level H|0|--level H|mix.txt"
  "2,900 bytes at level L|0|--level L|long.txt"
  "version 12|0|--version 12|ascii.txt"
  "version 5, allow larger|0|--version 5 --allow-larger|medium.txt"
  "version 5 too small|1|--version 5|medium.txt"
  "kanji off|0|--kanji-off|kanji.txt"
  "standard input, CR LF and 0x1A|0||<binary.txt"
  "empty|1||empty.txt"
  "8,000 bytes|1||toolong.txt"
  "unknown option|1|--bogus|digits.txt"
)

# run_tool PREFIX TOOL... : runs one case with its input and options.
run_tool() {
  local out=$1 opts
  shift
  read -r -a opts <<<"$options"
  if [ "${input:0:1}" = "<" ]; then
    "$@" matrix "${opts[@]}" <"${input:1}" >"$out.out" 2>"$out.err"
  else
    "$@" matrix "${opts[@]}" "$input" >"$out.out" 2>"$out.err"
  fi
}

for entry in "${cases[@]}"; do
  IFS='|' read -r name expect options input <<<"$entry"
  run_tool native "$native"
  native_rc=$?
  run_tool windows "${emulator[@]}" "$windows"
  windows_rc=$?
  problem=$(compare_exit_codes "$expect" "$native_rc" "$windows_rc")
  if [ -z "$problem" ] && ! cmp -s native.out windows.out; then
    problem="standard output differs: $(cmp native.out windows.out 2>&1)"
  elif [ -z "$problem" ] && [ "$expect" -eq 0 ] && ! head -n1 native.out | grep -q '^version [0-9]*$'; then
    problem="no symbol printed"
  fi
  compare_verdict "$name" "$problem"
done
verdict_summary
