#!/bin/bash
# Shared part of the scripts that check one tool on its own: the verdict of
# a case (verdict_lib.sh counts it), the probe's fields, the decoders' reading.
# Source it; it sets passed and failed to 0.
# shellcheck source=tests/cli/verdict_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/verdict_lib.sh"

# check NAME PROBLEM: counts the case; a non-empty PROBLEM fails it, shown
# with the first bytes of the file err when there is one.
check() { verdict "$1" "$2" show_err; }

show_err() {
  [ ! -s err ] || echo "  stderr: $(head -c 300 err)"
}

# refusal RC PATTERN: the problem when a run did not exit 1 with PATTERN in
# the file err; nothing when it did.
refusal() {
  if [ "$1" -ne 1 ]; then
    echo "exit code $1, expected 1"
  elif ! grep -q -- "$2" err; then
    echo "no message with '$2'"
  fi
}

# field NAME FILE: the value of line "NAME value" of the image probe's output.
field() { sed -n "s/^$1 //p" "$2"; }

# names_in FOLDER: the names in FOLDER, one a line, sorted as ls sorts them.
names_in() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort; }

hex_of() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# decodes_to FILE WANT_FILE: empty when both decoders, through the image
# probe in $probe, read exactly WANT_FILE's bytes; else what they read.
decodes_to() {
  local want
  want=$(hex_of "$2")
  "${probe:?the image probe}" "$1" >probe.out 2>/dev/null || { echo "unreadable $1"; return; }
  [ "$(field zbar probe.out)" = "$want" ] || echo "zbar read $(field zbar probe.out | head -c 60)"
  [ "$(field zxing probe.out)" = "$want" ] || echo "zxing read $(field zxing probe.out | head -c 60)"
}
