#!/usr/bin/env bash
# Start-up and idle figures of the game against a minimal Qt window with a menu
# bar, measured in the same run under the same Xvfb: time from launch to the
# first pixel of the window on screen, time to the main window, resident memory
# and the CPU time of 10 s of idle title animation. Figures are ratios game /
# minimal (medians of a few launches), plus the raw numbers.
#   bench/startup/run.sh <build folder>   (a Release build: scripts/run makes one)
set -u
build=$(cd "${1:-build/release}" && pwd)
game="$build/tamaro"
minimal="$build/bench/bench_minimal_window"
[ -x "$game" ] && [ -x "$minimal" ] || { echo "build tamaro and bench_minimal_window in $build first" >&2; exit 2; }
source "$(cd "$(dirname "$0")" && pwd)/../../tests/e2e/common.sh"
work=$(mktemp -d)
trap 'kill ${XVFB_PID:-} 2>/dev/null; cat "$work/stderr.log" >&2; rm -rf "$work"' EXIT
isolate_runtime "$work"
start_xvfb
cd "$work"
export SDL_AUDIODRIVER=dummy
runs=${RUNS:-5}

now_ms() { date +%s%3N; }

# Launches a program; prints ms to a visible window with its title, ms until a
# pixel of that window differs from the first screenshot's, RSS in kB after 2 s
# and CPU ms over 10 s idle.
measure() {
  local program=$1 title=$2 t0 wid shown painted pid
  t0=$(now_ms)
  "$program" >/dev/null 2>>"$work/stderr.log" &
  pid=$!
  wid=""
  while [ -z "$wid" ]; do
    wid=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1)
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && { kill $pid; echo "timeout"; return; }
  done
  shown=$(( $(now_ms) - t0 ))
  painted=""
  while [ -z "$painted" ]; do
    colours=$(import -window "$wid" -format '%k' info: 2>/dev/null)
    [ "${colours:-0}" -gt 1 ] && painted=$(( $(now_ms) - t0 ))
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && painted=-1
  done
  sleep 2
  local rss cpu0 cpu1 ticks
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  ticks=$(getconf CLK_TCK)
  cpu0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep 10
  cpu1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  kill -TERM $pid; wait $pid 2>/dev/null
  echo "$painted $shown $rss $(( (cpu1 - cpu0) * 1000 / ticks ))"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: > game.txt; : > minimal.txt
for _ in $(seq "$runs"); do
  measure "$minimal" minimal >> minimal.txt
  measure "$game" 'タマロ' >> game.txt
  rm -f tm_data.dat
done
printf '%-22s %10s %10s %8s\n' figure game minimal ratio
for i in 1 2 3 4; do
  name=$(echo "first pixel (ms)|main window (ms)|resident memory (kB)|idle CPU in 10 s (ms)" | cut -d'|' -f$i)
  g=$(cut -d' ' -f$i game.txt | median); m=$(cut -d' ' -f$i minimal.txt | median)
  printf '%-22s %10s %10s %8s\n' "$name" "$g" "$m" "$(awk -v g="$g" -v m="$m" 'BEGIN { if (m > 0) printf "%.2f", g / m; else print "-" }')"
done
