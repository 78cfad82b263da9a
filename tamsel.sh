#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu packages), builds, then either
# installs and starts the program ("run") or runs the whole test suite ("test").
# "sanitize" runs the suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (folder build-asan); "fuzz [seconds] [target...]"
# builds the fuzz targets with clang (folder build-fuzz) and runs each for that
# long (20 s unless given).
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
  run|test|sanitize|fuzz) ;;
  *) echo "usage: $0 run|test|sanitize|fuzz [seconds] [target...]" >&2; exit 2 ;;
esac

packages="cmake make g++ qt6-base-dev qt6-serialport-dev libgl-dev fonts-liberation poppler-utils"
# Installs those of the named packages that are missing.
need() {
  local missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -n "$missing" ] || return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root:$missing" >&2; exit 1; }
    sudo="sudo"
  fi
  echo "Installing:$missing"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
}
need $packages

# Every sanitizer report fails the test that caused it.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

if [ "$what" = fuzz ]; then
  # libFuzzer comes with Debian's clang and its runtime package.
  need clang
  need "libclang-rt-$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)-dev"
  # Faster on a loaded machine, and findings are still found: no fill of new
  # memory, a smaller quarantine.
  export ASAN_OPTIONS=max_malloc_fill_size=0:quarantine_size_mb=16:$ASAN_OPTIONS
  seconds=${2:-20}
  shift $(( $# < 2 ? $# : 2 ))
  build=${TAMSEL_FUZZ_BUILD:-build-fuzz}
  CC=clang CXX=clang++ cmake -S . -B "$build" -DTAMSEL_FUZZ=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" --target tamsel_fuzzers
  targets=${*:-$(ls tests/fuzz/corpus)}
  # New inputs go to the build folder; the kept ones in tests/fuzz/corpus are only read.
  for t in $targets; do
    mkdir -p "$build/fuzz-corpus/$t" "$build/fuzz-findings"
    echo "fuzz_$t: $seconds s"
    rc=0
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$t-" \
      "$build/fuzz-corpus/$t" "tests/fuzz/corpus/$t" >"$build/fuzz-$t.log" 2>&1 || rc=$?
    grep -E 'number_of_executed_units|ERROR|SUMMARY|check failed|runtime error|written to' "$build/fuzz-$t.log" || true
    [ "$rc" -eq 0 ] || { echo "fuzz_$t found a fault (log $build/fuzz-$t.log)" >&2; exit 1; }
  done
  exit 0
fi

if [ "$what" = sanitize ]; then
  TAMSEL_BUILD=${TAMSEL_BUILD:-build-asan}
  sanitize=ON
fi
build=${TAMSEL_BUILD:-build}
# CI sets TAMSEL_WERROR=ON so that a new warning fails the build there.
cmake -S . -B "$build" -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" -DTAMSEL_SANITIZE="${sanitize:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"

if [ "$what" = run ]; then
  # The program keeps its data beside itself, so it lives in a folder of its
  # own that a rebuild or a clean never touches.
  home=${TAMSEL_HOME:-$HOME/TamselProposal}
  cmake --install "$build" --prefix "$home" >/dev/null
  cd "$home"
  exec ./TamselProposal
else
  cd "$build"
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure
fi
