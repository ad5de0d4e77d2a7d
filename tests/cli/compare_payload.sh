#!/bin/bash
# Runs 'payload' with the Windows console tool (through Wine) and the native
# tool on the same options: the bytes written and the exit codes must match,
# and each case must exit as expected.
# usage: compare_payload.sh NATIVE_TOOL WINDOWS_TOOL WORK_DIR EMULATOR...
set -uo pipefail
source "$(dirname "$0")/compare_lib.sh"
compare_setup "$@"

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
  "0 --mode mail --carrier utf8 --to ｔａｒｏ＠ｅｘ．ｊｐ~memo --subject a&b~c?[1F600] --body 本文,~x"
  "0 --mode mail --carrier utf8 --body-file sjis.txt"
  "0 --mode address --carrier utf8 --name 山田,太郎,様 --furigana やまだ　たろう --phone1 090~1234 --note a;b --postal 東京 --url http://x.jp/ --birthday 1990/1/5"
  "2 --mode mail --carrier utf8 --body-file kana.txt --subject ああ"
  "2 --mode address --carrier utf8 --furigana やまだ"
  "1 --carrier kddi --text x"
  "0 --mode wifi --ssid Café~家;,:\"\\ --password p;w,q --hidden"
  "0 --mode wifi --carrier softbank --ssid open~net"
  "2 --mode wifi --ssid a --security WEP"
  "0 --mode address --carrier utf8 --contact vcard --name 山田~太郎 --furigana やまだ　たろう --phone1 090-1 --mail2 a@b.jp --postal 東京,1;2 --birthday 2000/2/29 --note a\\b"
  "2 --mode address --carrier utf8 --contact vcard --furigana やまだ"
)

for entry in "${cases[@]}"; do
  parse_case "$entry"
  problem=$(compare_run payload)
  if [ -z "$problem" ] && [ "$expect" -eq 0 ] && [ ! -s native.out ]; then
    problem="no payload written"
  fi
  compare_verdict "${args[*]}" "$problem"
done
verdict_summary
