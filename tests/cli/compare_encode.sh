#!/bin/bash
# Runs 'encode' with the Windows console tool (through Wine) and the native
# tool on the same options: every file written (BMP, PNG, SVG, or standard
# output with -o -) must be identical byte for byte, and so must the
# listing, the messages and the exit codes.
# usage: compare_encode.sh NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
# (the Windows tool with QR2DLL.dll beside it, as in dist/)
set -uo pipefail
source "$(dirname "$0")/compare_lib.sh"
compare_setup "$@"

# Inputs: a text with split marks, 2,900 bytes of text, Shift_JIS kanji.
printf 'first part\r\n[split]\r\nsecond \x8a\xbf\x8e\x9a\r\n[split]\r\nthird' >split.txt
repeat 'the quick brown fox jumps over the lazy dog, ' 65 | head -c 2900 >long.txt
printf '\x8a\xbf\x8e\x9a\x93\xfa\x96\x7b\xe0\x40 \xb1\xb2' >kanji.txt

# Each case: expected exit code, then the options ("~" inside a value
# stands for a space). Files are written to the case's own folder.
cases=(
  "0 --text Hello~漢字 -o a.bmp"
  "0 --text size~7~margin~6 --size 7 --margin 6 --color rainbow -o big"
  "0 --text edge --size 0 --margin 0 --color #123456 -o edge.BMP"
  "0 --text-file long.txt --level L --size 7 --color indigo -o long.bmp"
  "0 --text-file long.txt --max-version 4 --all --numbering 0 --size 2 -o many.bmp"
  "0 --text-file split.txt --all --numbering 5 --color lightblue --size 4 --level H -o parts.bmp"
  "0 --text-file split.txt --code 2 --color pink --size 5 -o second.bmp"
  "0 --text-file kanji.txt --size 3 -o kanji.bmp"
  "0 --text-file kanji.txt --no-external --size 3 -o kanji-internal.bmp"
  "0 --carrier utf8 --text 漢字😀[1F600] --color orange -o utf8.bmp"
  "0 --mode wifi --ssid 家の;Wi-Fi --password pass:word --size 3 -o wifi.bmp"
  "0 --carrier utf8 --mode address --contact vcard --name 山田~太郎 --phone1 090-1 --size 2 -o card.png"
  "0 --mode mail --to taro@example.jp --subject 件名 --body 本文 --size 6 -o mail.bmp"
  "0 --text 12345 --all --numbering 2 -o (one).bmp"
  "1 --text-file split.txt --code 4 -o none.bmp"
  "2 --mode address --carrier docomo --phone1 abc -o error.bmp"
  "1 --text x --size 8 -o bad.bmp"
  "1 --text x --color ultraviolet -o bad.bmp"
  "1 --text x --all --code 1 -o bad.bmp"
  "1 --text x"
  "0 --text PNG~漢字 -o a.png"
  "0 --text-file kanji.txt --color rainbow --size 7 --margin 6 -o rainbow.PNG"
  "0 --text-file long.txt --max-version 4 --all --numbering 1 --format png --color #123456 -o many"
  "0 --text svg --format svg -o q.bmp"
  "0 --text-file long.txt --color rainbow --module-mm 0.254 -o long.svg"
  "0 --text-file split.txt --code 2 --module-mm 0.33 --dpi 600 --margin 4 -o mm.png"
  "0 --text-file kanji.txt --module-mm 1.5 --dpi 203 --color green -o mm.bmp"
  "0 --text dpi --dpi 300 --margin 5 -o dpi.bmp"
  "0 --text stdout --format png -o -"
  "0 --text stdout --format svg --margin 0 -o -"
  "0 --carrier utf8 --mode mail --to a@b.jp --subject 件名[1F600] --body 本文 -o mail.png"
  "0 --carrier utf8 --mode address --name 山田 --furigana やまだ --phone1 090 -o card.svg"
  "1 --text x --format gif -o a.gif"
  "1 --text x --module-mm 0.05 -o a.png"
  "1 --text x --dpi 3000 -o a.png"
  "1 --text x --dpi 300 --size 2 -o a.png"
  "1 --text x --all -o -"
  "1 --text x --invert -o a.png"
  "1 --text x --module-mm 10 --dpi 2400 -o big.png"
)

# run_side SIDE TOOL...: runs the case in the folder SIDE.
run_side() {
  local side=$1
  shift
  mkdir "$side.files"
  (cd "$side.files" && "$@" encode "${args[@]}" >"../$side.out" 2>"../$side.err")
}

for entry in "${cases[@]}"; do
  read -r expect rest <<<"$entry"
  read -r -a args <<<"$rest"
  for i in "${!args[@]}"; do args[i]=${args[i]//\~/ }; done
  for i in "${!args[@]}"; do
    case ${args[i]} in *.txt) args[i]=../${args[i]} ;; esac
  done
  rm -rf native.files windows.files
  run_side native "$native"
  native_rc=$?
  run_side windows "${emulator[@]}" "$windows"
  windows_rc=$?
  problem=$(compare_exit_codes "$expect" "$native_rc" "$windows_rc")
  if [ -z "$problem" ] && ! cmp -s native.out windows.out; then
    problem="listing differs"
  elif [ -z "$problem" ] && ! cmp -s native.err windows.err; then
    problem="standard error differs"
  elif [ -z "$problem" ] && ! diff -r native.files windows.files >/dev/null; then
    problem="bitmaps differ: $(diff -rq native.files windows.files | head -3 | tr '\n' ' ')"
  elif [ -z "$problem" ] && [ "$expect" -eq 0 ] && [ ! -s native.out ]; then
    problem="no file written"
  fi
  compare_verdict "$rest" "$problem"
done
verdict_summary
