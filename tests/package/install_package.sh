#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree, checks it with lintian,
# installs it with apt-get on this machine, runs what it installed and
# removes it again, leaving nothing behind. Exits 77 (skipped) where
# packages cannot be installed: without root, or with a vexari package
# already installed that is not ours to remove.
# Usage: install_package.sh CPACK BUILD_DIR VERSION
set -u
cpack=$1 build=$2 version=$3
fail() { echo "FAIL: $*"; exit 1; }
if [ "$(id -u)" -ne 0 ]; then echo "skipped: installing a package needs root"; exit 77; fi
command -v apt-get >/dev/null || { echo "skipped: no apt-get here"; exit 77; }
if dpkg-query -W -f='${Status}' vexari 2>/dev/null | grep -q installed; then
  echo "skipped: a vexari package is already installed"; exit 77
fi
work=$(mktemp -d)
installed=false
cleanup() {
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null
  $installed && DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q vexari >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/vexari_*.deb 2>/dev/null | head -1)
[ -s "$deb" ] || fail "no package was made"
# dpkg-shlibdeps found the libraries the programs link, the sound's and the gamepads' among them.
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6multimedia6* ]] || fail "no dependency on Qt Multimedia: $depends"
[[ $depends == *libsdl2-2.0-0* ]] || fail "no dependency on SDL 2: $depends"
if command -v lintian >/dev/null; then
  lintian "$deb" >"$work/lintian.log" 2>&1
  grep -v 'root privileges' "$work/lintian.log"
  ! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"
fi

DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install"; }
installed=true
dpkg -L vexari >"$work/files"

for program in vexari vexari-server vexari-bot vexari-sim; do
  [ "$(/usr/games/$program --version)" = "$program $version" ] || fail "$program --version"
done
/usr/games/vexari-server --port 0 >"$work/server.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q '^listening on port [0-9]' "$work/server.out" && break; sleep 0.1; done
grep -q '^listening on port [0-9]' "$work/server.out" || fail "vexari-server did not say its port"
kill -TERM "$server"
wait "$server" || fail "vexari-server did not end with 0 on SIGTERM"
server=
[ "$(man -w vexari-server)" = /usr/share/man/man6/vexari-server.6.gz ] || fail "man -w vexari-server"
grep -q '^ExecStart=/usr/games/vexari-server' /usr/lib/systemd/system/vexari-server.service || fail "service"

DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q vexari >"$work/apt.log" 2>&1 || fail "apt-get remove"
installed=false
while read -r path; do
  [ -d "$path" ] && continue  # directories shared with other packages stay
  [ -e "$path" ] && fail "$path is left after removal"
done <"$work/files"
echo "package: ok ($(basename "$deb"))"
