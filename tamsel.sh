#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu packages), then:
#   run           builds the program alone (Release), installs it into a
#                 folder of its own and starts it
#   test          builds the program, the tests and the benchmarks and runs the tests
#   package       builds the Debian package (cpack -G DEB) in build-package/
#   package-test  builds the package, installs it into a fresh Debian root and
#                 checks that it starts there and keeps its data in the user's folder
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
  run|test|package|package-test) ;;
  *) echo "usage: $0 run|test|package|package-test" >&2; exit 2 ;;
esac

# One line per step, so a long first run shows where it is.
step() { echo "==> $*"; }

packages="cmake make g++ qt6-base-dev qt6-serialport-dev libgl-dev fonts-liberation poppler-utils"
# The package's dependencies are worked out by dpkg-shlibdeps; its PNG icons
# are drawn from the SVG.
case "$what" in
  # xvfb and xdotool let one test click through the real program on a display of its own.
  test) packages="$packages xvfb xdotool" ;;
  package) packages="$packages dpkg-dev librsvg2-bin" ;;
  package-test) packages="$packages dpkg-dev librsvg2-bin debootstrap" ;;
esac
step "Checking the packages the build needs"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root:$missing" >&2; exit 1; }
    sudo="sudo"
  fi
  step "Installing:$missing"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
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
test)
  build=${TAMSEL_BUILD:-build}
  # CI sets TAMSEL_WERROR=ON so that a new warning fails the build there.
  step "Configuring in $build"
  cmake -S . -B "$build" -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" >/dev/null
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
esac
