# shellcheck shell=bash
# Shared by run.sh and test.sh (sourced): the Debian packages the build needs
# and the configuration of each build tree, so both scripts build alike.

MIVOKA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
MIVOKA_JOBS=2
# Cache hits across checkouts in different folders.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$MIVOKA_ROOT}

# Everything the trees, their tests and the benchmarks use: zlib for PNG
# output and rsvg-convert for its tests; clang and its runtime (libFuzzer,
# sanitizers) build the fuzz tree; the next-to-last line drives and reads the
# window in the end-to-end tests and tools/screenshots.sh; the one before the
# last makes and checks the Windows packages (tools/package.sh: the installer;
# wrestool reads the version resources); shellcheck checks every shell script.
MIVOKA_PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine64 xvfb xauth fonts-ipafont
  libzbar-dev libzxing-dev libqrencode-dev libzint-dev libqrcodegencpp-dev
  zlib1g-dev libz-mingw-w64-dev librsvg2-bin
  clang libclang-rt-14-dev
  xdotool x11-apps zbar-tools python3-pil python3-vobject xclip
  nsis icoutils
  shellcheck
)

# Prints the packages of the list that are not installed.
missing_packages() {
  local pkg status
  for pkg in "${MIVOKA_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in
      *" ok installed") ;;
      *) echo "$pkg" ;;
    esac
  done
}

# Installs the missing packages with apt-get, as root or through sudo.
# Updates the package lists once, and only when something is missing.
install_missing_packages() {
  local missing sudo=()
  mapfile -t missing < <(missing_packages)
  if [ "${#missing[@]}" -eq 0 ]; then
    echo "== packages: all present"
    return 0
  fi
  echo "== packages: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "error: not root and no sudo; install as root: apt-get install ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

# configure_tree NAME CMAKE_ARGS...: configures build/NAME with Ninja.
configure_tree() {
  local name=$1 launcher=()
  shift
  # A compiler cache, when the machine has one, makes rebuilds and several
  # checkouts of the tree cheap; the build does not need it.
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$MIVOKA_ROOT" -B "$MIVOKA_ROOT/build/$name" -G Ninja "${launcher[@]}" "$@"
}

# The trees. Each prints nothing on its own; callers log and time them.
configure_native() {
  configure_tree native -DCMAKE_BUILD_TYPE=Release -DMIVOKA_BENCH=ON
}

configure_sanitize() {
  configure_tree sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIVOKA_SANITIZE=address,undefined -DMIVOKA_BENCH=OFF
}

# ThreadSanitizer tree (build/tsan), for the pipeline's thread tests; test.sh
# builds and runs it when MIVOKA_TSAN_TESTS names tests.
configure_tsan() {
  configure_tree tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIVOKA_SANITIZE=thread -DMIVOKA_BENCH=OFF
}

# The fuzz tree (build/fuzz): clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer; only the libraries and the targets of
# tests/fuzz, no unit tests. Its ctest runs each target for a bounded time.
configure_fuzz() {
  CC=clang CXX=clang++ configure_tree fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIVOKA_SANITIZE=address,undefined -DMIVOKA_FUZZ=ON -DMIVOKA_TESTS=OFF -DMIVOKA_BENCH=OFF
}

# The Windows tree; its tests compare the console tool with the native one.
configure_windows() {
  configure_tree windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$MIVOKA_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DMIVOKA_NATIVE_CLI="$MIVOKA_ROOT/build/native/cli/mivoka"
}

# logged NAME STEP COMMAND...: runs a command into build/NAME/STEP.log and
# prints the log only when it fails.
logged() {
  local name=$1 step=$2 log
  shift 2
  log=$MIVOKA_ROOT/build/$name/$step.log
  mkdir -p "$MIVOKA_ROOT/build/$name"
  if "$@" >"$log" 2>&1; then
    return 0
  fi
  echo "---- $name: $step failed, build/$name/$step.log follows"
  cat "$log"
  echo "---- end of build/$name/$step.log"
  return 1
}

# build_tree NAME [TARGET...]: builds build/NAME (all targets by default).
build_tree() {
  local name=$1 targets=()
  shift
  [ "$#" -gt 0 ] && targets=(--target "$@")
  cmake --build "$MIVOKA_ROOT/build/$name" -j "$MIVOKA_JOBS" "${targets[@]}"
}
