#!/bin/bash
# The tool never leaves a broken file and names what it could not do:
# 'encode --all' with one numbered name taken by a folder writes the others
# and names that one; a folder given to --document cannot be read (exit 1);
# natively, a bitmap write cut off by the file-size limit (SIGXFSZ ignored,
# so the write sees the error) exits 1 and leaves the old bitmap whole, byte
# for byte, with no staged file beside it.
# usage: file_safety_cli.sh TOOL WORK_DIR [EMULATOR...]
set -uo pipefail
tool=$1 work=$2
shift 2
emulator=("$@")
: "${WINEDEBUG:=-all}"
export WINEDEBUG LC_ALL=C.UTF-8

[ -f "$tool" ] || { echo "missing tool: $tool"; exit 1; }
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

passed=0
failed=0
check() {
  if [ -z "$2" ]; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAILED: $1: $2"
    echo "  stdout: $(head -c 300 out)"
    echo "  stderr: $(head -c 300 err)"
    failed=$((failed + 1))
  fi
}

# Three codes, the second's name taken by a folder.
printf 'first part\r\n[split]\r\nsecond part\r\n[split]\r\nthird part' >split.txt
mkdir -p all/q-02.bmp
"${emulator[@]}" "$tool" encode --text-file split.txt --all -o all/q.bmp >out 2>err
rc=$?
problem=
if [ "$rc" -ne 1 ]; then
  problem="exit code $rc, expected 1"
elif ! grep -q "q-02.bmp" err || grep -q "'all/q.bmp'" err; then
  problem="the message does not name all/q-02.bmp"
elif [ ! -s all/q-01.bmp ] || [ ! -s all/q-03.bmp ] || [ ! -d all/q-02.bmp ]; then
  problem="files: $(ls all | tr '\n' ' ')"
elif [ "$(tr -d '\r' <out)" != "$(printf 'all/q-01.bmp\nall/q-03.bmp')" ]; then
  problem="listing $(tr '\n' ' ' <out)"
elif [ "$(ls all | wc -l)" -ne 3 ]; then
  problem="files left: $(ls all | tr '\n' ' ')"
fi
check "encode --all names the file it could not write" "$problem"

mkdir -p folder.txt
"${emulator[@]}" "$tool" payload --document folder.txt >out 2>err
rc=$?
problem=
if [ "$rc" -ne 1 ]; then
  problem="exit code $rc, expected 1"
elif ! grep -q "cannot read 'folder.txt'" err; then
  problem="no 'cannot read' message"
fi
check "payload --document with a folder cannot read it" "$problem"

# The file-size limit is a POSIX matter: only for the native tool.
if [ "${#emulator[@]}" -eq 0 ]; then
  "$tool" encode --text "old symbol" --size 7 -o out.bmp >/dev/null 2>&1 &&
    "$tool" encode --text-file split.txt --all --size 7 -o out.bmp >/dev/null 2>&1 ||
    { echo "FAILED: cannot write the first bitmaps"; exit 1; }
  for f in out.bmp out-01.bmp out-02.bmp out-03.bmp; do cp "$f" "$f.before"; done
  for run in "--text new~symbol --size 7 -o out.bmp" "--text-file split.txt --all --size 6 -o out.bmp"; do
    read -r -a args <<<"$run"
    for i in "${!args[@]}"; do args[$i]=${args[$i]//\~/ }; done
    # 8 blocks of 1,024 bytes: the write stops well inside a 317,254-byte bitmap.
    (trap '' XFSZ && ulimit -f 8 && exec "$tool" encode "${args[@]}") >out 2>err
    rc=$?
    problem=
    if [ "$rc" -ne 1 ]; then
      problem="exit code $rc, expected 1"
    elif ! grep -q "cannot write" err; then
      problem="no message"
    fi
    for f in out.bmp out-01.bmp out-02.bmp out-03.bmp; do
      [ -z "$problem" ] && ! cmp -s "$f" "$f.before" && problem="$f changed"
    done
    [ -z "$problem" ] && ls ./*.mivoka-new >/dev/null 2>&1 && problem="staged files left: $(ls ./*.mivoka-new)"
    check "encode ${args[*]} over the file-size limit" "$problem"
  done
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
