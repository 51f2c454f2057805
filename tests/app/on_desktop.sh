#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a desktop of its own: a virtual X server with a window
# manager, so that focus and activation behave as they do for a user. Exits
# 77 (skipped) when no such desktop can be had here.
set -u
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
home=$(mktemp -d)
trap 'kill "${wm:-}" "${xvfb:-}" 2>/dev/null; wait 2>/dev/null; rm -rf "$home"' EXIT
# The first free display from :90 on; Xvfb says when it is ready by a
# signal, but a lock file is the simpler sign.
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
  unset xvfb
done
[ -n "${display:-}" ] || { echo "skipped: no virtual X server could start"; exit 77; }
export DISPLAY=$display QT_QPA_PLATFORM=xcb HOME=$home
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/desktop-leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
openbox >"$home/openbox.log" 2>&1 &
wm=$!
sleep 0.5
"$@"
