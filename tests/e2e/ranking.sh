#!/usr/bin/env bash
# A whole run as a player has it: a game played to its end under Xvfb, a name
# typed into the dialog, the exit command, a second start, the name found in
# the table that the ranking menu entry shows (and in the data file), and a
# setting changed in that second run kept when it ends by SIGINT.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

setup_e2e

# A data file whose every row scores -1, so that any finished game takes rank 1;
# its window rectangle of zeros also has to be moved onto the screen.
{
  for _ in $(seq 11); do
    # -1.0 as a little-endian double, the name padded to 11 bytes and ended, difficulty 0.
    printf '\x00\x00\x00\x00\x00\x00\xf0\xbfNobody     \x00\x00\x00\x00\x00'
  done
  # Options: type 1 keys, standard, tab 1, clip off, sound on, topmost, two flags, a zero rectangle.
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  printf '\x01\x00\x00\x00\x01\x00\x00\x00'
  printf '\x00%.0s' $(seq 24)
} > tm_data.dat
[ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the prepared data file is not 312 bytes"


"$program" &
GAME_PID=$!
wait_for_window
play_until_name_dialog 14
focus_name_field
xdotool type --delay 50 'E2E Test'
xdotool key Return
sleep 1
wait_for_window
xdotool key alt+g; sleep 0.4; xdotool key x
wait_exit

[ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes"
name=$(dd if=tm_data.dat bs=1 skip=8 count=8 2>/dev/null)
[ "$name" = "E2E Test" ] || fail "rank 1 holds '$name', not the typed name"
dd if=tm_data.dat bs=1 skip=32 count=6 2>/dev/null | grep -q Nobody || fail "the old first row did not move down"

"$program" &
GAME_PID=$!
wait_for_window
import -window root before.png
xdotool key alt+g; sleep 0.4; xdotool key r; sleep 1
import -window root table.png
# The name column of rank 1 shows text where the well was black.
lit=0
for x in $(seq $((CLIENT_X + 212)) 4 $((CLIENT_X + 270))); do
  for y in $(seq $((CLIENT_Y + 74)) 4 $((CLIENT_Y + 100))); do
    read -r r g b < <(pixel table.png "$x" "$y")
    [ $((r + g + b)) -gt 300 ] && lit=$((lit + 1))
  done
done
[ "$lit" -gt 3 ] || fail "no name is drawn in the first row of the table"

# A setting changed in this run survives an interrupt: type 2 drop keys.
xdotool key alt+g; sleep 0.4; xdotool key s; sleep 0.4; xdotool key k; sleep 1
keys=$(xdotool search --onlyvisible --name 'キーとサウンドの設定' 2>/dev/null | head -1)
[ -n "$keys" ] || fail "the keys and sound dialog did not open"
xdotool key alt+2; sleep 0.3; xdotool key Return; sleep 0.5
kill -INT "$GAME_PID"
wait_exit
drop_key_type=$(od -An -tu4 -j264 -N4 tm_data.dat | tr -d ' ')
[ "$drop_key_type" = 1 ] || fail "the drop key type chosen before SIGINT was not saved ($drop_key_type)"
name=$(dd if=tm_data.dat bs=1 skip=8 count=8 2>/dev/null)
[ "$name" = "E2E Test" ] || fail "the entry was lost on SIGINT"
[ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes after SIGINT"
echo "ranking test passed"
