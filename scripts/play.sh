#!/usr/bin/env bash
# Installs what is missing, builds Vexari and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
if [ -x build/bin/vexari ]; then exec build/bin/vexari "$@"; fi
echo "Built: $(ls build/bin)"
