#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu packages), then:
#   run           builds the program alone (Release), installs it into a
#                 folder of its own and starts it
#   test          builds the program, the tests and the benchmarks and runs the tests
#   package       builds the Debian package (cpack -G DEB) in build-package/
#   package-test  builds the package, installs it into a fresh Debian root and
#                 checks that it starts there and keeps its data in the user's folder
#   sanitize      runs the suite built with AddressSanitizer and
#                 UndefinedBehaviorSanitizer (folder build-asan)
#   bench         builds the benchmarks (Release, folder build-bench) and prints
#                 their results as one table
#   fuzz [seconds] [target...]
#                 builds the fuzz targets with clang (folder build-fuzz) and runs
#                 each for that long (20 s unless given)
#   mutation [id | id prefix | test program ...]
#                 puts each fault of tests/mutation/faults.txt into a scratch copy
#                 (build-mutation/) in turn and says whether the tests catch it
#   stats         counts the C++ lines of src/ and tests/, folder by folder
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
  run|test|package|package-test|sanitize|fuzz|bench|mutation|stats) ;;
  *) echo "usage: $0 run|test|package|package-test|sanitize|bench|fuzz [seconds] [target...]|mutation [id...]|stats" >&2; exit 2 ;;
esac

# Non-blank lines that are not // comments, of the C++ files git keeps under
# the given paths. The fuzz targets and the crash harness are tests; bench/
# is neither.
cpp_lines() {
  git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|cc)$' | xargs -r cat \
    | grep -v '^[[:space:]]*$' | grep -v '^[[:space:]]*//' | wc -l
}
if [ "$what" = stats ]; then
  printf '%-12s %8s %8s\n' folder src tests
  for d in $( (ls src; ls tests) | sort -u); do
    [ -d "src/$d" ] || [ -d "tests/$d" ] || continue
    printf '%-12s %8s %8s\n' "$d" "$(cpp_lines "src/$d")" "$(cpp_lines "tests/$d")"
  done
  s=$(cpp_lines src); t=$(cpp_lines tests)
  printf '%-12s %8s %8s\n' all "$s" "$t"
  echo "tests are $(( 100 * t / (s + t) ))% of the whole ($t of $((s + t)) lines)"
  exit 0
fi

# One line per step, so a long first run shows where it is.
step() { echo "==> $*"; }

packages="cmake make g++ qt6-base-dev qt6-serialport-dev libgl-dev libcups2-dev fonts-liberation poppler-utils"
# The package's dependencies are worked out by dpkg-shlibdeps; its PNG icons
# are drawn from the SVG.
case "$what" in
  # xvfb and xdotool let one test click through the real program on a display of its own;
  # cups and cups-pdf give the print test a real print system with a PDF queue.
  test|sanitize) packages="$packages xvfb xdotool cups printer-driver-cups-pdf" ;;
  mutation) packages="$packages xvfb xdotool cups printer-driver-cups-pdf python3" ;;
  fuzz) packages="$packages clang" ;;
  package) packages="$packages dpkg-dev librsvg2-bin" ;;
  package-test) packages="$packages dpkg-dev librsvg2-bin debootstrap" ;;
esac
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
  step "Installing:$missing"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
}
step "Checking the packages the build needs"
need $packages
# libFuzzer comes with clang's runtime package of the same version.
if [ "$what" = fuzz ]; then
  need "libclang-rt-$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)-dev"
fi

case "$what" in
run)
  # The program alone, optimised; the tests and benchmarks are the test
  # command's business. A build folder of its own keeps the two from
  # rebuilding each other's objects.
  build=${TAMSEL_RUN_BUILD:-build-release}
  step "Configuring a Release build in $build"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" >/dev/null
  step "Building the program ($(nproc) jobs at a time)"
  cmake --build "$build" -j"$(nproc)" --target TamselProposal
  # The program keeps its data beside itself, so it lives in a folder of its
  # own that a rebuild or a clean never touches.
  home=${TAMSEL_HOME:-$HOME/TamselProposal}
  step "Installing into $home"
  cmake --install "$build" --prefix "$home" >/dev/null
  step "Starting $home/TamselProposal"
  cd "$home"
  exec ./TamselProposal
  ;;
test|sanitize)
  build=${TAMSEL_BUILD:-build}
  sanitize=OFF
  if [ "$what" = sanitize ]; then
    build=${TAMSEL_BUILD:-build-asan}
    sanitize=ON
    # Every sanitizer report fails the test that caused it.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
  fi
  # CI sets TAMSEL_WERROR=ON so that a new warning fails the build there.
  step "Configuring in $build"
  cmake -S . -B "$build" -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" -DTAMSEL_SANITIZE="$sanitize" >/dev/null
  step "Building the program, the tests and the benchmarks ($(nproc) jobs at a time)"
  cmake --build "$build" -j"$(nproc)"
  step "Running the tests"
  cd "$build"
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure
  ;;
package|package-test)
  build=${TAMSEL_PACKAGE_BUILD:-build-package}
  step "Configuring a Release build for /usr in $build"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMSEL_SYSTEM_INSTALL=ON -DTAMSEL_BUILD_TESTS=OFF \
    -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" >/dev/null
  step "Building the program and its icons ($(nproc) jobs at a time)"
  cmake --build "$build" -j"$(nproc)"
  step "Making the Debian package"
  (cd "$build" && cpack -G DEB >/dev/null)
  deb=$(ls -t "$build"/tamselproposal_*.deb | head -n 1)
  step "Package: $deb"
  if [ "$what" = package-test ]; then
    step "Installing it into a fresh Debian root"
    exec packaging/test-package.sh "$deb" "$build/debian-root"
  fi
  ;;
bench)
  build=${TAMSEL_BENCH_BUILD:-build-bench}
  step "Configuring a Release build in $build"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" >/dev/null
  step "Building the benchmarks ($(nproc) jobs at a time)"
  cmake --build "$build" -j"$(nproc)" --target tamsel_benchmarks
  step "Running them (each makes its data at the formats' largest sizes in a temporary folder)"
  # Each prints its rows of the table; what else it says goes to the log.
  rows=$(mktemp)
  trap 'rm -f "$rows"' EXIT
  failed=""
  for b in bench_startup bench_customers bench_report bench_items bench_printing bench_memory; do
    QT_QPA_PLATFORM=offscreen "$build/bench/$b" >>"$rows" 2>"$build/$b.log" || failed="$failed $b"
    # Start-up again on tmpfs: how long a mkdir takes on a disk drifts from
    # minute to minute, so there only the program's own work shows.
    if [ "$b" = bench_startup ] && [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ]; then
      QT_QPA_PLATFORM=offscreen "$build/bench/$b" 32767 /dev/shm 5 >>"$rows" 2>>"$build/$b.log" || failed="$failed $b(tmpfs)"
    fi
  done
  echo
  echo "$(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  echo "| action | size | time | floor | ratio | peak memory |"
  echo "|---|---|---|---|---|---|"
  grep '^| ' "$rows" || true
  [ -z "$failed" ] || { echo "failed:$failed (logs in $build/)" >&2; exit 1; }
  ;;
fuzz)
  # Faster on a loaded machine, and findings are still found: no fill of new
  # memory, a smaller quarantine.
  export ASAN_OPTIONS=max_malloc_fill_size=0:quarantine_size_mb=16:abort_on_error=1
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  seconds=${2:-20}
  shift $(( $# < 2 ? $# : 2 ))
  build=${TAMSEL_FUZZ_BUILD:-build-fuzz}
  step "Configuring the fuzz targets with clang in $build"
  CC=clang CXX=clang++ cmake -S . -B "$build" -DTAMSEL_FUZZ=ON >/dev/null
  step "Building the fuzz targets"
  cmake --build "$build" -j"$(nproc)" --target tamsel_fuzzers
  targets=${*:-$(ls tests/fuzz/corpus)}
  # New inputs go to the build folder; the kept ones in tests/fuzz/corpus are only read.
  for t in $targets; do
    mkdir -p "$build/fuzz-corpus/$t" "$build/fuzz-findings"
    step "fuzz_$t: $seconds s"
    rc=0
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$t-" \
      "$build/fuzz-corpus/$t" "tests/fuzz/corpus/$t" >"$build/fuzz-$t.log" 2>&1 || rc=$?
    grep -E 'number_of_executed_units|ERROR|SUMMARY|check failed|runtime error|written to' "$build/fuzz-$t.log" || true
    [ "$rc" -eq 0 ] || { echo "fuzz_$t found a fault (log $build/fuzz-$t.log)" >&2; exit 1; }
  done
  ;;
mutation)
  shift
  step "Trying the faults of tests/mutation/faults.txt (log build-mutation/mutation.log)"
  exec python3 tests/mutation/mutate.py "$@"
  ;;
esac
