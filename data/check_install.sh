#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree: the four
# programs, the desktop entry, the icon in every size (a PNG of that size),
# the metainfo and its screenshot, the replay files' MIME type (which the
# desktop entry opens), and the tuned weights as the Demo
# parameters dialog loads them (eight whole numbers). desktop-file-validate
# and appstreamcli check the two files when they are installed, and are
# skipped otherwise.
# Usage: check_install.sh CMAKE BUILD_DIR APP_ID
set -u
cmake=$1 build=$2 id=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
version=$("$prefix/bin/vexari" --version | cut -d' ' -f2)
for program in vexari vexari-server vexari-bot vexari-sim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program missing"
  [ "$("$prefix/bin/$program" --version)" = "$program $version" ] || fail "$program --version is not \"$program $version\""
done
for page in vexari vexari-server vexari-bot vexari-sim; do
  [ -s "$prefix/share/man/man6/$page.6.gz" ] || fail "the manual page of $page is missing"
done
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
for file in "$desktop" "$metainfo" "$prefix/share/vexari/screenshot.png"; do
  [ -s "$file" ] || fail "${file#"$prefix"/} missing"
done
weights=$(tr -d '\r' < "$prefix/share/vexari/strong.dem" 2>/dev/null | grep -cE '^-?[0-9]+$')
[ "$weights" = 8 ] || fail "share/vexari/strong.dem does not hold eight whole numbers"
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
  [ -s "$png" ] || fail "${png#"$prefix"/} missing"
  # Width and height: bytes 16 to 23 of a PNG, big-endian.
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  [ $((w1 << 24 | w2 << 16 | w3 << 8 | w4)) -eq "$size" ] && [ $((h1 << 24 | h2 << 16 | h3 << 8 | h4)) -eq "$size" ] ||
    fail "${png#"$prefix"/} is not $size x $size"
done
grep -q "^Icon=$id\$" "$desktop" || fail "the desktop entry names another icon"
mime=$prefix/share/mime/packages/$id.xml
[ -s "$mime" ] || fail "share/mime/packages/$id.xml missing"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -q '<glob pattern="\*.vxr"/>' "$mime" || fail "the MIME type does not name the .vxr files"
grep -q "^MimeType=$type;\$" "$desktop" || fail "the desktop entry does not open $type"
grep -q '^Exec=vexari %f$' "$desktop" || fail "the desktop entry does not pass the file"
if command -v xmllint >/dev/null; then
  xmllint --noout "$mime" || fail "the MIME type is not well-formed XML"
fi
# The screenshot's size as the metainfo declares it.
png=$prefix/share/vexari/screenshot.png
read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
grep -q "width=\"$((w1 << 24 | w2 << 16 | w3 << 8 | w4))\" height=\"$((h1 << 24 | h2 << 16 | h3 << 8 | h4))\"" "$metainfo" ||
  fail "the metainfo declares another size for the screenshot"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the metainfo names no licence"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
  echo "appstreamcli not installed: skipped"
fi
echo "installed tree: ok"
