#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (in build-fuzz/, or $FUZZ_BUILD) and
# runs each for SECONDS (default 60), starting from its corpus and recorded
# findings. New inputs collect in build-fuzz/corpus/<name>/, findings in
# build-fuzz/findings/<name>/. Exits non-zero when any target found one:
# copy the input to fuzz/regressions/<name>/ once it is understood, so the
# replay tests of the normal build keep checking it.
#   usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/setup.sh

packages=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
build=${FUZZ_BUILD:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEXARI_FUZZ=ON -DVEXARI_GUI=OFF -DVEXARI_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_all

if [ $# -gt 0 ]; then targets=("$@"); else
  targets=(); for f in fuzz/corpus/*/; do targets+=("$(basename "$f")"); done
fi
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for name in "${targets[@]}"; do
  work=$build/corpus/$name
  findings=$build/findings/$name
  mkdir -p "$work" "$findings"
  dirs=("$work" "fuzz/corpus/$name")
  [ -d "fuzz/regressions/$name" ] && dirs+=("fuzz/regressions/$name")
  echo "== $name: ${seconds}s"
  if ! "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "${dirs[@]}" >"$build/$name.log" 2>&1; then
    failed+=("$name")
    grep -E "ERROR|check failed|SUMMARY|Test unit written" "$build/$name.log" | head -n 8 || true
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" | tr '\n' ' ' || true
  echo
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]} (inputs in $build/findings/, logs in $build/<name>.log)"
  exit 1
fi
echo "no findings"
