#!/bin/bash
# Smartphone contacts and mail (--carrier utf8 with --mode address or mail):
# 'payload' must print exactly the expected UTF-8 text (escaping, the
# reading in full-width katakana, emoji, percent-encoding, an empty subject
# or body), the contact must be the docomo MECARD with only its reading
# changed, each payload's PNG must decode to it, and a CSV batch to PNG
# decodes contact by contact.
# usage: smartphone_cli.sh TOOL PROBE WORK_DIR
set -uo pipefail
tool=$1 probe=$2 work=$3
export LC_ALL=C.UTF-8
for f in "$tool" "$probe"; do [ -f "$f" ] || { echo "missing: $f"; exit 1; }; done
lib=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
source "$lib/check_lib.sh"

# payload_case NAME WANT_FORMAT OPTIONS...: the payload and its PNG.
payload_case() {
  local name=$1
  # shellcheck disable=SC2059  # the expected text is given as a printf format
  printf "$2" >want.txt
  shift 2
  "$tool" payload "$@" >got.txt 2>err.txt
  local rc=$? problem=
  [ "$rc" -eq 0 ] || problem="exit code $rc: $(cat err.txt)"
  cmp -s want.txt got.txt || problem="$problem payload '$(cat got.txt)'"
  if [ -z "$problem" ]; then
    "$tool" encode "$@" -o card.png >/dev/null 2>&1
    problem=$(decodes_to card.png want.txt)
  fi
  check "$name" "$problem"
}
# Each case: the expected text (printf format; "-" for none), then the
# options ("^" stands for a space).
while IFS='|' read -r want opts; do
  read -r -a o <<<"$opts"
  payload_case "$opts" "$want" "${o[@]//^/ }"
done <<'EOF2'
MECARD:N:山田,太郎\\,様;SOUND:ヤマダ タロウ;TEL:090\\,1234;EMAIL:taro@example.jp;NOTE:a\\;b\\:c\\\\d;BDAY:19900105;;|--carrier utf8 --mode address --name 山田,太郎,様 --furigana やまだ　たろう --phone1 090^1234 --mail1 ｔａｒｏ＠ｅｘａｍｐｌｅ．ｊｐ --note a;b:c\d --birthday 1990/1/5
MECARD:N:ぱ;SOUND:パピプペポ ヴァ ガギ ソバ,ヨッケ;;|--carrier utf8 --mode address --name ぱ --furigana ぱぴぷぺぽ　ヴァ　ｶﾞｷﾞ　ソバ,ﾖｯｹ
MECARD:N:Yamada;SOUND:Yamada Taro;TEL:03-1234-5678;;|--carrier utf8 --mode address --name Yamada --furigana Yamada^Taro --phone1 ０３－１２３４－５６７８
MECARD:N:太郎\xf0\x9f\x98\x80;NOTE:\xe2\x9d\xa4;ADR:東京都;URL:www.example.jp/a;;|--carrier utf8 --mode address --name 太郎[1F600] --note [+2764] --postal 東京都 --url www.example.jp/a
mailto:taro@example.jp?subject=Hi%%20%%26%%20bye%%3F|--carrier utf8 --mode mail --to taro@example.jp^memo --subject Hi^&^bye?
mailto:a%%2Bb@example.jp?body=x|--carrier utf8 --mode mail --to a+b@example.jp --body x
mailto:a@b.jp?subject=a-b.c_d~e%%2F%%F0%%9F%%98%%80|--carrier utf8 --mode mail --to a@b.jp --subject a-b.c_d~e/[1F600]
mailto:?body=%%E3%%81%%82|--carrier utf8 --mode mail --body あ
mailto:a@b.jp|--carrier utf8 --mode mail --to a@b.jp
MECARD:N:山田 太郎;SOUND:ヤマダ タロウ;TEL:090-1234-5678;EMAIL:a@b.jp;;|--carrier utf8 --mode address --name 山田^太郎 --furigana ﾔﾏﾀﾞ^ﾀﾛｳ --phone1 090-1234-5678 --mail1 a@b.jp
EOF2

# The window's smartphone mail test types these fields and wants the same bytes.
payload_case "the window's smartphone mail" 'mailto:taro@example.jp?subject=%%E4%%BB%%B6%%E5%%90%%8D%%20A%%26B&body=%%E6%%9C%%AC%%E6%%96%%87%%0D%%0A%%F0%%9F%%98%%80' \
  --carrier utf8 --mode mail --to taro@example.jp --subject '件名 A&B' --body "$(printf '本文\n[1F600]')"

# Line breaks of the body (LF on the command line, CR LF in the form).
payload_case "mail body with a line break" 'mailto:?subject=s&body=%%E6%%9C%%AC%%E6%%96%%87%%0D%%0Aline2' \
  --carrier utf8 --mode mail --subject s --body $'本文\nline2'

# The contact is the docomo MECARD in UTF-8 with only the reading changed,
# whatever the escaping of the other fields.
fields=(--mode address --name '山田;太郎' --furigana 'やまだ' --phone1 '090' --mail1 'a@b.jp'
        --note 'x\\y' --postal '東京;1\\2' --birthday 2000/2/29 --url 'http://x.jp/?a=1;b=2')
"$tool" payload --carrier docomo "${fields[@]}" >docomo.sjis 2>/dev/null
"$tool" payload --carrier utf8 "${fields[@]}" >phone.txt 2>/dev/null
iconv -f CP932 -t UTF-8 docomo.sjis | sed 's/SOUND:ﾔﾏﾀﾞ;/SOUND:ヤマダ;/' >docomo.txt
problem=
grep -q 'SOUND:ヤマダ;' docomo.txt || problem="no converted reading in '$(cat docomo.txt)'"
cmp -s docomo.txt phone.txt || problem="$problem '$(cat phone.txt)' vs '$(cat docomo.txt)'"
check "the contact is the docomo MECARD with a full-width reading" "$problem"

# Failures: composition errors exit 2 with their message.
body=$(printf 'あ%.0s' {1..8000})
"$tool" payload --carrier utf8 --mode mail --to a@b.jp --body "$body" >got.txt 2>err.txt
rc=$?
check "a URI past the payload is refused" \
  "$([ "$rc" -eq 2 ] && grep -q 'mailto: URI' err.txt && [ ! -s got.txt ] || echo "exit $rc, $(cat err.txt)")"
"$tool" payload --carrier utf8 --mode mail --to '<>' >got.txt 2>err.txt
rc=$?
check "an empty mail is refused" "$([ "$rc" -eq 2 ] && [ -s err.txt ] || echo "exit $rc")"
"$tool" payload --carrier utf8 --mode address --furigana やまだ >got.txt 2>err.txt
rc=$?
check "a contact without name and phone is refused" "$([ "$rc" -eq 2 ] && [ -s err.txt ] || echo "exit $rc")"

# A CSV batch to PNG in UTF-8: contact K in card-0K.png holds exactly the
# payload of --record K; the contact whose phone is no number is skipped.
{
  printf '姓,名,ふりがな,携帯電話\r\n'
  printf '山田,太郎,やまだ たろう,090-1111-2222\r\n'
  printf 'Smith,Ann,すみす,080\r\n'
  printf 'Bad,Phone,,abc\r\n'
  printf '佐藤,花子,さとう,070\r\n'
} | iconv -f UTF-8 -t CP932 >c.csv
mkdir cards
"$tool" encode --csv c.csv --all-records --carrier utf8 -o cards/card.png >list.out 2>err.txt
rc=$?
problem=
[ "$rc" -eq 2 ] || problem="exit code $rc"
[ "$(names_in cards | tr '\n' ' ')" = "card-01.png card-02.png card-04.png " ] || problem="$problem files $(names_in cards | tr '\n' ' ')"
[ "$(wc -l <list.out)" -eq 3 ] || problem="$problem listed $(wc -l <list.out)"
for k in 1 2 4; do
  "$tool" payload --csv c.csv --record "$k" --carrier utf8 >want.txt 2>/dev/null
  grep -q '^MECARD:N:' want.txt || problem="$problem record $k: '$(cat want.txt)'"
  p=$(decodes_to "cards/card-0$k.png" want.txt)
  [ -z "$p" ] || problem="$problem card $k: $p"
done
grep -q 'SOUND:ヤマダ タロウ;' <("$tool" payload --csv c.csv --carrier utf8) || problem="$problem reading of contact 1"
check "CSV batch to PNG in UTF-8, contact by contact" "$problem"

# Typed text outside code page 932: UTF-8 carries it exactly (the symbol's
# raw bytes too); a Shift_JIS target writes "?" and names each replaced
# character in a warning.
payload_case "UTF-8 keeps every character" 'Caf\xc3\xa9 Zo\xc3\xab \xc2\xa5500 \xed\x95\x9c\xea\xb5\xad\xec\x96\xb4 \xe5\xbc\xa0\xe4\xb8\x89 \xf0\x9f\x98\x80 \xf0\xa0\xae\xb7' \
  --carrier utf8 --text 'Café Zoë ¥500 한국어 张三 😀 𠮷'
problem=
[ "$("$tool" payload --carrier docomo --text 'a한b' 2>err.txt)" = 'a?b' ] || problem="payload $(cat err.txt)"
grep -q "U+D55C" err.txt || problem="$problem no warning naming U+D55C"
check "a Shift_JIS target names what it replaces" "$problem"

verdict_summary
