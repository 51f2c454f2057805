#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing for playing, builds Vexari without its tests and
# benchmarks, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh play
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DVEXARI_BENCH=OFF
cmake --build build-play -j "$(nproc 2>/dev/null || echo 2)"
exec build-play/bin/vexari "$@"
