#!/bin/bash
# PNG, SVG and physical sizes of 'encode', and the terminal preview 'show':
# every PNG and SVG written is read back by zbar and zxing-cpp (through the
# probe; SVG rasterised by rsvg-convert at 600 dpi) and must hold exactly
# the code's bytes as 'codes' prints them; pixel sizes, pHYs, bitmap
# resolutions and SVG millimetres must match their formulas; 'show' read
# back into modules must equal the 'codes' matrix; bad input exits 1 with a
# message and leaves no file.
# usage: images_cli.sh TOOL PROBE WORK_DIR
set -uo pipefail
tool=$1 probe=$2 work=$3
export LC_ALL=C.UTF-8
for f in "$tool" "$probe"; do [ -f "$f" ] || { echo "missing: $f"; exit 1; }; done
command -v rsvg-convert >/dev/null || { echo "missing rsvg-convert (librsvg2-bin)"; exit 1; }
lib=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
# shellcheck source=tests/cli/check_lib.sh
source "$lib/check_lib.sh"

# code_info K OPTIONS...: sets want_hex and version of code K from 'codes'
# (the drawing options, which 'codes' does not take, left out).
code_info() {
  local k=$1 gen=()
  shift
  while [ "$#" -gt 0 ]; do
    case $1 in --size | --margin | --color) shift ;; *) gen+=("$1") ;; esac
    shift
  done
  "$tool" codes "${gen[@]}" >codes.out 2>/dev/null
  version=$(grep "^code $k version" codes.out | cut -d' ' -f4)
  want_hex=$(grep -A1 "^code $k version" codes.out | sed -n 2p)
}

# decodes FILE: empty when both decoders read exactly want_hex.
decodes() {
  "$probe" "$1" >probe.out 2>probe.err || { echo "probe: $(cat probe.err)"; return; }
  local zbar zxing
  zbar=$(field zbar probe.out) zxing=$(field zxing probe.out)
  [ "$zbar" = "$want_hex" ] || echo "zbar read '${zbar:0:40}', want '${want_hex:0:40}'"
  [ "$zxing" = "$want_hex" ] || echo "zxing read '${zxing:0:40}', want '${want_hex:0:40}'"
}

# options_of OPTIONS: sets o to the words of OPTIONS, "~" standing for a space.
options_of() {
  read -r -a o <<<"$1"
  o=("${o[@]//\~/ }")
}

long=$(printf 'Mivoka-%.0s' {1..90})
kanji='漢字とカタカナ、ひらがな'

# --- Format by option and by name; extensions appended as for bitmaps.
formats_case() {
  local f problem=
  "$tool" encode --text Hi --format png -o q >/dev/null 2>&1
  "$tool" encode --text Hi --format png -o q.svg >/dev/null 2>&1
  "$tool" encode --text Hi -o upper.PNG >/dev/null 2>&1
  "$tool" encode --text Hi -o mixed.Svg >/dev/null 2>&1
  "$tool" encode --text Hi -o other.txt >/dev/null 2>&1
  "$tool" encode --text Hi --format svg -o forced.bmp >/dev/null 2>&1
  for f in q.png q.svg.png upper.PNG other.txt.bmp; do
    [ -f "$f" ] || problem="$problem missing $f"
  done
  grep -q '^<svg' mixed.Svg || problem="$problem mixed.Svg not SVG"
  grep -q '^<svg' forced.bmp.svg || problem="$problem forced.bmp.svg not SVG"
  [ "$(field format <("$probe" upper.PNG))" = png-grey1 ] || problem="$problem upper.PNG not a PNG"
  [ "$(field format <("$probe" other.txt.bmp))" = bmp ] || problem="$problem other.txt.bmp not a bitmap"
  check "format from --format and the name, extensions appended" "$problem"
}

# --- PNG round trips: black on white is 1-bit grey, colours 8-bit RGB;
# the pixels are the bitmap's.
# png_case NAME FORMAT OPTIONS: NAME.png decodes, has FORMAT, 3780 pixels
# per metre and the pixels of NAME.bmp.
png_case() {
  local name=$1 format=$2 problem
  options_of "$3"
  code_info 1 "${o[@]}"
  "$tool" encode "${o[@]}" -o "$name.png" >/dev/null 2>&1
  "$tool" encode "${o[@]}" -o "$name.bmp" >/dev/null 2>&1
  problem=$(decodes "$name.png")
  [ "$(field format probe.out)" = "$format" ] || problem="$problem format $(field format probe.out)"
  [ "$(field ppm probe.out)" = "3780 3780" ] || problem="$problem pHYs $(field ppm probe.out)"
  [ "$(field pixels probe.out)" = "$(field pixels <("$probe" "$name.bmp"))" ] ||
    problem="$problem pixels differ from the bitmap"
  check "png $name (version $version)" "$problem"
}

# The rainbow is not read reliably by decoders (its light yellow), so its
# PNG is checked against the bitmap's pixels.
png_rainbow_case() {
  local a b
  "$tool" encode --text "$long" --color rainbow --size 7 -o rainbow.png >/dev/null 2>&1
  "$tool" encode --text "$long" --color rainbow --size 7 -o rainbow.bmp >/dev/null 2>&1
  a=$(field pixels <("$probe" rainbow.png)) b=$(field pixels <("$probe" rainbow.bmp))
  check "png rainbow has the bitmap's pixels" "$([ -n "$a" ] && [ "$a" = "$b" ] || echo "$a vs $b")"
}

# --- Every code of --all keeps the chosen extension and decodes to its text.
all_codes_case() {
  local count k name p problem=
  "$tool" encode --text "$long" --max-version 3 --all --format png --numbering 4 -o parts >list.out 2>/dev/null
  count=$(grep -c '^code' <("$tool" codes --text "$long" --max-version 3))
  [ "$(wc -l <list.out)" -eq "$count" ] || problem="listed $(wc -l <list.out) of $count"
  for ((k = 1; k <= count; ++k)); do
    name=$(printf 'parts_%02d.png' "$k")
    code_info "$k" --text "$long" --max-version 3
    p=$(decodes "$name")
    [ -z "$p" ] || problem="$problem $name: $p"
  done
  check "--all writes numbered PNG files that decode" "$problem"
}

# --- Physical sizes: p = round(X * N / 25.4) >= 1, side = modules * p,
# resolution round(p * 1000 / X); without --module-mm round(N / 0.0254).
# size_case MM DPI MARGIN TEXT: the PNG's and the bitmap's sizes and
# resolutions; the PNG decodes.
size_case() {
  local mm=$1 dpi=$2 margin=$3 text=$4 um modules p ppm format problem=
  um=$(awk -v x="$mm" 'BEGIN { printf "%d", x * 1000 + 0.5 }')
  code_info 1 --text "$text"
  modules=$((4 * version + 17 + 2 * margin))
  p=$(((um * dpi * 2 + 25400) / 50800))
  [ "$p" -lt 1 ] && p=1
  ppm=$(((p * 2000000 + um) / (2 * um)))
  for format in png bmp; do
    "$tool" encode --text "$text" --module-mm "$mm" --dpi "$dpi" --margin "$margin" -o "size.$format" >/dev/null 2>&1
    "$probe" "size.$format" >probe.out
    [ "$(field size probe.out)" = "$((modules * p)) $((modules * p))" ] || problem="$problem $format size $(field size probe.out)"
    [ "$(field ppm probe.out)" = "$ppm $ppm" ] || problem="$problem $format ppm $(field ppm probe.out), want $ppm"
  done
  problem="$problem$(decodes size.png)"
  check "--module-mm $mm --dpi $dpi --margin $margin, version $version: $p pixels per module" "$problem"
}

dpi_only_case() {
  local dpi want problem=
  for dpi in 72 96 300 2400; do
    want=$(((dpi * 20000 + 254) / 508))
    "$tool" encode --text Hi --dpi "$dpi" -o dpi.png >/dev/null 2>&1
    "$tool" encode --text Hi --dpi "$dpi" -o dpi.bmp >/dev/null 2>&1
    [ "$(field ppm <("$probe" dpi.png))" = "$want $want" ] || problem="$problem png $dpi"
    [ "$(field ppm <("$probe" dpi.bmp))" = "$want $want" ] || problem="$problem bmp $dpi"
  done
  "$tool" encode --text Hi -o plain.bmp >/dev/null 2>&1
  [ "$(field ppm <("$probe" plain.bmp))" = none ] || problem="$problem a plain bitmap carries a resolution"
  check "--dpi alone gives round(N / 0.0254) pixels per metre" "$problem"
}

# --- SVG: millimetres from integer micrometres, viewBox in modules,
# rasterised at 600 dpi and decoded.
# svg_case MM MARGIN WANT_MM TEXT: MM "-" for no --module-mm.
svg_case() {
  local mm=$1 margin=$2 want_mm=$3 text=$4 modules args problem=
  code_info 1 --text "$text"
  modules=$((4 * version + 17 + 2 * margin))
  args=(--text "$text" --margin "$margin" -o s.svg)
  [ "$mm" != - ] && args+=(--module-mm "$mm")
  "$tool" encode "${args[@]}" >/dev/null 2>&1
  grep -q "width=\"${want_mm}mm\" height=\"${want_mm}mm\" viewBox=\"0 0 $modules $modules\"" s.svg ||
    problem="header $(grep -o 'width="[^"]*" height="[^"]*" viewBox="[^"]*"' s.svg)"
  grep -q 'shape-rendering="crispEdges"' s.svg || problem="$problem no crispEdges"
  [ "$(grep -c '<path' s.svg)" -eq 1 ] || problem="$problem paths $(grep -c '<path' s.svg)"
  rsvg-convert -d 600 -p 600 s.svg -o s.png 2>/dev/null || problem="$problem rsvg-convert failed"
  problem="$problem$(decodes s.png)"
  check "svg --module-mm $mm --margin $margin: ${want_mm}mm, version $version" "$problem"
}

# A version-20 symbol in one colour stays under 40 KB and decodes; its
# size follows the formula too.
svg_version20_case() {
  local v20 size total want_mm problem=
  v20=$(head -c 640 /dev/zero | tr '\0' 'x')
  code_info 1 --text "$v20"
  "$tool" encode --text "$v20" --module-mm 0.35 -o v20.svg >/dev/null 2>&1
  size=$(stat -c %s v20.svg)
  total=$(((4 * version + 17 + 4) * 350))
  want_mm=$(printf '%d.%03d' $((total / 1000)) $((total % 1000)) | sed -E 's/\.?0+$//')
  [ "$version" -eq 20 ] || problem="version $version"
  [ "$size" -lt 40000 ] || problem="$problem $size bytes"
  grep -q "width=\"${want_mm}mm\"" v20.svg || problem="$problem width not ${want_mm}mm"
  rsvg-convert -d 600 -p 600 v20.svg -o v20.png 2>/dev/null
  problem="$problem$(decodes v20.png)"
  check "svg version 20: $size bytes, ${want_mm}mm" "$problem"
}

# The rainbow: one path per colour, each colour once.
svg_rainbow_case() {
  local fills problem=
  "$tool" encode --text "$long" --color rainbow -o rainbow.svg >/dev/null 2>&1
  fills=$(grep -o '<path fill="#[0-9A-F]*"' rainbow.svg | sort)
  [ "$(wc -l <<<"$fills")" -gt 10 ] || problem="only $(wc -l <<<"$fills") paths"
  [ -z "$(uniq -d <<<"$fills")" ] || problem="$problem a colour has two paths"
  check "svg rainbow: one path per colour" "$problem"
}

# --- Standard output: the same bytes as the file, nothing listed.
stdout_case() {
  local format problem=
  for format in png svg bmp; do
    "$tool" encode --text Hi --format "$format" -o "file.$format" >/dev/null 2>&1
    "$tool" encode --text Hi --format "$format" -o - >"stdout.$format" 2>/dev/null || problem="$problem $format failed"
    cmp -s "file.$format" "stdout.$format" || problem="$problem $format differs"
  done
  [ ! -e ./-.png ] && [ ! -e ./- ] || problem="$problem a file named - was written"
  check "-o - writes the file to standard output" "$problem"
}

# --- Bad input: exit 1, a message naming the problem, no file.
# refused_case WORDS OPTIONS: 'encode OPTIONS' in an empty folder.
refused_case() {
  local words=$1 opts=$2 o rc problem=
  read -r -a o <<<"$opts"
  rm -rf bad && mkdir bad
  (cd bad && "$tool" encode "${o[@]}" >../bad.out 2>../bad.err)
  rc=$?
  [ "$rc" -eq 1 ] || problem="exit code $rc"
  grep -qi -- "$words" bad.err || problem="$problem message: $(head -c 200 bad.err)"
  [ -z "$(find bad -mindepth 1)" ] || problem="$problem wrote $(find bad -mindepth 1 -printf '%f ')"
  check "refused: ${opts}" "$problem"
}

# --- show: two module rows per line, read back equal the codes matrix with
# the quiet zone; the status line names the code.
# shown_rows MARGIN INVERT: the modules inside the quiet zone of show.out,
# one row a line of 0 and 1 (preceded by a line when the zone is not light).
shown_rows() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
margin, invert = int(sys.argv[1]), sys.argv[2] == "1"
blocks = {" ": (0, 0), "\u2580": (1, 0), "\u2584": (0, 1), "\u2588": (1, 1)}
lines = open("show.out", encoding="utf-8").read().split("\n")[:-1]
width = len(lines[0])
rows = [[], []]
grid = []
for line in lines:
    top, bottom = [], []
    for ch in line:
        t, b = blocks[ch]
        if invert: t, b = 1 - t, 1 - b
        top.append(t); bottom.append(b)
    grid.append(top); grid.append(bottom)
grid = grid[:width]   # an odd count of rows leaves the last lower half unused
n = width - 2 * margin
ok = all(grid[y][x] == 0 for y in range(width) for x in range(width)
         if not (margin <= x < width - margin and margin <= y < width - margin))
if not ok: print("quiet zone not light")
for y in range(margin, margin + n):
    print("".join(str(grid[y][x]) for x in range(margin, margin + n)))
PY
}

# show_case OPTIONS: 'show OPTIONS' against code K of 'codes' (--code K).
show_case() {
  local opts=$1 k=1 margin=4 invert=0 gen=() i rc count problem=
  options_of "$opts"
  for ((i = 0; i < ${#o[@]}; ++i)); do
    case ${o[$i]} in
      --code) k=${o[$((i + 1))]} ;;
      --margin) margin=${o[$((i + 1))]} ;;
      --invert) invert=1 ;;
    esac
  done
  for ((i = 0; i < ${#o[@]}; ++i)); do
    case ${o[$i]} in --code | --margin) i=$((i + 1)) ;; --invert) ;; *) gen+=("${o[$i]}") ;; esac
  done
  code_info "$k" "${gen[@]}"
  "$tool" show "${o[@]}" >show.out 2>show.err
  rc=$?
  # The code's rows from 'codes', framed by the quiet zone.
  awk -v k="$k" '/^code / { on = ($2 == k) ; next } on && /^[01]+$/ { print } on && /^[0-9a-f]*$/ && !/^[01]+$/ { }' codes.out |
    grep -v "^$want_hex\$" >rows.want
  shown_rows "$margin" "$invert" >rows.got
  [ "$rc" -eq 0 ] || problem="exit code $rc"
  cmp -s rows.want rows.got || problem="$problem modules differ from the codes matrix"
  count=$(grep -c '^code' codes.out)
  grep -qx "code $k of $count, version $version, $((${#want_hex} / 2)) bytes" show.err ||
    problem="$problem status '$(cat show.err)'"
  check "show $opts" "$problem"
}

show_refusals_case() {
  "$tool" show --text x --margin 11 >/dev/null 2>&1
  check "show --margin 11 is refused" "$([ $? -eq 1 ] || echo "not exit 1")"
  "$tool" show --text x --code 2 >/dev/null 2>show.err
  check "show --code past the codes is refused" "$([ $? -eq 1 ] && [ -s show.err ] || echo "not exit 1")"
}

# --- --help on every subcommand names the new options.
help_case() {
  local entry sub word problem=
  for entry in "encode --module-mm" "encode --format" "encode --dpi" "show --invert" "payload mailto" "codes mailto"; do
    read -r sub word <<<"$entry"
    "$tool" "$sub" --help >help.out
    grep -q -- "$word" help.out || problem="$problem $sub"
  done
  "$tool" --help >help.out
  grep -q '^  show' help.out || problem="$problem main"
  check "--help describes the new options" "$problem"
}

formats_case

while read -r name format opts; do
  png_case "$name" "$format" "$opts"
done <<EOF2
plain png-grey1 --text Hello~PNG
kanji png-grey1 --text $kanji --size 3 --margin 4
custom-black png-grey1 --text x --color #000000 --size 0 --margin 1
indigo png-rgb8 --text $kanji --color indigo --size 5
long png-rgb8 --text $long --color red --size 7 --margin 6 --level H
utf8 png-grey1 --carrier utf8 --text 漢字😀 --size 2
EOF2
png_rainbow_case
all_codes_case

while read -r mm dpi margin text; do
  size_case "$mm" "$dpi" "$margin" "$text"
done <<EOF2
0.33 600 2 Hello
0.5 96 4 $kanji
1 300 0 $long
0.1 72 1 x
2.125 203 6 0123456789
EOF2
dpi_only_case

while read -r mm margin want_mm text; do
  svg_case "$mm" "$margin" "$want_mm" "$text"
done <<EOF2
- 2 12.5 Hi
0.66 0 13.86 Hi
1 2 25 Hi
0.125 1 3.375 ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789
- 6 16.5 Hi
0.48 2 12 Hi
EOF2
svg_version20_case
svg_rainbow_case
stdout_case

while read -r words opts; do
  refused_case "$words" "$opts"
done <<EOF2
format --text x --format gif -o a.gif
module-mm --text x --module-mm 0.09 -o a.png
module-mm --text x --module-mm 10.001 -o a.png
module-mm --text x --module-mm 0.1234 -o a.png
module-mm --text x --module-mm 1e1 -o a.png
dpi --text x --dpi 71 -o a.png
dpi --text x --dpi 2401 -o a.png
--size --text x --module-mm 1 --size 2 -o a.png
--size --text x --dpi 300 --size 1 -o a.bmp
one --text x --all -o -
one --text x --csv ../none.csv --all-records -o -
show --text x --invert -o a.png
20000 --text x --module-mm 10 --dpi 2400 -o a.png
20000 --text x --module-mm 8 --dpi 2400 --margin 6 -o a.bmp
EOF2

while read -r opts; do
  show_case "$opts"
done <<EOF2
--text Hello
--text 漢字 --margin 0
--text $long --max-version 3 --code 2 --margin 1
--carrier utf8 --text 😀 --invert --margin 10
EOF2
show_refusals_case
help_case

verdict_summary
