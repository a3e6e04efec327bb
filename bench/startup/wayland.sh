#!/usr/bin/env bash
# Start-up and idle figures of the game against the minimal Qt window (see
# run.sh), both as native Wayland clients of one headless sway, in the same run:
#   first pixel      launch to the first buffer the client hands the
#                    compositor, read from the client's own protocol log;
#                    natively no start-up effect runs, so this is the main
#                    window's first pixel too
#   resident memory  VmRSS 3 s after launch, from a launch without the log
#   idle CPU         CPU time over IDLE seconds of title animation, % of a core
# Figures are medians of RUNS launches.
#   bench/startup/wayland.sh [build folder]   (a Release build with the bench targets)
#   RUNS=5 IDLE=10
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${TAMARO_RIG_INSIDE:-}" ]; then
  build=$(cd "${1:-build/release}" && pwd)
  for program in "$build/tamaro" "$build/bench/bench_minimal_window"; do
    [ -x "$program" ] || { echo "build tamaro and bench_minimal_window in $build first" >&2; exit 2; }
  done
  command -v sway >/dev/null || { echo "sway is not installed" >&2; exit 2; }
  tests=$here/../../tests
  source "$tests/harness.sh"
  source "$tests/e2e/compositors.sh"
  rig=$scratch/tmp/rig
  mkdir -p "$rig"
  cp "$build/tamaro" "$build/bench/bench_minimal_window" "$here/wayland.sh" "$here/figures.sh" \
    "$tests/harness.sh" "$tests/e2e/compositors.sh" "$rig/"
  [ -d "$build/sound" ] && cp -r "$build/sound" "$rig/"
  run_in_rig "$scratch/tmp" env TAMARO_RIG_INSIDE=1 RUNS="${RUNS:-5}" IDLE="${IDLE:-10}" bash /tmp/rig/wayland.sh
  exit $?
fi

# ---- inside: a /tmp, processes and user of its own ----
source "$here/harness.sh"
source "$here/compositors.sh"
source "$here/figures.sh"
runs=$RUNS
idle=$IDLE
WORK=$scratch/work
mkdir -p "$WORK" && cd "$WORK" || exit 2
trap 'stop_compositor; harness_cleanup' EXIT
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=wayland
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER
start_compositor sway 1
export WAYLAND_DISPLAY=$WAYLAND_DISPLAY_NAME

# The protocol log stamps each line with the wall clock's microseconds,
# modulo 2^32, in milliseconds: [ms.µs].
now_stamp() { echo $(( $(date +%s%6N) % 4294967296 )); }

# One launch with the log: milliseconds from launch to the first buffer.
first_pixel() {
  local start pid stamp
  start=$(now_stamp)
  WAYLAND_DEBUG=client "$1" 2>"$WORK/protocol.log" &
  pid=$!
  for _ in $(seq 100); do
    grep -q 'attach(wl_buffer@' "$WORK/protocol.log" && break
    sleep 0.05
  done
  stamp=$(grep -m1 'attach(wl_buffer@' "$WORK/protocol.log" | sed -E 's/^\[ *([0-9]+)\.([0-9]{3})\].*/\1\2/')
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  rm -f tm_data.dat
  [ -n "$stamp" ] || { echo "-"; return; }
  echo $(( ((10#$stamp - start + 4294967296) % 4294967296) / 1000 ))
}

# One launch without the log: "rss_kB cpu_ms".
resources() {
  local pid figures
  "$1" 2>/dev/null &
  pid=$!
  sleep 3
  figures=$(idle_figures "$pid" "$idle")
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  rm -f tm_data.dat
  echo "$figures"
}


: > game.txt
: > minimal.txt
for _ in $(seq "$runs"); do
  echo "$(first_pixel "$here/bench_minimal_window") $(resources "$here/bench_minimal_window")" >> minimal.txt
  echo "$(first_pixel "$here/tamaro") $(resources "$here/tamaro")" >> game.txt
done

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "sway $(sway --version | awk '{print $3}') headless, 1280 x 1024 at scale 1, native Wayland; medians of $runs launches"
printf '%-30s %9s %9s %7s\n' figure game minimal ratio
for i in 1 2 3; do cut -d' ' -f$i game.txt > "g$i"; cut -d' ' -f$i minimal.txt > "m$i"; done
g=$(median < g1); m=$(median < m1); printf '%-30s %9s %9s %7s\n' "first pixel = window (ms)" "$g" "$m" "$(ratio "$g" "$m")"
g=$(median < g2); m=$(median < m2); printf '%-30s %9s %9s %7s\n' "resident memory (kB)" "$g" "$m" "$(ratio "$g" "$m")"
g=$(median < g3); m=$(median < m3)
printf '%-30s %9s %9s %7s\n' "idle CPU (% of a core)" "$(awk -v c="$g" -v s="$idle" 'BEGIN { printf "%.2f", c / (s * 10) }')" \
  "$(awk -v c="$m" -v s="$idle" 'BEGIN { printf "%.2f", c / (s * 10) }')" "$(ratio "$g" "$m")"
