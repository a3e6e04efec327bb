#!/usr/bin/env bash
# Starts the real program under Xvfb, starts a game with F2, plays a few keys,
# checks the well on screenshots, pauses and resumes with P as the title shows,
# refuses a second copy, and quits from the menu with exit code 0 (a leak would
# fail it under AddressSanitizer). Under a file size limit of 0 it still starts,
# and its save fails with one line.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

setup_e2e

"$program" &
GAME_PID=$!
wait_for_window

timeout 20 "$program"
second=$?
[ "$second" -eq 0 ] || fail "a second copy exited with $second"
kill -0 "$GAME_PID" || fail "the first copy did not survive the second"

xdotool key F2
sleep 1
xdotool key Left Left space
sleep 0.7
import -window root "$WORK/shot.png"
cell_occupied "$WORK/shot.png" 2 11 || fail "the dropped piece is not at column 2, row 11"
cell_occupied "$WORK/shot.png" 4 1 || cell_occupied "$WORK/shot.png" 4 2 || fail "no new piece at the top of column 4"
cell_occupied "$WORK/shot.png" 6 11 && fail "column 6 of the bottom row should be empty"

xdotool key p
sleep 0.5
case $(xdotool getwindowname "$WID") in *（一時停止）) ;; *) fail "P did not mark the title as paused" ;; esac
xdotool key Right Right space
sleep 0.7
import -window root "$WORK/paused.png"
cell_occupied "$WORK/paused.png" 6 11 && fail "a key moved the piece while paused"
xdotool key p
sleep 0.5
case $(xdotool getwindowname "$WID") in *（一時停止）) fail "P did not resume" ;; esac
xdotool key Right Right space
sleep 0.7
import -window root "$WORK/resumed.png"
cell_occupied "$WORK/resumed.png" 6 11 || fail "the piece did not drop at column 6 after resuming"

xdotool key alt+g
sleep 0.5
xdotool key x
wait_exit

# With no file allowed to grow, the lock and the save fail as writes do,
# rather than the process being killed. Standard error goes through a pipe,
# which the limit does not cover.
cp tm_data.dat saved.dat
(
  set -o pipefail
  (ulimit -f 0 && exec "$program") 2>&1 >/dev/null | cat >"$WORK/limited.txt"
) &
GAME_PID=$!
wait_for_window
xdotool key alt+g
sleep 0.5
xdotool key x
wait_exit
[ "$(wc -l <"$WORK/limited.txt")" -eq 1 ] && grep -q 'cannot save.*File too large' "$WORK/limited.txt" ||
  fail "a save over the file size limit did not say so in one line: $(cat "$WORK/limited.txt")"
cmp -s tm_data.dat saved.dat || fail "a failed save changed the data file"
echo "smoke test passed"
