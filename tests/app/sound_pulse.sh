#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The sounds as a listener gets them: a private PulseAudio server with a null
# sink, whose monitor parec records while sound_probe plays a game that
# removes four rows; sox measures the recording. With sound on, the audio
# after the event must be loud within 100 ms; with sound off, all silent.
# Exits 77 when no PulseAudio server can be started here.
#   sound_pulse.sh SOUND_PROBE
set -u
probe=$1
for tool in pulseaudio pactl parec sox; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
dir=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT

cat > "$dir/server.pa" <<PA
load-module module-null-sink sink_name=vexari_null rate=48000 channels=2
load-module module-native-protocol-unix socket=$dir/native auth-anonymous=1
set-default-sink vexari_null
PA
# Its own home and runtime folder; -n: no system configuration, so neither
# D-Bus nor real devices. As root (CI) it runs with a warning.
HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir \
  pulseaudio -n -F "$dir/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --log-target=file:"$dir/server.log" &
server=$!
export PULSE_SERVER=unix:$dir/native
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "SKIP: no PulseAudio server could be started"; cat "$dir/server.log"; exit 77; }

rate=48000
raw=(-t raw -r $rate -e signed -b 16 -c 2)
failed=0
for mode in on off; do
  rec=$dir/$mode.raw
  parec --raw --format=s16le --rate=$rate --channels=2 --latency-msec=10 -d vexari_null.monitor > "$rec" &
  recorder=$!
  "$probe" "$rec" "$mode" > "$dir/probe.out" &
  prober=$!
  sleep 1.5
  pactl list sink-inputs | grep -E "Latency" | sed "s/^/  $mode: stream /"
  wait $prober
  status=$?
  kill $recorder; wait $recorder 2>/dev/null
  cat "$dir/probe.out"
  [ $status -eq 0 ] || { echo "FAIL: sound_probe ($mode) exited $status"; failed=1; continue; }
  frames=$(( $(sed -n 's/^event_bytes=\([0-9]*\).*/\1/p' "$dir/probe.out") / 4 ))
  # Loudest sample in the 100 ms after the event, and over the whole recording.
  after=$(sox "${raw[@]}" "$rec" -n trim "${frames}s" 4800s stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
  whole=$(sox "${raw[@]}" "$rec" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
  rms=$(sox "${raw[@]}" "$rec" -n trim "${frames}s" 0.5 stat 2>&1 | awk '/RMS *amplitude/ {print $3}')
  # Where the sound begins: the part after the event less its silent start.
  total=$(sox "${raw[@]}" "$rec" -t raw - trim "${frames}s" | wc -c)
  rest=$(sox "${raw[@]}" "$rec" -t raw - trim "${frames}s" silence 1 1s 0.5% | wc -c)
  onset=$(( (total - rest) / 4 * 1000 / rate ))
  length=$(( $(stat -c %s "$rec") / 4 * 1000 / rate ))
  echo "$mode: recording ${length} ms; after the event: max $after, RMS (500 ms) $rms, sound begins after ${onset} ms; whole max $whole"
  if [ "$mode" = on ]; then
    awk -v a="$after" 'BEGIN { exit !(a > 0.05) }' || { echo "FAIL: silent within 100 ms of the event"; failed=1; }
    [ "$onset" -le 100 ] || { echo "FAIL: the sound begins ${onset} ms after the event"; failed=1; }
  else
    awk -v a="$whole" 'BEGIN { exit !(a < 0.001) }' || { echo "FAIL: sound off, yet not silent"; failed=1; }
  fi
done
exit $failed
