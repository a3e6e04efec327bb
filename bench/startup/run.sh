#!/usr/bin/env bash
# Start-up and idle figures of the game against a minimal Qt window with a menu
# bar that repaints one cell every 77 ms, measured in the same run under the
# same Xvfb and openbox, for each screen size in SCREENS:
#   first pixel      launch to the first pixel changed on the screen (the
#                    start-up effect's first outline; the yardstick's window)
#   start-up effect  first outline to the desktop shown again, against 77 x 10 ms
#   main window      launch to the first pixel of the main window; the ratio
#                    leaves the game's effect aside
#   resident memory  VmRSS 2 s after the window
#   idle CPU         CPU time over IDLE seconds of title animation, % of a core
# Times come from the X server's own clock (bench_screen_watch); figures are
# medians of RUNS launches.
#   bench/startup/run.sh [build folder]   (a Release build with the bench targets)
#   SCREENS="1280x1024 2560x1600" RUNS=5 IDLE=10
set -u
source "$(dirname "${BASH_SOURCE[0]}")/figures.sh"
build=$(cd "${1:-build/release}" && pwd)
game="$build/tamaro"
minimal="$build/bench/bench_minimal_window"
watch="$build/bench/bench_screen_watch"
for program in "$game" "$minimal" "$watch"; do
  [ -x "$program" ] || { echo "build tamaro, bench_minimal_window and bench_screen_watch in $build first" >&2; exit 2; }
done
for tool in Xvfb openbox xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done
screens=${SCREENS:-1280x1024 2560x1600}
runs=${RUNS:-5}
idle=${IDLE:-10}

WORK=$(mktemp -d)
XVFB_PID=""
WM_PID=""
stop_display() {
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null && wait "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  WM_PID=""; XVFB_PID=""
}
trap 'stop_display; rm -rf "$WORK"' EXIT
cd "$WORK" || exit 2
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# A real X window and silence, whatever the environment says.
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy

# Xvfb of the given size on a free display, with openbox and a grey desktop.
start_display() {
  local n
  for n in $(seq 150 199); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      if xdpyinfo >/dev/null 2>&1; then
        openbox >/dev/null 2>&1 &
        WM_PID=$!
        sleep 1
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "no display could be started" >&2
  exit 2
}

# One launch: "first outline_first restored window rss_kB cpu_ms".
measure() {
  local out pid first outline_first outline_last restored window figures
  out=$("$watch" "$1") || { echo "- - - - - -"; [ -n "$out" ] && kill "${out%% *}" 2>/dev/null; return; }
  read -r pid first outline_first outline_last restored window <<<"$out"
  sleep 2
  figures=$(idle_figures "$pid" "$idle")
  kill -TERM "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  echo "$first $outline_first $restored $window $figures"
}


echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
for screen in $screens; do
  start_display "$screen"
  : > game.txt; : > minimal.txt
  for _ in $(seq "$runs"); do
    measure "$minimal" >> minimal.txt
    measure "$game" >> game.txt
    rm -f tm_data.dat
  done
  stop_display
  awk '{ if ($3 == "-" || $2 == "-") print "-"; else print $3 - $2 }' game.txt > g_effect
  awk '{ if ($4 == "-" || $3 == "-" || $2 == "-") print "-"; else print $4 - ($3 - $2) }' game.txt > g_aside
  for i in 1 4 5 6; do cut -d' ' -f$i game.txt > "g$i"; cut -d' ' -f$i minimal.txt > "m$i"; done
  effect=$(median < g_effect)
  echo
  echo "screen $screen, medians of $runs launches"
  printf '%-30s %9s %9s %7s  %s\n' figure game minimal ratio goal
  row() { printf '%-30s %9s %9s %7s  %s\n' "$1" "$2" "$3" "$4" "$5"; }
  g=$(median < g1); m=$(median < m1); row "first pixel (ms)" "$g" "$m" "$(ratio "$g" "$m")" "<= 1.20"
  row "start-up effect (ms)" "$effect" "770" "$(ratio "$effect" 770)" "<= 1.03 of 77 x 10 ms"
  g=$(median < g4); m=$(median < m4); a=$(median < g_aside)
  row "main window (ms)" "$g" "$m" "$(ratio "$a" "$m")" "<= 1.30, the effect aside"
  g=$(median < g5); m=$(median < m5); row "resident memory (kB)" "$g" "$m" "$(ratio "$g" "$m")" "<= 1.15"
  g=$(median < g6); m=$(median < m6)
  row "idle CPU (% of a core)" "$(awk -v c="$g" -v s="$idle" 'BEGIN { printf "%.2f", c / (s * 10) }')" \
    "$(awk -v c="$m" -v s="$idle" 'BEGIN { printf "%.2f", c / (s * 10) }')" "$(ratio "$g" "$m")" "<= 0.30 %"
done
echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
