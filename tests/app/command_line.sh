#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's ends without a window: --help and --version print and exit 0
# even without a display; without a display the program says so in one line
# and exits 1; arguments it cannot read exit 2; SIGTERM, even while the
# first-run question waits, saves the settings and exits 0.
# Usage: command_line.sh VEXARI VERSION
set -u
vexari=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)

out=$("${nodisplay[@]}" "$vexari" --help) || fail "--help exits $?"
[[ $out == Usage:* && $out == *"--watch HOST[:PORT]"* ]] || fail "--help prints: $out"
out=$("${nodisplay[@]}" "$vexari" --version) || fail "--version exits $?"
[ "$out" = "vexari $version" ] || fail "--version prints: $out"
[ -e "$tmp/config/vexari/vexari.ini" ] && fail "--help or --version wrote the settings"

# Arguments go through the program's one parser, after Qt has taken its own.
out=$(QT_QPA_PLATFORM=offscreen "$vexari" -platform offscreen --watch host:0 2>&1)
rc=$?
[ $rc -eq 2 ] && grep -q '^vexari: --watch: expected HOST or HOST:PORT' <<<"$out" || fail "--watch host:0: $rc, $out"

for display in "" ":987"; do
  "${nodisplay[@]}" ${display:+DISPLAY=$display} "$vexari" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  [ $rc -eq 1 ] || fail "no display '$display': exit $rc, $(cat "$tmp/err")"
  [ -s "$tmp/out" ] && fail "no display '$display': prints $(cat "$tmp/out")"
  [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "no display '$display': $(cat "$tmp/err")"
  grep -q "^vexari: cannot open display ${display:-(DISPLAY is not set)}\$" "$tmp/err" ||
    fail "no display '$display': $(cat "$tmp/err")"
done

QT_QPA_PLATFORM=offscreen "$vexari" 2>"$tmp/err" &
pid=$!
for _ in $(seq 600); do  # until SIGTERM (bit 14 of the caught mask) is caught
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  [ -n "$mask" ] && (((16#$mask >> 14) & 1)) && break
  sleep 0.1
done
kill -TERM $pid
wait $pid
rc=$?
[ $rc -eq 0 ] || fail "SIGTERM: exit $rc, $(cat "$tmp/err")"
grep -q '^INSTALLED=1' "$tmp/config/vexari/vexari.ini" || fail "SIGTERM: settings not saved"
grep -q '^\[SIZE\]' "$tmp/config/vexari/vexari.ini" || fail "SIGTERM: window place not saved"
echo "command line, no display and SIGTERM: ok"
