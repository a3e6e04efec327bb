#!/usr/bin/env bash
# Start-up and idle figures of the game against a minimal Qt window with a menu
# bar, measured in the same run under the same Xvfb: time from launch to the
# first pixel on screen (the game's start-up effect, the yardstick's window),
# time to the main window, resident memory and the CPU time of 10 s of idle
# title animation. Figures are ratios game /
# minimal (medians of a few launches), plus the raw numbers.
#   bench/startup/run.sh <build folder>   (a Release build: scripts/run makes one)
set -u
build=$(cd "${1:-build/release}" && pwd)
game="$build/tamaro"
minimal="$build/bench/bench_minimal_window"
[ -x "$game" ] && [ -x "$minimal" ] || { echo "build tamaro and bench_minimal_window in $build first" >&2; exit 2; }
source "$(cd "$(dirname "$0")" && pwd)/../../tests/e2e/common.sh"
setup_e2e
runs=${RUNS:-5}

now_ms() { date +%s%3N; }

# Launches a program; prints ms to a visible window with its title, ms until a
# pixel of that window differs from the first screenshot's, RSS in kB after 2 s
# and CPU ms over 10 s idle.
measure() {
  local program=$1 title=$2 t0 wid shown painted pid baseline
  baseline=$(import -window root rgb:- 2>/dev/null | md5sum)
  t0=$(now_ms)
  "$program" >/dev/null 2>>"$WORK/stderr.log" &
  pid=$!
  # The first pixel anywhere on the screen: the start-up effect's first
  # outline for the game, the window itself for the yardstick.
  painted=""
  while [ -z "$painted" ]; do
    [ "$(import -window root rgb:- 2>/dev/null | md5sum)" != "$baseline" ] && painted=$(( $(now_ms) - t0 ))
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && { kill $pid; echo "timeout"; return; }
  done
  wid=""
  while [ -z "$wid" ]; do
    wid=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1)
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && { kill $pid; echo "timeout"; return; }
  done
  shown=$(( $(now_ms) - t0 ))
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
# The start-up effect pauses 77 times 10 ms before the game's window is placed.
awk '{ print $2 - 770 }' game.txt > aside.txt
row() {
  local g m
  g=$(median < "$2"); m=$(median < "$3")
  printf '%-34s %10s %10s %8s\n' "$1" "$g" "$m" "$(awk -v g="$g" -v m="$m" 'BEGIN { if (m > 0) printf "%.2f", g / m; else print "-" }')"
}
printf '%-34s %10s %10s %8s\n' figure game minimal ratio
for i in 1 2 3 4; do cut -d' ' -f$i game.txt > "g$i"; cut -d' ' -f$i minimal.txt > "m$i"; done
row "first pixel on screen (ms)" g1 m1
row "main window (ms)" g2 m2
row "main window, effect aside (ms)" aside.txt m2
row "resident memory (kB)" g3 m3
row "CPU in 10 s idle (ms)" g4 m4
