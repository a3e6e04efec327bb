#!/usr/bin/env bash
# Starts the real program under Xvfb, starts a game with F2, plays a few keys,
# checks the well on screenshots, pauses and resumes with P as the title shows,
# refuses a second copy, and quits from the menu with exit code 0 (a leak would
# fail it under AddressSanitizer). Under a file size limit of 0 it still starts,
# and its save fails with one line. A display of 8 bits per pixel ends it at
# once with one line; one of 16 bits is played on. Started under LANG=C, its
# title reads right to every tool, in either locale, also once it changes.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

setup_e2e

# WM_NAME holds the title as UTF-8 typed as such, never as Latin-1 text.
title_reads() {
  local locale
  for locale in C C.UTF-8; do
    [ "$(LC_ALL=$locale xdotool getwindowname "$WID")" = "$1" ] || fail "xdotool under $locale does not read '$1'"
    [ "$(LC_ALL=$locale xprop -id "$WID" WM_NAME | sed 's/^WM_NAME//')" = \
      "$(LC_ALL=$locale xprop -id "$WID" _NET_WM_NAME | sed 's/^_NET_WM_NAME//')" ] ||
      fail "under $locale WM_NAME reads $(LC_ALL=$locale xprop -id "$WID" WM_NAME), not '$1'"
  done
  [ "$(LC_ALL=C.UTF-8 xprop -id "$WID" WM_NAME)" = "WM_NAME(UTF8_STRING) = \"$1\"" ] || fail "WM_NAME is not '$1'"
}

LANG=C LC_ALL=C "$program" &
GAME_PID=$!
wait_for_window
title_reads 'タマロ　ミナソラ'

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
title_reads 'タマロ　ミナソラ（一時停止）'
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

exit_by_menu

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
exit_by_menu
# Each save that fails says so in one line: the exit's, and the one of the
# window's place when the window manager moved it before the exit.
[ -s "$WORK/limited.txt" ] && ! grep -v -q 'cannot save, writing failed (File too large)' "$WORK/limited.txt" ||
  fail "a save over the file size limit did not say so, one line a save: $(cat "$WORK/limited.txt")"
cmp -s tm_data.dat saved.dat || fail "a failed save changed the data file"

# Where nothing can be drawn the program ends before it reads or shows
# anything: exit code 1 and one line, not a crash (whose report is many lines).
export SCREEN_DEPTH=8
restart_display 1024x768
"$program" 2>"$WORK/depth.txt" &
GAME_PID=$!
for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "the program went on at 8 bits per pixel"
wait "$GAME_PID"
code=$?
GAME_PID=
[ "$code" -eq 1 ] || fail "8 bits per pixel: exit code $code, not 1"
[ "$(wc -l <"$WORK/depth.txt")" -eq 1 ] && grep -q 'bits per pixel' "$WORK/depth.txt" ||
  fail "8 bits per pixel: not one line that says why: $(head -5 "$WORK/depth.txt")"
cmp -s tm_data.dat saved.dat || fail "8 bits per pixel: the data file changed"
ls core* >/dev/null 2>&1 && fail "8 bits per pixel: a core was left"
export SCREEN_DEPTH=16
restart_display 1024x768
"$program" &
GAME_PID=$!
wait_for_window
exit_by_menu
echo "smoke test passed"
