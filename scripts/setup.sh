#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what a fresh Debian machine lacks to build Vexari: `setup.sh play`
# what building and playing needs, `setup.sh test` (the default) also the
# test, benchmark and packaging tools. Works as root or through sudo; does
# nothing when everything is present.
set -euo pipefail

play=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev libsdl2-dev
  qt6-multimedia-dev fonts-dejavu-core
)
test=(
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  desktop-file-utils appstream
  xvfb openbox xdotool pulseaudio pulseaudio-utils sox
  help2man man-db dpkg-dev fakeroot lintian file linux-perf
)
case "${1:-test}" in
  play) packages=("${play[@]}") ;;
  test) packages=("${play[@]}" "${test[@]}") ;;
  *) echo "usage: setup.sh [play|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
