#!/bin/bash
# Wi-Fi networks and vCard contacts of the tool: 'payload' must print exactly
# the expected text; each text must come back whole when read by its own
# format's rules (a reader of the Wi-Fi text here, python3-vobject for the
# vCard); every symbol must decode, in zbar and zxing-cpp, to exactly the
# payload; misuse and bad input are refused with a message.
# usage: wifi_vcard_cli.sh TOOL PROBE WORK_DIR
set -uo pipefail
tool=$1 probe=$2 work=$3
export LC_ALL=C.UTF-8
for f in "$tool" "$probe"; do [ -f "$f" ] || { echo "missing: $f"; exit 1; }; done
lib=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
source "$lib/check_lib.sh"

# The Wi-Fi text read by its rules: fields split at unescaped ";", a
# backslash takes the next character literally. Prints T, S, P and H on
# lines of their own (missing ones empty).
read_wifi() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8").read()
assert text.startswith("WIFI:") and text.endswith(";;"), text
fields, cur, i, body = {}, "", 0, text[5:-1]
while i < len(body):
    c = body[i]
    if c == "\\":
        cur += body[i + 1]; i += 2; continue
    if c == ";":
        key, _, value = cur.partition(":"); fields[key] = value; cur = ""
    else:
        cur += c
    i += 1
for key in "TSPH":
    print(fields.get(key, ""))
PY
}

# wifi_case NAME WANT_FORMAT T S P H OPTIONS...: the exact text, its fields
# read back, and its symbol.
wifi_case() {
  local name=$1 want=$2 t=$3 s=$4 p=$5 h=$6 problem=
  shift 6
  # shellcheck disable=SC2059  # the expected text is given as a printf format
  printf "$want" >want.txt
  "$tool" payload --mode wifi "$@" >got.txt 2>err || problem="exit code $?"
  cmp -s want.txt got.txt || problem="$problem payload '$(cat got.txt)'"
  if [ -z "$problem" ]; then
    [ "$(read_wifi got.txt)" = "$(printf '%s\n%s\n%s\n%s' "$t" "$s" "$p" "$h")" ] ||
      problem="read back as $(read_wifi got.txt | tr '\n' '|')"
    "$tool" encode --mode wifi "$@" -o wifi.png >/dev/null 2>&1
    problem="$problem$(decodes_to wifi.png want.txt)"
  fi
  check "$name" "$problem"
}

wifi_case "WPA by default with a password" 'WIFI:T:WPA;S:home;P:secret;;' WPA home secret '' --ssid home --password secret
wifi_case "an open network has no T and P" 'WIFI:S:cafe;;' '' cafe '' '' --ssid cafe
wifi_case "a hidden WEP network" 'WIFI:T:WEP;S:lab;P:0123456789;H:true;;' WEP lab 0123456789 true \
  --ssid lab --password 0123456789 --security WEP --hidden
wifi_case "every special character escaped and read back whole" \
  'WIFI:T:WPA;S:a\\;b\\,c\\:d;P:p\\;w\\"q\\\\\\\\r;;' WPA 'a;b,c:d' 'p;w"q\\r' '' --ssid 'a;b,c:d' --password 'p;w"q\\r'
wifi_case "UTF-8 whatever the carrier" 'WIFI:S:Caf\xc3\xa9 \xe5\xae\xb6 \xf0\x9f\x98\x80;;' '' 'Café 家 😀' '' '' \
  --carrier docomo --ssid 'Café 家 😀' --security nopass

# wifi_refused NAME PATTERN OPTIONS...: exit 2, or 1 for misuse, with PATTERN.
wifi_refused() {
  local name=$1 rc=$2 pattern=$3 problem=
  shift 3
  "$tool" payload "$@" >got.txt 2>err
  local got=$?
  [ "$got" -eq "$rc" ] || problem="exit code $got"
  grep -q -- "$pattern" err || problem="$problem no message with '$pattern'"
  [ -s got.txt ] && problem="$problem wrote '$(cat got.txt)'"
  check "$name" "$problem"
}
wifi_refused "no network name" 2 "ssid" --mode wifi --password x
wifi_refused "a password for an open network" 2 "nopass" --mode wifi --ssid a --password x --security nopass
wifi_refused "WPA without a password" 2 "needs a --password" --mode wifi --ssid a --security WPA
wifi_refused "a text the conversion would read as an emoji code" 2 "emoji code" --mode wifi --ssid 'a[1F600]'
wifi_refused "network options without --mode wifi" 1 "need --mode wifi" --ssid a
wifi_refused "field options with --mode wifi" 1 "takes only" --mode wifi --ssid a --text b
wifi_refused "an unknown security" 1 "bad option" --mode wifi --ssid a --security WPA3

# The vCard read by python3-vobject: prints the values a phone would take.
read_vcard() {
  /usr/bin/python3 - "$1" <<'PY'
import sys, vobject
card = vobject.readOne(open(sys.argv[1], encoding="utf-8").read())
c = card.contents
def all_of(key): return [x.value for x in c.get(key, [])]
print("N", card.n.value.family, "|", card.n.value.given)
print("FN", card.fn.value)
for key in ["x-phonetic-last-name", "x-phonetic-first-name", "tel", "email", "bday", "url", "note"]:
    print(key.upper(), all_of(key))
if "adr" in c: print("ADR", card.adr.value.street)
PY
}

contact=(--carrier utf8 --mode address --contact vcard --name '山田 太郎' --furigana 'やまだ　たろう'
         --phone1 '090-1234-5678' --phone3 '03(1234)5678' --mail1 'ｔａｒｏ＠ｅｘ．ｊｐ' --mail2 'b@c.jp'
         --postal '東京都千代田区1-1, 2F; 奥' --birthday 1990/1/5 --url 'http://x.jp/a;b?c=1&d=2'
         --note 'a;b,c\d:e ソ')
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\nX-PHONETIC-FIRST-NAME:タロウ\r\nTEL;TYPE=CELL:090-1234-5678\r\nTEL;TYPE=CELL:0312345678\r\nEMAIL:taro@ex.jp\r\nEMAIL:b@c.jp\r\nADR:;;東京都千代田区1-1\\, 2F\\; 奥;;;;\r\nBDAY:1990-01-05\r\nURL:http://x.jp/a;b?c=1&d=2\r\nNOTE:a\\;b\\,c\\\\d:e ソ\r\nEND:VCARD\r\n' >want.txt
"$tool" payload "${contact[@]}" >got.txt 2>err
problem=
cmp -s want.txt got.txt || problem="payload '$(cat got.txt)'"
cat >want.read <<'READ'
N 山田 | 太郎
FN 山田 太郎
X-PHONETIC-LAST-NAME ['ヤマダ']
X-PHONETIC-FIRST-NAME ['タロウ']
TEL ['090-1234-5678', '0312345678']
EMAIL ['taro@ex.jp', 'b@c.jp']
BDAY ['1990-01-05']
URL ['http://x.jp/a;b?c=1&d=2']
NOTE ['a;b,c\\d:e ソ']
ADR 東京都千代田区1-1, 2F; 奥
READ
read_vcard got.txt >got.read 2>err.read || problem="$problem vobject: $(tail -1 err.read)"
cmp -s want.read got.read || problem="$problem read as $(tr '\n' '|' <got.read)"
"$tool" encode "${contact[@]}" -o card.png >/dev/null 2>&1
problem="$problem$(decodes_to card.png want.txt)"
check "a full vCard: exact, escaped, read back whole and decoded" "$problem"

problem=
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nTEL;TYPE=CELL:090\r\nEND:VCARD\r\n' >want.txt
"$tool" payload --carrier utf8 --mode address --contact vcard --phone2 090 >got.txt 2>err
cmp -s want.txt got.txt || problem="payload '$(cat got.txt)'"
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Prince;;;;\r\nFN:Prince\r\nEND:VCARD\r\n' >want.txt
"$tool" payload --carrier utf8 --mode address --contact vcard --name Prince >got.txt 2>err
cmp -s want.txt got.txt || problem="$problem one-word name '$(cat got.txt)'"
check "empty fields are left out; N and FN always stand" "$problem"

wifi_refused "a vCard without name and phone is refused as the MECARD is" 2 "" \
  --carrier utf8 --mode address --contact vcard --mail1 a@b.jp
wifi_refused "a vCard with a bad birthday is refused" 2 "" \
  --carrier utf8 --mode address --contact vcard --name a --birthday 1990/13/40
wifi_refused "--contact vcard for docomo" 1 "needs --carrier utf8" --mode address --contact vcard --name a
wifi_refused "an unknown contact form" 1 "bad option" --carrier utf8 --mode address --contact xcard --name a

# One vCard symbol per contact of an Outlook export.
{
  printf '姓,名,ふりがな,携帯電話\r\n'
  printf '山田,太郎,やまだ たろう,090-1111-2222\r\n'
  printf 'Smith,Ann,すみす,080\r\n'
} | iconv -f UTF-8 -t CP932 >c.csv
mkdir cards
"$tool" encode --csv c.csv --all-records --carrier utf8 --contact vcard -o cards/card.png >list.out 2>err
rc=$?
problem=
[ "$rc" -eq 0 ] || problem="exit code $rc"
[ "$(names_in cards | tr '\n' ' ')" = "card-01.png card-02.png " ] || problem="$problem files $(names_in cards | tr '\n' ' ')"
for k in 1 2; do
  "$tool" payload --csv c.csv --record "$k" --carrier utf8 --contact vcard >want.txt 2>/dev/null
  grep -q '^BEGIN:VCARD' want.txt || problem="$problem record $k: '$(cat want.txt)'"
  p=$(decodes_to "cards/card-0$k.png" want.txt)
  [ -z "$p" ] || problem="$problem card $k: $p"
done
check "--all-records writes one vCard symbol per contact" "$problem"

verdict_summary
