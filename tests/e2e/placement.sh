#!/usr/bin/env bash
# Where the window goes under a real window manager (openbox unless the second
# argument names another): centred on the first run, frame included; exactly
# where the player left it on every later start; unmoved and unshrunk by the
# always-on-top toggle; brought back when the stored place hides its title
# bar; the help in front of the topmost game and wholly on a small screen; no
# maximise offered by the window or its dialogs. Screenshots stay in
# $E2E_SHOTS when it is set.
set -u
program=$1
export TAMARO_WM=${2:-openbox}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

export SCREEN_SIZE=1280x1024
setup_e2e

shot() {
  [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && import -window root "$E2E_SHOTS/$TAMARO_WM-$1.png"
}

start_game() {
  "$program" &
  GAME_PID=$!
  WID=$(find_window '^タマロ　ミナソラ$') || fail "the window did not appear"
  # The window manager has framed and placed it once the frame is announced.
  for _ in $(seq 50); do
    xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && break
    sleep 0.1
  done
  sleep 0.5
}

close_game() {
  wmctrl -i -c "$WID" || fail "the close request was not sent"
  wait_exit
}

stored_rect() {
  echo $(od -A n -t d4 -j 296 -N 16 tm_data.dat)
}

# A data file of zero scores whose settings keep the window non-topmost at this rectangle.
write_rect() {
  perl -e 'print "\0" x 264, pack("l<12", 0, 0, 1, 0, 1, 0, 0, 0, @ARGV)' -- "$@" > tm_data.dat
}

toggle_topmost() {
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  xdotool key alt+v
  sleep 0.4
  # The item after the tab submenu.
  xdotool key Down Return
  sleep 0.8
}

above() {
  xprop -id "$WID" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE
}

read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')

# First run: centred with its frame, a 639-pixel-wide client, topmost.
start_game
read -r l t r b < <(frame_rect "$WID")
[ "$l" -eq $(((screen_w - (r - l)) / 2)) ] && [ "$t" -eq $(((screen_h - (b - t)) / 2)) ] ||
  fail "first run frame at $l $t $r $b is not centred on ${screen_w}x$screen_h"
[ "$(xwininfo -id "$WID" | awk '/Width:/{print $2}')" -eq 639 ] || fail "the client is not 639 pixels wide"
above || fail "the first run is not topmost"
shot first-run
first="$l $t $r $b"
size=$(xwininfo -id "$WID" | awk '/Width:|Height:/{printf "%s ", $2}')

# The always-on-top toggle before any move, then after one: stacking only.
toggle_topmost
above && fail "the toggle left the window topmost"
[ "$(frame_rect "$WID")" = "$first" ] || fail "the toggle moved the frame from $first to $(frame_rect "$WID")"
[ "$(xwininfo -id "$WID" | awk '/Width:|Height:/{printf "%s ", $2}')" = "$size" ] || fail "the toggle resized the window"
xdotool windowmove "$WID" 210 160
sleep 0.5
moved=$(frame_rect "$WID")
toggle_topmost
above || fail "the second toggle did not make the window topmost"
[ "$(frame_rect "$WID")" = "$moved" ] || fail "the toggle moved the frame from $moved to $(frame_rect "$WID")"
[ "$(xwininfo -id "$WID" | awk '/Width:|Height:/{printf "%s ", $2}')" = "$size" ] || fail "the toggle resized the window"

# Closed with the close box where the player left it, then started and closed six times.
close_game
[ "$(stored_rect)" = "$moved" ] || fail "the data file holds $(stored_rect), the frame was at $moved"
for run in $(seq 6); do
  start_game
  [ "$(frame_rect "$WID")" = "$moved" ] || fail "start $run put the frame at $(frame_rect "$WID"), not $moved"
  close_game
  [ "$(stored_rect)" = "$moved" ] || fail "start $run stored $(stored_rect), not $moved"
done

# Stored places that hide the title bar: above the screen, and off it altogether.
for rect in "100 -300 741 219" "5000 5000 5641 5519" "-2147483648 -2147483648 2147483647 2147483647"; do
  write_rect $rect
  start_game
  read -r l t r b < <(frame_rect "$WID")
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le "$screen_w" ] && [ "$t" -lt $((screen_h - 40)) ] ||
    fail "stored $rect put the frame at $l $t $r $b, its title bar out of reach"
  close_game
done

# No maximise for the window, nor maximise or minimise for its dialogs.
start_game
actions=$(xprop -id "$WID" _NET_WM_ALLOWED_ACTIONS)
echo "$actions" | grep -q MAXIMIZE && fail "the window offers maximise: $actions"
hints=$(xprop -id "$WID" WM_NORMAL_HINTS)
[ "$(echo "$hints" | sed -n 's/.*minimum size: //p')" = "$(echo "$hints" | sed -n 's/.*maximum size: //p')" ] ||
  fail "the window can be resized: $hints"
for dialog in "alt+g s m:難しい設定" "alt+g s k:キーとサウンドの設定" "alt+h a:タマロのバージョン情報"; do
  keys=${dialog%%:*}
  title=${dialog#*:}
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  for k in $keys; do xdotool key "$k"; sleep 0.3; done
  did=$(find_window "^$title\$") || fail "the dialog $title did not open"
  sleep 0.5
  shot "dialog-$(echo "$keys" | tr -d ' +')"
  # The dialog asks for neither minimise (8) nor maximise (16) among its
  # functions; some managers let every dialog minimise all the same.
  read -r _ mwm_functions _ < <(xprop -id "$did" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
  [ $((mwm_functions & 24)) -eq 0 ] || fail "the dialog $title asks for minimise or maximise: $mwm_functions"
  actions=$(xprop -id "$did" _NET_WM_ALLOWED_ACTIONS)
  echo "$actions" | grep -q MAXIMIZE && fail "the dialog $title offers $actions"
  xdotool key Escape
  sleep 0.5
done
close_game

# Zoomed x2 from the menu: every client pixel twice as large, the frame on the
# screen, the data file just as an unzoomed run leaves it, and x2 again at the
# next start.
restart_display 1600x1200
write_rect 10 10 651 529
start_game
close_game
cp tm_data.dat unzoomed.dat
read -r _ height < <(echo "$size")
zoomed_as_x2() {
  [ "$(xwininfo -id "$WID" | awk '/Width:/{print $2}')" -eq 1278 ] || fail "the x2 client is not 1278 pixels wide ($1)"
  [ "$(xwininfo -id "$WID" | awk '/Height:/{print $2}')" -eq $((height + 479)) ] || fail "the x2 client is not 958 pixels high ($1)"
  read -r l t r b < <(frame_rect "$WID")
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1600 ] && [ "$b" -le 1200 ] || fail "the x2 frame $l $t $r $b is off the screen ($1)"
}
start_game
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool key alt+v
sleep 0.4
xdotool key 5
sleep 0.8
zoomed_as_x2 "chosen from the menu"
shot zoom2
close_game
cmp -s tm_data.dat unzoomed.dat || fail "the zoomed run changed the data file"
start_game
zoomed_as_x2 "at the next start"
close_game
echo 'zoom=\xff' > "$XDG_CONFIG_HOME/tamaro/settings"
start_game
[ "$(xwininfo -id "$WID" | awk '/Width:/{print $2}')" -eq 639 ] || fail "a damaged settings file did not give x1"
close_game

# On an 800 x 600 screen the help comes up in front of the topmost game, wholly on the screen.
restart_display 800x600
rm -f tm_data.dat
start_game
above || fail "the game is not topmost on the small screen"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool key alt+h
sleep 0.3
xdotool key h
help=$(find_window '^タマロのヘルプ$') || fail "the help did not open"
sleep 0.8
shot help
read -r l t r b < <(frame_rect "$help")
[ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 800 ] && [ "$b" -le 600 ] || fail "the help's frame $l $t $r $b is not wholly on 800x600"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr -d ',')
game_at=0 help_at=0 n=0
for id in $stacking; do
  n=$((n + 1))
  [ $((id)) -eq "$WID" ] && game_at=$n
  [ $((id)) -eq "$help" ] && help_at=$n
done
[ "$help_at" -gt "$game_at" ] || fail "the help ($help_at) is not above the game ($game_at): $stacking"
close_game
echo "placement under $TAMARO_WM passed"
