#!/bin/bash
# Runs 'payload' with the Windows console tool (through Wine) and the native
# tool on the same options: the bytes written and the exit codes must match,
# and each case must exit as expected.
# usage: compare_payload.sh NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
set -uo pipefail
native=$1 windows=$2 work=$3
shift 3
emulator=("$@")
: "${WINEDEBUG:=-all}"
export WINEDEBUG
# Wine turns the UTF-8 arguments into the UTF-16 command line by the locale.
export LC_ALL=C.UTF-8

for tool in "$native" "$windows"; do
  [ -f "$tool" ] || { echo "missing tool: $tool (build the native tree first)"; exit 1; }
done
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

repeat() { local i; for ((i = 0; i < $2; ++i)); do printf '%s' "$1"; done; }
# Shift_JIS files: 漢字 with LF line breaks, a text longer than the field,
# UTF-8 with an emoji code, and 19,999 half-width katakana.
printf '\x8a\xbf\x8e\x9a\nline2\r\n[i9F]' >sjis.txt
repeat 0123456789 2001 >toolong.txt
printf '\xe6\xbc\xa2\xe5\xad\x97 [1F600] \xef\xbd\xb1\n' >utf8.txt
repeat $'\xb1' 19999 >kana.txt

# Each case: expected exit code, then the options.
cases=(
  "0 --text ASCII~text,~with~spaces"
  "0 --text 漢字とｶﾀｶﾅ、①ⅰ©–€😀[i9F][iFC]ゼi9F]"
  "0 --carrier au --text [@659][@3A0][@300]ゼ@659]"
  "0 --carrier softbank --text x[\$G!]y[\$Gz]"
  "0 --carrier utf8 --text ｱ[1F600][+0041][+D800]漢©😀"
  "0 --carrier docomo --text-file sjis.txt"
  "0 --carrier utf8 --text-file utf8.txt --input utf8"
  "0 --carrier utf8 --text-file kana.txt"
  "0 --text-file toolong.txt"
  "0 --mode mail --to ｔａｒｏ＠ｅｘ．ｊｐ~memo --subject a:b;c\\d --body x,y"
  "0 --mode mail --carrier softbank --to a@b.jp --body 本文"
  "0 --mode address --carrier docomo --name 山田,太郎,様 --furigana やまだ　たろう --phone1 090-1234 --mail1 a@b.jp --birthday 1990/1/5 --url http://x.jp/ --postal 東京"
  "0 --mode address --carrier au --name 名 --phone2 ２ --phone3 3 --postal 大阪"
  "2 --mode address --carrier docomo --phone1 abc"
  "2 --mode address --carrier docomo --name a --birthday 2001/2/29"
  "2 --text-file /dev/null"
  "1 --mode mail --carrier utf8 --to a@b"
  "1 --carrier kddi --text x"
)

# Options are split at spaces; "~" inside a value stands for a space.
run_tool() {
  local out=$1
  shift
  "$@" payload "${args[@]}" >"$out.out" 2>"$out.err"
}

passed=0
failed=0
for entry in "${cases[@]}"; do
  read -r expect rest <<<"$entry"
  read -r -a args <<<"$rest"
  for i in "${!args[@]}"; do args[$i]=${args[$i]//\~/ }; done
  run_tool native "$native"
  native_rc=$?
  run_tool windows "${emulator[@]}" "$windows"
  windows_rc=$?
  problem=
  if [ "$native_rc" -ne "$expect" ] || [ "$windows_rc" -ne "$expect" ]; then
    problem="exit codes native $native_rc, windows $windows_rc, expected $expect"
  elif ! cmp -s native.out windows.out; then
    problem="standard output differs: $(cmp native.out windows.out 2>&1)"
  elif ! cmp -s native.err windows.err; then
    problem="standard error differs"
  elif [ "$expect" -eq 0 ] && [ ! -s native.out ]; then
    problem="no payload written"
  fi
  if [ -z "$problem" ]; then
    echo "ok: $rest"
    passed=$((passed + 1))
    continue
  fi
  echo "FAILED: $rest: $problem"
  for side in native windows; do
    echo "  $side stderr: $(head -c 300 "$side.err")"
    echo "  $side stdout: $(head -c 100 "$side.out" | od -An -tx1 | head -2 | tr '\n' ' ')"
  done
  failed=$((failed + 1))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
