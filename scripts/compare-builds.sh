#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares two builds of Vexari on this machine, in one run, alternating
# between them so both see the same load:
#
#   scripts/compare-builds.sh BEFORE_BUILD AFTER_BUILD [ROUNDS]
#
# Each build folder needs bin/vexari-bench, bin/vexari-sim,
# bin/vexari-bench-window, bin/vexari-server and bin/vexari-netload
# (cmake --build B --target vexari-bench vexari-sim vexari-bench-window
# vexari-server vexari-netload). ROUNDS (default 3) times each, before then
# after: the placement search (vexari-bench, CPU ns per search), the
# simulator's figures per second (vexari-sim, 16 games of at most 10,000
# figures from seed 1 on one thread), the key-to-paint time of the window
# (vexari-bench-window, offscreen, CPU us), and vexari-server under
# vexari-netload: 500 players without trace messages, without and with
# wells (each shows 8), 200 players with trace messages, and a room of 6
# players (each shows the 5 others) watched by 50 spectators. The load
# client is AFTER's vexari-netload for both servers (it knows --spectators),
# so only the server differs. Prints every figure and a table of medians;
# takes about 6 minutes, and never more than 10 (later runs are skipped).
set -u

if [ $# -lt 2 ] || [ ! -d "$1/bin" ] || [ ! -d "$2/bin" ]; then
    echo "usage: $0 BEFORE_BUILD AFTER_BUILD [ROUNDS]" >&2
    exit 2
fi
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
rounds=${3:-3}
budget=570  # seconds: no run starts after this, so the whole stays under 10 minutes
started=$SECONDS
netload="$after/bin/vexari-netload"
for b in "$before" "$after"; do
    for p in vexari-bench vexari-sim vexari-bench-window vexari-server vexari-netload; do
        [ -x "$b/bin/$p" ] || echo "note: $b/bin/$p is missing; its rows stay empty" >&2
    done
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/vexari-compare.XXXXXX")
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

results="$dir/results"  # lines: MEASURE SIDE VALUE
: >"$results"
record() { [ -n "$3" ] && echo "$1 $2 $3" >>"$results"; }
# The number after "KEY": in the first line of $2 that holds $3 (default: any).
json() { grep -F -- "${3:-\"}" "$2" | grep -o "\"$1\":[-0-9.e+]*" | head -n 1 | cut -d: -f2; }
left() { echo $((budget - (SECONDS - started))); }

# Google Benchmark's CSV: name,iterations,real_time,cpu_time,time_unit,...
bench_cpu() {  # FILE NAME
    awk -F, -v n="\"$2\"" '$1 == n || $1 == $2 { print $4 }' "$1" | head -n 1
}

run_benches() {  # SIDE BUILD
    local side=$1 b=$2 out="$dir/out"
    if [ -x "$b/bin/vexari-bench" ]; then
        timeout 60 "$b/bin/vexari-bench" --benchmark_filter='BM_Search' --benchmark_min_time=0.2 \
            --benchmark_format=csv >"$out" 2>/dev/null
        local name
        for name in BM_SearchEmptyWell BM_SearchRaggedWell BM_SearchTallWellWithHoles; do
            record "search_${name#BM_Search}_cpu_ns" "$side" "$(bench_cpu "$out" "$name")"
        done
    fi
    if [ -x "$b/bin/vexari-sim" ]; then
        local TIMEFORMAT=%U  # the processor's user seconds, which the load of others changes little
        { time timeout 60 "$b/bin/vexari-sim" --games 16 --seed 1 --max-pieces 10000 --jobs 1 >"$out" 2>/dev/null; } \
            2>"$dir/cpu"
        record sim_pieces_per_s "$side" "$(tail -n 1 "$out" | grep -o '[0-9.]* pieces/s' | cut -d' ' -f1)"
        record sim_pieces_per_cpu_s "$side" "$(awk -v cpu="$(cat "$dir/cpu")" '/^game [0-9]+: [0-9]+ pieces/ { n += $3 }
            END { if (cpu > 0) printf "%.0f", n / cpu }' "$out")"
    fi
    if [ -x "$b/bin/vexari-bench-window" ]; then
        XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir" QT_QPA_PLATFORM=offscreen \
            timeout 60 "$b/bin/vexari-bench-window" --benchmark_min_time=0.2 --benchmark_format=csv >"$out" 2>/dev/null
        record window_key_to_paint_600_cpu_us "$side" "$(bench_cpu "$out" KeyToPaint/600)"
        record window_key_to_paint_1400_cpu_us "$side" "$(bench_cpu "$out" KeyToPaint/1400)"
    fi
}

# SIDE BUILD NAME TRACE SECONDS NETLOAD-ARGS...: one server, one load run.
run_load() {
    local side=$1 b=$2 name=$3 trace=$4 seconds=$5 out="$dir/load" srv="$dir/server"
    shift 5
    [ -x "$b/bin/vexari-server" ] && [ -x "$netload" ] || return
    if [ "$(left)" -lt $((seconds + 40)) ]; then
        echo "skipped $name ($side): out of time" >&2
        return
    fi
    "$b/bin/vexari-server" --port 0 --trace "$trace" >"$srv" 2>&1 &
    server_pid=$!
    local port= i
    for ((i = 0; i < 50; i++)); do
        port=$(awk '/listening/ { print $4; exit }' "$srv")
        [ -n "$port" ] && break
        sleep 0.1
    done
    if [ -n "$port" ]; then
        timeout $((seconds + 60)) "$netload" --port "$port" --trace "$trace" --seconds "$seconds" \
            --server-pid "$server_pid" --setup-timeout 45 "$@" >"$out" 2>"$dir/load.err"
        [ $? -ne 0 ] && echo "note: $name ($side): $(tail -n 1 "$dir/load.err")" >&2
        record "${name}_present_p50_ms" "$side" "$(json p50_ms "$out" '"players":')"
        record "${name}_present_p99_ms" "$side" "$(json p99_ms "$out" '"players":')"
        record "${name}_server_cpu_s" "$side" "$(json server_cpu_s "$out" '"players":')"
        local who wells
        if ! grep -q '"wells_receivers"' "$out"; then  # every byte went to the players
            record "${name}_bytes_per_s_per_player" "$side" "$(awk -v b="$(json bytes_measured "$out" '"players":')" \
                -v n="$(json players "$out" '"players":')" -v s="$(json seconds "$out" '"players":')" \
                'BEGIN { if (b != "" && n > 0 && s > 0) printf "%.0f", b / n / s }')"
        fi
        for who in player spectator; do
            wells="\"wells_receivers\":\"${who}s\""
            grep -q "$wells" "$out" || continue
            record "${name}_bytes_per_s_per_$who" "$side" "$(json bytes_per_receiver_avg "$out" "$wells")"
            record "${name}_well_p50_ms_at_$who" "$side" "$(json well_p50_ms "$out" "$wells")"
            record "${name}_well_p99_ms_at_$who" "$side" "$(json well_p99_ms "$out" "$wells")"
        done
    else
        echo "note: $name ($side): the server did not start" >&2
    fi
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
    server_pid=
}

run_loads() {  # SIDE BUILD
    run_load "$1" "$2" p500 0 8 --players 500
    run_load "$1" "$2" p500_wells8 0 8 --players 500 --wells 8
    run_load "$1" "$2" p200_trace 1 8 --players 200
    run_load "$1" "$2" room6_spect50 0 6 --players 6 --teams 2 --wells 5 --spectators 50
}

echo "cores: $(nproc); load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "before: $before"
echo "after:  $after"
for ((r = 1; r <= rounds; r++)); do
    for side in before after; do
        [ "$side" = before ] && b=$before || b=$after
        echo "round $r, $side ($((SECONDS - started)) s, load $(cut -d' ' -f1 /proc/loadavg))" >&2
        run_benches "$side" "$b"
        run_loads "$side" "$b"
    done
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg); took $((SECONDS - started)) s"
echo
# One row a measure: every run of each side, the medians, and after/before.
awk '
function median(list,    n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    if (n == 0) return ""
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{
    if (!($1 in seen)) { seen[$1] = 1; order[++count] = $1 }
    runs[$1, $2] = runs[$1, $2] " " $3
}
END {
    printf "%-40s %-26s %-26s %10s %10s %8s\n", "measure", "before (each run)", "after (each run)", "before", "after", "after/before"
    for (k = 1; k <= count; k++) {
        m = order[k]; b = median(runs[m, "before"]); a = median(runs[m, "after"])
        ratio = (b != "" && a != "" && b + 0 != 0) ? sprintf("%.2f", a / b) : "-"
        printf "%-40s %-26s %-26s %10s %10s %8s\n", m, substr(runs[m, "before"], 2), substr(runs[m, "after"], 2), b, a, ratio
    }
}' "$results"
echo
echo "Lower is better except sim_pieces_*. The ns and us are CPU time; sim_pieces_per_s counts the wall"
echo "clock, sim_pieces_per_cpu_s the user CPU seconds. p50/p99 in ms from a landing's report to its"
echo "present (present_) or its well change (well_) at the connections showing it."
