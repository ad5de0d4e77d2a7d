#!/bin/bash
# Makes the Windows packages from build/windows/dist/ (built first when files
# of it are missing, with the native tool the Windows tree is configured
# with), into build/package/:
#   Mivoka-<version>-setup.exe     the per-user installer (tools/installer.nsi)
#   Mivoka-<version>-portable.zip  the dist files in a folder Mivoka/
# <version> is the program's own, from resources/version.h. Installs the
# missing Debian packages first (nsis among them), as the other scripts do.
# `tools/package.sh --version` only prints <version>.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh

DIST=$MIVOKA_ROOT/build/windows/dist
OUT=$MIVOKA_ROOT/build/package

# The version "MAJOR.MINOR" of resources/version.h.
mivoka_version() {
  local major minor
  major=$(sed -n 's/^#define MIVOKA_VERSION_MAJOR \([0-9][0-9]*\)$/\1/p' resources/version.h)
  minor=$(sed -n 's/^#define MIVOKA_VERSION_MINOR \([0-9][0-9]*\)$/\1/p' resources/version.h)
  if [ -z "$major" ] || [ -z "$minor" ]; then
    echo "error: no version in resources/version.h" >&2
    return 1
  fi
  echo "$major.$minor"
}

# The files every package holds, relative to the dist folder.
REQUIRED_FILES=(Mivoka.exe mivoka-cli.exe QR2DLL.dll help/index.html licenses/winpthreads.txt licenses/zlib.txt)

# dist_missing: prints the first required file the dist folder lacks; false
# when it has them all.
dist_missing() {
  local file
  for file in "${REQUIRED_FILES[@]}"; do
    [ -f "$DIST/$file" ] || { echo "$file"; return 0; }
  done
  return 1
}

# Builds build/windows/dist, and before it the native tool when it is missing
# (the Windows tree is configured with its path).
build_dist() {
  if [ ! -x "$MIVOKA_ROOT/build/native/cli/mivoka" ]; then
    echo "== package: building the native tool (log: build/native/build.log)"
    logged native configure configure_native && logged native build build_tree native mivoka || return 1
  fi
  echo "== package: building the Windows tree (log: build/windows/build.log)"
  logged windows configure configure_windows && logged windows build build_tree windows dist
}

# The files of the dist folder, relative to it, one a line, sorted.
dist_files() { (cd "$DIST" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# Writes the NSIS macros that install and remove exactly the dist files, so
# that the uninstaller leaves whatever else the folder holds (the settings).
write_file_macros() {
  local file dir last=
  echo '!macro MIVOKA_INSTALL_FILES'
  while read -r file; do
    dir=$(dirname "$file")
    if [ "$dir" != "$last" ]; then
      if [ "$dir" = . ]; then
        echo "  SetOutPath \"\$INSTDIR\""
      else
        echo "  SetOutPath \"\$INSTDIR\\${dir//\//\\}\""
      fi
      last=$dir
    fi
    echo "  File \"$DIST/$file\""
  done < <(dist_files)
  echo '!macroend'
  echo '!macro MIVOKA_REMOVE_FILES'
  while read -r file; do
    echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
  done < <(dist_files)
  # Deepest folders first; RMDir leaves a folder that is not empty.
  while read -r dir; do
    echo "  RMDir \"\$INSTDIR\\${dir//\//\\}\""
  done < <(cd "$DIST" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)
  echo '!macroend'
}

main() {
  local version setup zip missing
  version=$(mivoka_version)
  if [ "${1:-}" = --version ]; then
    echo "$version"
    return 0
  fi
  install_missing_packages
  if missing=$(dist_missing); then
    echo "== package: $DIST/$missing missing"
    build_dist || exit 1
    if missing=$(dist_missing); then
      echo "error: $DIST/$missing missing after building the Windows tree" >&2
      exit 1
    fi
  fi
  rm -rf "$OUT" && mkdir -p "$OUT"
  setup=$OUT/Mivoka-$version-setup.exe
  zip=$OUT/Mivoka-$version-portable.zip

  echo "== package: $(basename "$setup")"
  write_file_macros >"$OUT/files.nsh"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DROOT="$MIVOKA_ROOT" -DFILES="$OUT/files.nsh" \
    -DOUTFILE="$setup" "$MIVOKA_ROOT/tools/installer.nsi"

  echo "== package: $(basename "$zip")"
  mkdir -p "$OUT/stage" && cp -r "$DIST" "$OUT/stage/Mivoka"
  (cd "$OUT/stage" && cmake -E tar cf "$zip" --format=zip Mivoka)
  rm -rf "$OUT/stage"
  ls -l "$setup" "$zip"
}

main "$@"
