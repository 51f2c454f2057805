#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints how large the tests are against the code they cover: C++ lines
# (*.cpp, *.h) under tests/ against those under src/ and tools/. The project
# keeps this share at about a quarter to a third.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }

tests=$(lines tests)
code=$(lines src tools)
awk -v t="$tests" -v c="$code" 'BEGIN {
    printf "Test share: %d lines under tests/ against %d under src/ and tools/: %.1f %%\n", t, c, c ? 100 * t / c : 0
}'
