#!/bin/bash
# The tool's document and CSV options: 'payload' with --document, --csv and
# --record must print exactly the expected payload bytes and exit as
# expected; 'encode --all-records' writes one bitmap per contact. And files
# it cannot read or write: 'encode --all' with one numbered name taken by a
# folder writes the others and names that one; a folder given to --document
# cannot be read (exit 1); natively, a bitmap write cut off by the file-size
# limit (SIGXFSZ ignored, so the write sees the error) exits 1 and leaves the
# old bitmap whole, byte for byte, with no staged file beside it.
# usage: documents_cli.sh TOOL WORK_DIR [EMULATOR...]
set -uo pipefail
tool=$1 work=$2
shift 2
emulator=("$@")
: "${WINEDEBUG:=-all}"
export WINEDEBUG LC_ALL=C.UTF-8

[ -f "$tool" ] || { echo "missing tool: $tool"; exit 1; }
lib=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# A document with two sections; one without sections and without a final
# line break.
printf '< Text >\r\nhello\r\nworld\r\n< Mail >\r\nto@x.jp\r\nsubj\r\nbody\r\n' >doc.txt
printf 'line 1\nline 2' >plain.txt
# An export: 姓, 名, 携帯電話, 住所 with a quoted comma; a second contact; a
# contact without a name (dropped); one whose phone is not a number.
printf '"\x90\xa9","\x96\xbc","\x8cg\x91\xd1\x93d\x98b","\x8fZ\x8f\x8a"\r\n' >c.csv
printf '"\x8eR\x93c","\x91\xbe\x98Y","090-1111-2222","Tokyo, Japan"\r\n' >>c.csv
printf 'B,C,080,X\r\n,,070,nameless\r\nD,E,abc,Y\r\n' >>c.csv
printf 'Name,Phone\r\nA,1\r\n' >english.csv

# Expected outputs.
printf 'hello\r\nworld' >doc-text.want
printf 'MATMSG:TO:to@x.jp;SUB:subj;BODY:body;;' >doc-mail.want
printf 'MATMSG:TO:;BODY:line 1\r\nline 2;;' >plain-mail.want
printf 'MECARD:N:\x8eR\x93c \x91\xbe\x98Y;TEL:090-1111-2222;ADR:Tokyo, Japan;;' >csv-1.want
printf 'MEMORY:\r\nNAME1:B C\r\nTEL1:080\r\nADD:X\r\n' >csv-2-au.want
printf 'MECARD:N:\xe5\xb1\xb1\xe7\x94\xb0 \xe5\xa4\xaa\xe9\x83\x8e;TEL:090-1111-2222;ADR:Tokyo, Japan;;' >csv-1-utf8.want
printf 'MECARD:N:Override;TEL:090-1111-2222;ADR:Tokyo, Japan;;' >csv-override.want

# Each case: expected exit code, the file of the expected output (- none),
# then the options.
cases=(
  "0 doc-text.want --document doc.txt"
  "0 doc-mail.want --document doc.txt --mode mail"
  "0 plain-mail.want --document plain.txt --mode mail"
  "0 csv-1.want --csv c.csv"
  "0 csv-1.want --csv c.csv --record 1 --mode text"
  "0 csv-2-au.want --csv c.csv --record 2 --carrier au"
  "0 csv-override.want --csv c.csv --name Override"
  "2 - --csv c.csv --record 3"
  "1 - --csv c.csv --record 4"
  "1 - --csv c.csv --record 0"
  "1 - --record 2"
  "1 - --csv missing.csv"
  "1 - --csv english.csv"
  "0 csv-1-utf8.want --csv c.csv --carrier utf8"
  "1 - --document missing.txt"
)

source "$lib/check_lib.sh"

for entry in "${cases[@]}"; do
  read -r expect want rest <<<"$entry"
  read -r -a args <<<"$rest"
  "${emulator[@]}" "$tool" payload "${args[@]}" >out 2>err
  rc=$?
  problem=
  if [ "$rc" -ne "$expect" ]; then
    problem="exit code $rc, expected $expect"
  elif [ "$want" != - ] && ! cmp -s out "$want"; then
    problem="payload $(od -An -c out | head -3 | tr -s ' \n' ' ')"
  elif [ "$expect" -ne 0 ] && [ ! -s err ]; then
    problem="no message on standard error"
  fi
  check "payload $rest" "$problem"
done

# One symbol per contact; the contact whose phone is no number is reported
# and skipped, and the run exits 2.
mkdir -p all
"${emulator[@]}" "$tool" encode --csv c.csv --all-records -o all/card.bmp >out 2>err
rc=$?
problem=
listed=$(tr -d '\r' <out | wc -l)
if [ "$rc" -ne 2 ]; then
  problem="exit code $rc, expected 2"
elif [ "$(names_in all | wc -l)" -ne 2 ] || [ "$listed" -ne 2 ]; then
  problem="files: $(names_in all | tr '\n' ' '), listed $listed"
elif ! grep -q '3' err; then
  problem="contact 3 not reported"
fi
check "encode --all-records" "$problem"
# At version 1 and level H every contact needs several codes: none is written.
mkdir -p small
"${emulator[@]}" "$tool" encode --csv c.csv --all-records --max-version 1 --level H -o small/card.bmp >out 2>err
rc=$?
problem=
if [ "$rc" -ne 2 ] || [ -n "$(names_in small)" ] || [ "$(grep -c 'codes' err)" -ne 2 ]; then
  problem="exit code $rc, files: $(names_in small | tr '\n' ' ')"
fi
check "encode --all-records skips contacts of several codes" "$problem"
"${emulator[@]}" "$tool" encode --csv c.csv --record 2 --all-records -o all/x.bmp >out 2>err
check "encode --all-records with --record is refused" "$([ $? -eq 1 ] || echo "exit code not 1")"

# Three codes, the second's name taken by a folder.
printf 'first part\r\n[split]\r\nsecond part\r\n[split]\r\nthird part' >split.txt
mkdir -p numbered/q-02.bmp
"${emulator[@]}" "$tool" encode --text-file split.txt --all -o numbered/q.bmp >out 2>err
problem=$(refusal $? "q-02.bmp")
[ -z "$problem" ] && grep -q "'numbered/q.bmp'" err && problem="the message names numbered/q.bmp"
[ -z "$problem" ] && { [ ! -s numbered/q-01.bmp ] || [ ! -s numbered/q-03.bmp ] || [ ! -d numbered/q-02.bmp ]; } &&
  problem="files: $(names_in numbered | tr '\n' ' ')"
[ -z "$problem" ] && [ "$(tr -d '\r' <out)" != "$(printf 'numbered/q-01.bmp\nnumbered/q-03.bmp')" ] &&
  problem="listing $(tr '\n' ' ' <out)"
[ -z "$problem" ] && [ "$(names_in numbered | wc -l)" -ne 3 ] && problem="files left: $(names_in numbered | tr '\n' ' ')"
check "encode --all names the file it could not write" "$problem"

mkdir -p folder.txt
"${emulator[@]}" "$tool" payload --document folder.txt >out 2>err
problem=$(refusal $? "cannot read 'folder.txt'")
check "payload --document with a folder cannot read it" "$problem"

# The file-size limit is a POSIX matter: only for the native tool.
if [ "${#emulator[@]}" -eq 0 ]; then
  { "$tool" encode --text "old symbol" --size 7 -o out.bmp >/dev/null 2>&1 &&
    "$tool" encode --text-file split.txt --all --size 7 -o out.bmp >/dev/null 2>&1; } ||
    { echo "FAILED: cannot write the first bitmaps"; exit 1; }
  for f in out.bmp out-01.bmp out-02.bmp out-03.bmp; do cp "$f" "$f.before"; done
  # The last run goes through the writer of physical sizes and other formats.
  for run in "--text new~symbol --size 7 -o out.bmp" "--text-file split.txt --all --size 6 -o out.bmp" \
    "--text new~symbol --module-mm 1 --dpi 600 -o out.bmp"; do
    read -r -a args <<<"$run"
    for i in "${!args[@]}"; do args[i]=${args[i]//\~/ }; done
    # 8 blocks of 1,024 bytes: the write stops well inside a 317,254-byte bitmap.
    (trap '' XFSZ && ulimit -f 8 && exec "$tool" encode "${args[@]}") >out 2>err
    problem=$(refusal $? "cannot write")
    for f in out.bmp out-01.bmp out-02.bmp out-03.bmp; do
      [ -z "$problem" ] && ! cmp -s "$f" "$f.before" && problem="$f changed"
    done
    [ -z "$problem" ] && ls ./*.mivoka-new >/dev/null 2>&1 && problem="staged files left: $(ls ./*.mivoka-new)"
    check "encode ${args[*]} over the file-size limit" "$problem"
  done
fi

# Names outside code page 932: every file argument is read and every -o
# written under exactly its name, never a best-fit one (cafe, Zoe, ?).
for name in 'Café' '메모' '张伟' '😀' '𠮷野'; do
  problem=
  printf 'HELLO %s' "$name" >"$name.txt"
  "${emulator[@]}" "$tool" matrix "$name.txt" >out 2>err || problem="matrix: $(head -c 200 err)"
  "${emulator[@]}" "$tool" payload --text-file "$name.txt" --input utf8 >out 2>err || problem="$problem payload: $(head -c 200 err)"
  "${emulator[@]}" "$tool" encode --text x -o "$name" >out 2>err || problem="$problem encode: $(head -c 200 err)"
  [ "$(head -c 2 "$name.bmp" 2>/dev/null)" = BM ] || problem="$problem no $name.bmp"
  "${emulator[@]}" "$tool" encode --text x -o "$name.png" >out 2>err || problem="$problem png: $(head -c 200 err)"
  [ -s "$name.png" ] || problem="$problem no $name.png"
  check "the file names $name are kept" "$problem"
done
stray=$(names_in . | grep -E '^(Cafe|Zoe|\?+)' || true)
check "no file under a best-fit name" "$([ -z "$stray" ] || echo "found: $stray")"

verdict_summary
