#!/bin/bash
# Writes the licence notices of the libraries the Windows binaries carry
# (linked statically) into notices/, from the copyright files of the Debian
# packages they come from: winpthreads of mingw-w64 (mingw-w64-x86-64-dev)
# and zlib (libz-mingw-w64-dev). The results are committed, so a build needs
# neither; run it again after those packages change.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
MINGW=/usr/share/doc/mingw-w64-x86-64-dev/copyright
ZLIB=/usr/share/doc/libz-mingw-w64-dev/copyright

# dep5_copyright FILE FILES: the Copyright field of the paragraph whose Files
# field starts with FILES, one holder a line.
dep5_copyright() {
  awk -v files="$2" '
    /^Files:/ { inside = index($0, "Files: " files) == 1; copying = 0; next }
    inside && /^Copyright:/ { copying = 1; sub(/^Copyright: */, ""); print "Copyright (c) " $0; next }
    inside && copying && /^[ \t]/ { sub(/^[ \t]+/, ""); print "Copyright (c) " $0; next }
    { copying = 0 }' "$1"
}

# dep5_license FILE NAME: the first text given for licence NAME, as plain
# text (" ." lines are blank lines).
dep5_license() {
  awk -v name="$2" '
    done { next }
    $0 == "License: " name { inside = 1; next }
    inside && /^ / { sub(/^ /, ""); if ($0 == ".") $0 = ""; print; printed = 1; next }
    inside { inside = 0; if (printed) done = 1 }' "$1"
}

# require TEXT WHAT: fails when a piece came out empty (the file changed shape).
require() {
  [ -n "$1" ] || { echo "error: no $2 found" >&2; exit 1; }
  printf '%s\n' "$1"
}

for f in "$MINGW" "$ZLIB"; do
  [ -f "$f" ] || { echo "error: $f missing (install the package it belongs to)" >&2; exit 1; }
done
mkdir -p "$ROOT/notices"

{
  echo "winpthreads, the POSIX threads library of the mingw-w64 project"
  echo
  echo "Mivoka.exe, mivoka-cli.exe and QR2DLL.dll are linked statically with it."
  echo "Its licence notices follow."
  echo
  echo "========================================================================"
  require "$(dep5_copyright "$MINGW" mingw-w64-libraries/winpthreads/\*)" "winpthreads copyright"
  echo
  require "$(dep5_license "$MINGW" expat)" "expat licence"
  echo
  echo "========================================================================"
  echo "include/pthread.h and include/pthread_compat.h:"
  require "$(dep5_copyright "$MINGW" mingw-w64-libraries/winpthreads/include/pthread.h)" "Lockless copyright"
  echo
  require "$(dep5_license "$MINGW" BSD-3-clause-Lockless)" "Lockless licence"
  echo
  echo "========================================================================"
  echo "src/libgcc/dll_math.c:"
  require "$(dep5_copyright "$MINGW" mingw-w64-libraries/winpthreads/src/libgcc/dll_math.c)" "dll_math copyright"
  echo
  require "$(dep5_license "$MINGW" BSD-3-clause)" "BSD-3-clause licence"
  echo
  echo "========================================================================"
  echo "src/clock.c and src/nanosleep.c are in the public domain."
} >"$ROOT/notices/winpthreads.txt"

{
  echo "zlib, the compression library of Jean-loup Gailly and Mark Adler"
  echo
  echo "The programs of Mivoka that write PNG files are linked statically with it."
  echo "Its licence notice follows."
  echo
  echo "========================================================================"
  require "$(dep5_copyright "$ZLIB" \*)" "zlib copyright"
  echo
  require "$(dep5_license "$ZLIB" Zlib)" "zlib licence"
} >"$ROOT/notices/zlib.txt"

echo "wrote notices/winpthreads.txt and notices/zlib.txt"
