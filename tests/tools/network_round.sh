#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole network round over real sockets: vexari-server with two vexari-bot
# players in two teams. Passes when a round has ended, a present was sent and
# received, SIGHUP (a closed terminal) stops the server with status 0, the
# players then leave with status 0, and the games both recorded verify with
# vexari-sim.
#
#   network_round.sh SERVER_BIN BOT_BIN SIM_BIN [STRONG_WEIGHTS WEAK_WEIGHTS]
#
# The weights (eight whole numbers, quoted) default to the usual player made
# greedy for several rows at once, so presents fly early, and a careless one
# that fills its well after some forty figures, so a round ends in about 20 s.
# A round may still end before anyone sent a present: the next round, which
# starts at once, is then waited for as well.
set -u

server_bin=$1
bot_bin=$2
sim_bin=$3
strong_weights=${4:-"41 5 0 7 1 1 1 30"}
weak_weights=${5:-"1 0 0 0 0 1 0 5"}
limit=90  # seconds to wait for a round end and a present

dir=$(mktemp -d "${TMPDIR:-/tmp}/vexari-network-round.XXXXXX")
pids=()

cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    local f
    for f in "$dir"/*.out "$dir"/*.err; do
        [ -s "$f" ] || continue
        echo "---- $(basename "$f") (last 40 lines)" >&2
        tail -n 40 "$f" >&2
    done
    exit 1
}

# Waits up to $2 seconds for process $1 to end; its status is in $waited.
wait_for_exit() {
    local pid=$1 limit=$2 i
    for ((i = 0; i < limit * 10; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            waited=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

: >"$dir/server.out"
"$server_bin" --port 0 --autostart 2 --start-in 0 --height 18 --trace 1 --play-till 1 \
    >"$dir/server.out" 2>"$dir/server.err" &
server_pid=$!
pids+=("$server_pid")

port=
for ((i = 0; i < 100; i++)); do
    line=$(head -n 1 "$dir/server.out")
    if [[ $line =~ ^listening\ on\ port\ ([0-9]+)$ ]]; then
        port=${BASH_REMATCH[1]}
        break
    fi
    kill -0 "$server_pid" 2>/dev/null || fail "the server ended before listening"
    sleep 0.1
done
[ -n "$port" ] && [ "$port" -ne 0 ] || fail "no 'listening on port N' line from the server"

printf '%s\n' $strong_weights >"$dir/strong.dem"
printf '%s\n' $weak_weights >"$dir/weak.dem"
start=$SECONDS
"$bot_bin" --server 127.0.0.1 --port "$port" --name Ann --team Red --speed 9 --weights "$dir/strong.dem" \
    --record "$dir/replays-ann" >"$dir/ann.out" 2>"$dir/ann.err" &
ann_pid=$!
pids+=("$ann_pid")
"$bot_bin" --server localhost --port "$port" --name Bob --team Blue --speed 9 --weights "$dir/weak.dem" \
    --record "$dir/replays-bob" >"$dir/bob.out" 2>"$dir/bob.err" &
bob_pid=$!
pids+=("$bob_pid")

ended=
presented=
while ((SECONDS - start < limit)); do
    if [ -z "$ended" ] && grep -q -e ' won this round\.$' -e '^Player statistics:$' "$dir/server.out"; then
        ended=1
        echo "first round ended after $((SECONDS - start)) s"
    fi
    if [ -z "$presented" ] && grep -q -E '^(Ann|Bob) has sent a [0-9]+-line present\.$' "$dir/server.out"; then
        presented=1
        echo "first present after $((SECONDS - start)) s"
    fi
    [ -n "$ended" ] && [ -n "$presented" ] && break
    kill -0 "$server_pid" 2>/dev/null || fail "the server ended during the round"
    kill -0 "$ann_pid" 2>/dev/null || fail "Ann ended during the round"
    kill -0 "$bob_pid" 2>/dev/null || fail "Bob ended during the round"
    sleep 0.2
done
[ -n "$ended" ] || fail "no round ended within $limit s"
[ -n "$presented" ] || fail "the server announced no present within $limit s"

kill -HUP "$server_pid"
wait_for_exit "$server_pid" 10 || fail "the server did not end on SIGHUP"
[ "$waited" -eq 0 ] || fail "the server ended with status $waited on SIGHUP"
for name in ann bob; do
    pid_var=${name}_pid
    wait_for_exit "${!pid_var}" 10 || fail "$name did not leave after the server closed"
    [ "$waited" -eq 0 ] || fail "$name ended with status $waited after the server closed"
done

grep -q -E '^(Ann|Bob) received a [0-9]+-line present$' "$dir/ann.out" "$dir/bob.out" ||
    fail "no player reported a present"
echo "PASS"

# Both players recorded their games, presents and all, and every recording
# replays to the score, lines and well it claims.
for name in ann bob; do
    ls "$dir/replays-$name"/*.vxr >/dev/null 2>&1 || fail "$name recorded no game"
done
"$sim_bin" verify "$dir"/replays-*/*.vxr || fail "a recorded network game does not verify"
