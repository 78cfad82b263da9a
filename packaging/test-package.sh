#!/usr/bin/env bash
# Installs a built package into a fresh Debian root and starts the program
# there offscreen, as an ordinary user and as root: each must keep its data
# in its own ~/.local/share/TamselProposal and write nothing beside /usr/bin.
#
#   packaging/test-package.sh PACKAGE.deb ROOT
#
# ROOT is made anew on every run from a minimal Debian kept in ROOT.base
# (debootstrap fetches it from Debian's mirror once). Where the root cannot be
# made (not root, no debootstrap, no mirror, no chroot) it says so and skips.
set -euo pipefail

deb=$(realpath "$1")
root=$(realpath -m "$2")
base="$root.base"
mirror=${TAMSEL_DEBIAN_MIRROR:-http://deb.debian.org/debian}

step() { echo "==> $*"; }
skip() { echo "SKIPPED: $*"; exit 0; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# What the package holds, checked without installing it.
step "Checking the package's contents"
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/TamselProposal \
            ./usr/share/applications/org.tamselproposal.TamselProposal.desktop \
            ./usr/share/metainfo/org.tamselproposal.TamselProposal.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/org.tamselproposal.TamselProposal.svg \
            ./usr/share/icons/hicolor/48x48/apps/org.tamselproposal.TamselProposal.png \
            ./usr/share/icons/hicolor/256x256/apps/org.tamselproposal.TamselProposal.png \
            ./usr/share/doc/tamselproposal/manual/index.html; do
  grep -qxF "$path" <<<"$listing" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6printsupport6 libqt6serialport6 fonts-liberation xdg-utils; do
  grep -q "$need" <<<"$depends" || fail "the package does not depend on $need ($depends)"
done
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
if readelf -S "$unpacked/usr/bin/TamselProposal" | grep -q '\.symtab'; then
  fail "the program is not stripped"
fi

[ "$(id -u)" -eq 0 ] || skip "making a Debian root needs root"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
. /etc/os-release
[ "${ID:-}" = debian ] && [ -n "${VERSION_CODENAME:-}" ] || skip "the root is made of this machine's Debian release; this is ${ID:-unknown}"

if [ ! -x "$base/usr/bin/apt-get" ]; then
  step "Making a minimal Debian $VERSION_CODENAME in $base (once)"
  rm -rf "$base.tmp"
  debootstrap --variant=minbase "$VERSION_CODENAME" "$base.tmp" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    skip "debootstrap could not make a root from $mirror (see $root.debootstrap.log)"
  mv "$base.tmp" "$base"
fi
step "Copying it into a fresh root $root"
rm -rf "$root"
cp -a "$base" "$root"
cp "$deb" "$root/tmp/package.deb"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# Inside a mount namespace of its own the root's /proc and /dev go away with it.
cat >"$root/tmp/inside.sh" <<'INSIDE'
set -eu
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
unset XDG_DATA_HOME TAMSEL_DATA
apt-get update -qq
apt-get install -y -qq --no-install-recommends /tmp/package.deb >/tmp/apt.log 2>&1 || { cat /tmp/apt.log; exit 1; }
useradd -m estimator
before=$(ls -A /usr/bin | wc -l)
for user in estimator root; do
  home=$(getent passwd "$user" | cut -d: -f6)
  data="$home/.local/share/TamselProposal"
  echo "starting the program as $user"
  su -s /bin/sh "$user" -c "cd \$HOME && QT_QPA_PLATFORM=offscreen exec TamselProposal" >/tmp/run-$user.log 2>&1 &
  pid=$!
  i=0
  while [ ! -f "$data/TProposalCounter.txt" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
  alive=yes; kill -0 $pid 2>/dev/null || alive=no
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  [ -f "$data/TProposalCounter.txt" ] || { echo "no data in $data"; cat /tmp/run-$user.log; exit 1; }
  [ $alive = yes ] || { echo "the program ended at start-up"; cat /tmp/run-$user.log; exit 1; }
  for folder in Backup Templates/Proposals TamselProposals/ProposalBody TamselProposals/ProposalPayments; do
    [ -d "$data/$folder" ] || { echo "$data/$folder is missing"; exit 1; }
  done
  [ "$(stat -c %U "$data/TProposalCounter.txt")" = "$user" ] || { echo "the data are not $user's"; exit 1; }
  echo "  $data: $(ls "$data" | tr '\n' ' ')"
done
[ "$(ls -A /usr/bin | wc -l)" = "$before" ] || { echo "the program wrote into /usr/bin"; exit 1; }
[ ! -e /usr/bin/Backup ] || { echo "the program wrote into /usr/bin"; exit 1; }
INSIDE

step "Installing the package there and starting the program offscreen"
unshare --mount --pid --fork --kill-child true 2>/dev/null || skip "this machine lets no mount namespace be made"
unshare --mount --pid --fork --kill-child /bin/sh -c '
  mount --make-rprivate /
  mount -t proc proc "$1/proc"
  mount --bind /dev "$1/dev"
  exec chroot "$1" /bin/sh /tmp/inside.sh' sh "$root" || fail "see the lines above"
step "Passed: the package installs, the program starts and keeps its data in the user's folder"
