#!/bin/bash
# Runs 'codes' and 'show' with the Windows console tool (through Wine,
# QR2DLL.dll beside it) and the native tool (libQR2DLL.so beside it) on the
# same options: the codes or blocks printed, the messages and the exit codes
# must be identical.
# usage: compare_codes.sh NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
set -uo pipefail
source "$(dirname "$0")/compare_lib.sh"
compare_setup "$@"

# Shift_JIS text with split marks, 3,000 bytes of kanji, and 25,000 digits
# (more than 20 codes at the smallest largest version).
printf 'first\r\n[split]\r\n\x8a\xbf\x8e\x9a\x93\xfa\x96\x7b\r\n[split]\r\nthird' >split.txt
repeat $'\x8a\xbf\x8e\x9a\x93\xfa\x96\x7b' 375 >kanji.txt
repeat 0123456789 2500 >digits.txt
# Automatic cuts among four-byte UTF-8 emoji and softbank escape sequences.
emoji=$(repeat '[1F600]' 17)
escapes=$(repeat "[\$G!]a" 40)

# Each case: expected exit code, then the options ("~" stands for a space).
cases=(
  "0 --text https://example.jp/mivoka/?q=1"
  "0 --text-file split.txt"
  "0 --text-file kanji.txt --level L --max-version 10"
  "2 --text-file kanji.txt --no-external"
  "0 --carrier utf8 --text-file kanji.txt --no-external"
  "0 --carrier utf8 --text 漢字とかな[1F600]~and~more --level H"
  "0 --carrier au --text [@659]x[@3A0]~tab\there"
  "0 --carrier softbank --text x[\$G!]y"
  "0 --carrier utf8 --text $emoji --level H --max-version 5"
  "0 --carrier softbank --text $escapes --max-version 3"
  "0 --mode mail --to taro@example.jp --subject 件名 --body 本文[i9F]"
  "0 --mode address --carrier softbank --name 山田太郎 --phone1 090-1234-5678"
  "0 --text-file digits.txt --max-version 1"
  "2 --text-file kanji.txt --one-code --max-version 5"
  "2 --mode address --name x --birthday 2001/2/29"
  "1 --level X --text a"
)

for entry in "${cases[@]}"; do
  parse_case "$entry"
  for i in "${!args[@]}"; do args[i]=${args[i]//\\t/$'\t'}; done
  problem=$(compare_run codes)
  if [ -z "$problem" ] && [ "$expect" -eq 0 ] && ! head -n1 native.out | grep -q '^code 1 version'; then
    problem="no code printed"
  fi
  compare_verdict "${args[*]}" "$problem"
done

# 'show' prints the same blocks and status line on both.
show_cases=(
  "0 --text https://example.jp/"
  "0 --text-file split.txt --code 3 --margin 0"
  "0 --carrier utf8 --mode mail --to a@b.jp --body 本文 --invert --margin 10"
  "1 --text x --margin 11"
  "1 --text-file split.txt --code 4"
)
for entry in "${show_cases[@]}"; do
  parse_case "$entry"
  problem=$(compare_run show)
  if [ -z "$problem" ] && [ "$expect" -eq 0 ] && ! grep -q $'\xe2\x96' native.out; then
    problem="no blocks printed"
  fi
  compare_verdict "show ${args[*]}" "$problem"
done
verdict_summary
