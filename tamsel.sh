#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu packages), builds, then either
# installs and starts the program ("run") or runs the whole test suite ("test").
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

# xvfb and xdotool let one test click through the real program on a display of its own.
packages="cmake make g++ qt6-base-dev qt6-serialport-dev libgl-dev fonts-liberation poppler-utils xvfb xdotool"
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
  echo "Installing:$missing"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

build=${TAMSEL_BUILD:-build}
# CI sets TAMSEL_WERROR=ON so that a new warning fails the build there.
cmake -S . -B "$build" -DTAMSEL_WERROR="${TAMSEL_WERROR:-OFF}" >/dev/null
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
