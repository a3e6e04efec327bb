#!/usr/bin/env bash
# The real program under a Wayland compositor (sway, weston, mutter or kwin),
# natively or through its XWayland display, as a player runs it: the window's
# size and title, F2, moves and a drop by keys, P and the loss of focus
# pausing, dialogs and the help in front of the game, the data file after the
# close box, SIGTERM saving, a second copy refused, and the compositor's end.
# Screenshots stay in $E2E_SHOTS when it is set.
#
#   wayland.sh PROGRAM FIND_CLIENT COMPOSITOR native|xwayland [SCALE]
#
# The test runs in namespaces of its own (see run_in_rig): its own /tmp, so
# that no X display number is shared with another test, and its own
# processes, all ended with it.
set -u
program=$1
find_client=$2
compositor=$3
mode=$4
scale=${5:-1}
here=$(cd "$(dirname "$0")" && pwd)
name=$compositor-$mode
[ "$scale" = 1 ] || name=$name-$scale

if [ -z "${TAMARO_RIG_INSIDE:-}" ]; then
  # The harness's scratch folder (removed at the end) holds the test's /tmp.
  source "$here/common.sh"
  source "$here/compositors.sh"
  # Everything the test runs is copied where the test's user can read it.
  rig=$scratch/tmp/rig
  mkdir -p "$rig/bin" "$rig/shots"
  cp "$program" "$find_client" "$here/common.sh" "$here/compositors.sh" "$here/wayland.sh" "$rig/bin/"
  cp "$here/../harness.sh" "$scratch/tmp/rig/"
  cp "$here/../../resources/pictures/id_bitmap2.png" "$rig/bin/background.png"
  [ -d "$(dirname "$program")/sound" ] && cp -r "$(dirname "$program")/sound" "$rig/bin/"
  inner=(env TAMARO_RIG_INSIDE=1 bash /tmp/rig/bin/wayland.sh /tmp/rig/bin/"$(basename "$program")"
         /tmp/rig/bin/"$(basename "$find_client")" "$compositor" "$mode" "$scale")
  run_in_rig "$scratch/tmp" "${inner[@]}"
  code=$?
  if [ -n "${E2E_SHOTS:-}" ]; then
    mkdir -p "$E2E_SHOTS"
    for f in "$rig/shots"/*.png; do [ -e "$f" ] && cp "$f" "$E2E_SHOTS/$name-$(basename "$f")"; done
  fi
  [ -e "$rig/shots/failure.png" ] && cp "$rig/shots/failure.png" "$PWD/wayland-$name-failure.png"
  # What the compositor and the game said, for whoever reads a failure.
  if [ "$code" -ne 0 ] && [ -d "$rig/logs" ]; then
    rm -rf "$PWD/wayland-$name-logs"
    cp -r "$rig/logs" "$PWD/wayland-$name-logs"
    echo "logs in $PWD/wayland-$name-logs"
  fi
  exit "$code"
fi

# ---- inside: this test's own /tmp, processes and user ----
source "$here/common.sh"
source "$here/compositors.sh"
background=$here/background.png
SHOTS=/tmp/rig/shots
LOGS=/tmp/rig/logs
mkdir -p "$LOGS"

fail() {
  echo "FAIL ($name): $*" >&2
  [ -n "${COMPOSITOR_PID:-}" ] && screenshot "$SHOTS/failure.png" 2>/dev/null
  exit 1
}

shot() {
  screenshot "$SHOTS/$1.png"
}

# The harness made this test's HOME, XDG folders and runtime folder in $scratch.
WORK=$scratch/work
mkdir "$WORK" || exit 1
cleanup() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "${OTHER_PID:-}" ] && kill "$OTHER_PID" 2>/dev/null
  stop_compositor
  cp "$WORK"/*.log "$LOGS/" 2>/dev/null
  harness_cleanup
}
trap cleanup EXIT
cd "$WORK" || exit 1
export SDL_AUDIODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER

start_compositor "$compositor" "$scale"

# The game as the player starts it on this desktop.
game_env=(env -u DISPLAY -u WAYLAND_DISPLAY)
if [ "$mode" = native ]; then
  game_env+=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$WAYLAND_DISPLAY_NAME" WAYLAND_DEBUG=client)
else
  game_env+=(QT_QPA_PLATFORM=xcb DISPLAY="$XWAYLAND_DISPLAY")
  keys_for_x_clients
fi
# X tools, for the game's window through XWayland.
x() { DISPLAY=$XWAYLAND_DISPLAY "$@"; }

GAME_RUNS=0
start_game() {
  GAME_RUNS=$((GAME_RUNS + 1))
  GAME_LOG=$WORK/game-$GAME_RUNS.log
  "${game_env[@]}" "$program" 2>"$GAME_LOG" &
  GAME_PID=$!
  wait_for_client || fail "the game's picture did not appear (run $GAME_RUNS)"
}

# Waits until the client area shows on the output and sets CLIENT_X, CLIENT_Y.
wait_for_client() {
  local at
  for _ in $(seq 100); do
    screenshot "$WORK/now.png" 2>/dev/null
    at=$("$find_client" "$WORK/now.png" "$background" "${BLOCK:-1}" 2>/dev/null) && break
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  [ -n "$at" ] || return 1
  read -r CLIENT_X CLIENT_Y <<<"$at"
}

# The title that the game gave its window last.
title() {
  if [ "$mode" = native ]; then
    sed -n 's/.*xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p' "$GAME_LOG" | tail -1
  else
    x xdotool getwindowname "$(x xdotool search --name '^タマロ　ミナソラ' | head -1)" 2>/dev/null
  fi
}

# Waits for the game to end and sets CODE.
wait_end() {
  for _ in $(seq 200); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end ($1)"
  wait "$GAME_PID"
  CODE=$?
  GAME_PID=
}

# The data file of signals.sh's runs: eleven rows named "Keep 01" to "Keep 11",
# settings with gameRunning set (only a complete save clears it), tab 1,
# always on top, and the window's rectangle at 100, 80.
prepare() {
  {
    for r in $(seq -w 1 11); do
      printf '\x00\x00\x00\x00\x00\x00\xf0\xbfKeep %s\x00\x00\x00\x00\x00\x00\x00\x00\x00' "$r"
    done
    perl -e 'print pack("l<12", 0, 0, 1, 0, 1, 1, 1, 0, 100, 80, 741, 579)'
  } > tm_data.dat
  cp tm_data.dat prepared.dat
}
field() { od -An -td4 -j"$1" -N4 tm_data.dat | tr -d ' '; }
table_kept() {
  [ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes ($1)"
  cmp -s -n 264 tm_data.dat prepared.dat || fail "the table was not kept ($1)"
}


# Whether a window covers much of the game's client area in the second
# screenshot that the first did not.
covered() {
  local changed
  convert "$1" -crop "639x479+$CLIENT_X+$CLIENT_Y" +repage "$WORK/before.png"
  convert "$2" -crop "639x479+$CLIENT_X+$CLIENT_Y" +repage "$WORK/after.png"
  changed=$(compare -metric AE -fuzz 2% "$WORK/before.png" "$WORK/after.png" null: 2>&1)
  [ "${changed%%.*}" -gt 15000 ] 2>/dev/null
}

# A window that came up in the second screenshot: over the game's client
# area, or anywhere where the compositor places dialogs by its own rule:
# natively mutter puts a window not marked as a dialog (Qt 6.4 has no way to
# mark one on Wayland) where it covers no other; weston puts X windows at
# random places, transient or not.
shown_in_front() {
  covered "$1" "$2" && return 0
  case $COMPOSITOR-$mode in mutter-native | weston-xwayland) ;; *) return 1 ;; esac
  local all inside
  all=$(compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1)
  inside=$(compare -metric AE -fuzz 2% "$WORK/before.png" "$WORK/after.png" null: 2>&1)
  [ $(( ${all%%.*} - ${inside%%.*} )) -gt 15000 ] 2>/dev/null
}

# Chooses an item of the help menu and requires its window in front of the
# game; the menu's keys are pressed again when a loaded machine dropped them.
open_in_front() {
  local item=$1 name=$2 settle=$3
  shot "before-$name"
  for _ in 1 2 3; do
    press alt+h; sleep 0.5; press "$item"
    sleep "$settle"
    shot "$name"
    shown_in_front "$SHOTS/before-$name.png" "$SHOTS/$name.png" && return 0
    press Escape Escape
    sleep 0.5
  done
  return 1
}

# Asks the compositor to close the game's window, as its close box does.
close_game() {
  case $COMPOSITOR in
    sway) swaymsg "[pid=$GAME_PID] kill" >/dev/null || fail "sway did not take the close request" ;;
    # The compositors that run as windows on Xvfb take no reliable click
    # there: the menu's exit command ends the game instead, pressed again
    # when the keys were lost (weston may leave no window with the keyboard
    # after a dialog closes, until the keys come again).
    *) for _ in 1 2 3; do
        press alt+g; sleep 0.5; press x
        for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || return 0; sleep 0.1; done
        press Escape Escape
      done ;;
  esac
}

# A window that takes the focus from the game: another Wayland client.
focus_elsewhere() {
  WAYLAND_DISPLAY=$WAYLAND_DISPLAY_NAME weston-flower >/dev/null 2>&1 &
  OTHER_PID=$!
  # mutter gives a new window no focus that an X window has; the player
  # switches to it.
  if [ "$COMPOSITOR-$mode" = mutter-xwayland ]; then
    sleep 1
    press alt+Tab
  fi
}

# ---- at a scale: the picture whole at its size, in solid blocks where the scale is whole ----
if [ "$scale" != 1 ]; then
  BLOCK=$scale
  start_game
  shot scaled
  blocks=$("$find_client" --blocks "$SHOTS/scaled.png" "$background" "$CLIENT_X" "$CLIENT_Y" "$scale")
  echo "$name: at $CLIENT_X $CLIENT_Y, $blocks"
  read -r solid all < <(echo "$blocks" | sed -E 's/solid ([0-9]+) of ([0-9]+),.*/\1 \2/')
  # Qt 6.4 draws at the next whole scale and the compositor shrinks that:
  # at 1.5 the picture is whole but smoothed, which the README says.
  case $scale in
    *.*) ;;
    *) [ "$solid" -eq "$all" ] && [ "$all" -gt 0 ] || fail "$blocks: not every client pixel is a solid $scale x $scale block" ;;
  esac
  kill -TERM "$GAME_PID"
  wait_end "SIGTERM at scale $scale"
  [ "$CODE" -eq 0 ] || fail "SIGTERM at scale $scale: exit code $CODE"
  echo "$name: passed"
  exit 0
fi

# ---- the first run: size, title, keys, pause, dialogs, a second copy, the close box ----
prepare
start_game
shot first
[ "$(title)" = "タマロ　ミナソラ" ] || fail "the title is '$(title)'"
if [ "$mode" = native ]; then
  app_id=$(sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)")$/\1/p' "$GAME_LOG" | tail -1)
  [ "$app_id" = io.github.tamaro.Tamaro ] || fail "the app id is '$app_id', not the desktop file's name"
  # Under the title bar that Qt draws itself (mutter, weston), whose maximise
  # button cannot be taken away, the window takes any size from its own up;
  # where the compositor draws the title bar, it keeps its size.
  sleep 0.5
  max_size=$(sed -n 's/.*xdg_toplevel@[0-9]*\.set_max_size(\(.*\))$/\1/p' "$GAME_LOG" | tail -1)
  case $COMPOSITOR in
    mutter | weston) [ "$max_size" = "0, 0" ] || fail "under Qt's own title bar the window's largest size is $max_size" ;;
    *) [ -n "$max_size" ] && [ "$max_size" != "0, 0" ] || fail "the window does not keep its size: largest '$max_size'" ;;
  esac
  # The start-up effect, which cannot draw over a Wayland desktop, opens no window of its own.
  [ "$(grep -c 'get_toplevel(' "$GAME_LOG")" -eq 1 ] || fail "a window came up before the game's"
fi

# A size the desktop forces (sway: fullscreen; mutter: maximise): the picture
# stays whole, at a whole zoom, and comes back as it was. kwin and weston
# offer no way to force one from a script.
force_size() {
  case $COMPOSITOR in
    sway) swaymsg "[pid=$GAME_PID] fullscreen $1" >/dev/null ;;
    mutter) press super+$([ "$1" = enable ] && echo Up || echo Down) ;;
    *) return 1 ;;
  esac
}
if force_size enable; then
  sleep 1.5
  shot forced
  forced_block= forced_at=
  for b in 2 1; do
    forced_at=$("$find_client" "$SHOTS/forced.png" "$background" $b 2>/dev/null) && { forced_block=$b; break; }
  done
  [ -n "$forced_block" ] || fail "the picture is not whole at any whole zoom in the size the desktop forced"
  # sway's fullscreen takes an X window whatever its size, and mutter
  # maximises a native window under Qt's own title bar; a window of fixed
  # size stays as it was (natively on sway, and under mutter through XWayland).
  case $COMPOSITOR-$mode in
    sway-xwayland | mutter-native) [ "$forced_block" -gt 1 ] || [ "$forced_at" != "$CLIENT_X $CLIENT_Y" ] ||
      fail "the desktop forced no size: the picture stayed at $forced_at" ;;
    *) [ "$forced_block $forced_at" = "1 $CLIENT_X $CLIENT_Y" ] ||
      fail "a window of fixed size took another: the picture went from $CLIENT_X $CLIENT_Y to x$forced_block at $forced_at" ;;
  esac
  force_size disable
  sleep 1.5
  wait_for_client || fail "the picture did not come back after the forced size"
  echo "$name: asked for another size, the picture went from $CLIENT_X $CLIENT_Y to x$forced_block at $forced_at"
fi

# ×２ from the view menu: the window grows and stays whole on the screen,
# natively too, where the compositor places it (sway, kwin: 1280 pixels hold
# x2). A loaded machine may drop the menu's keys; they are pressed again then.
zoom_to() {
  local item=$1 block=$2
  for _ in 1 2 3; do
    press alt+v; sleep 0.5; press "$item"
    sleep 1.5
    shot "zoomed-$block"
    ZOOMED_AT=$("$find_client" "$SHOTS/zoomed-$block.png" "$background" "$block") && return 0
    press Escape Escape
  done
  return 1
}
if [ "$COMPOSITOR-$scale" = sway-1 ] || [ "$COMPOSITOR-$scale" = kwin-1 ]; then
  zoom_to 5 2 || fail "at x2 the picture is not whole on the screen"
  zoomed_at=$ZOOMED_AT
  zoom_to 4 1 || fail "the picture did not come back at x1"
  read -r CLIENT_X CLIENT_Y <<<"$ZOOMED_AT"
  echo "$name: x2 at $zoomed_at, x1 again at $CLIENT_X $CLIENT_Y"
fi

timeout 30 "${game_env[@]}" WAYLAND_DEBUG= "$program" 2>"$WORK/second.log"
second=$?
[ "$second" -eq 0 ] || fail "a second copy exited with $second"
kill -0 "$GAME_PID" 2>/dev/null || fail "the first copy did not survive the second"

# F2 starts a game: its first piece stands at the top of column 4. It is
# pressed again when a loaded machine dropped the key.
for _ in 1 2 3; do
  press F2
  sleep 1
  shot started
  cell_occupied "$SHOTS/started.png" 4 1 && break
done
press Left Left space
sleep 0.8
shot game
cell_occupied "$SHOTS/game.png" 2 11 || fail "the dropped piece is not at column 2, row 11"
cell_occupied "$SHOTS/game.png" 4 1 || cell_occupied "$SHOTS/game.png" 4 2 || fail "no new piece at the top of column 4"
cell_occupied "$SHOTS/game.png" 6 11 && fail "column 6 of the bottom row should be empty"

# The pause mark's left bar (white) and the gap between its bars (dark), at
# client pixels (616, 18) and (620, 18).
mark_shown() {
  local r g b r2 g2 b2
  read -r r g b < <(pixel "$1" $((CLIENT_X + 616)) $((CLIENT_Y + 18)))
  read -r r2 g2 b2 < <(pixel "$1" $((CLIENT_X + 620)) $((CLIENT_Y + 18)))
  [ $((r + g + b)) -gt 700 ] && [ $((r2 + g2 + b2)) -lt 150 ]
}
mark_shown "$SHOTS/game.png" && fail "a pause mark before any pause"
press p
sleep 0.5
case $(title) in *（一時停止）) ;; *) fail "P did not mark the title as paused: '$(title)'" ;; esac
press Right Right space
sleep 0.7
shot paused
cell_occupied "$SHOTS/paused.png" 6 11 && fail "a key moved the piece while paused"
# Natively the title bar may be the toolkit's own and not repaint: the pause
# shows in the client area too. Through XWayland the window manager's title says it.
if [ "$mode" = native ]; then
  mark_shown "$SHOTS/paused.png" || fail "no pause mark in the client area while paused"
else
  mark_shown "$SHOTS/paused.png" && fail "a pause mark where the window manager draws the title"
fi
press p
sleep 0.5
case $(title) in *（一時停止）) fail "P did not resume" ;; esac
shot resumed
mark_shown "$SHOTS/resumed.png" && fail "the pause mark stayed after the game resumed"

# Another window takes the focus: the piece stops falling (a drop every 2 s
# at the start), and falls again once the game has the focus back.
well() {
  convert "$1" -crop "280x440+$((CLIENT_X + 177))+$((CLIENT_Y + 20))" +repage -depth 8 rgb:- | md5sum
}
focus_elsewhere
sleep 1.5
shot focus-lost
sleep 4.5
shot focus-lost-later
[ "$(well "$SHOTS/focus-lost.png")" = "$(well "$SHOTS/focus-lost-later.png")" ] ||
  fail "the piece went on falling while another window had the focus"
kill "$OTHER_PID" 2>/dev/null
wait "$OTHER_PID" 2>/dev/null
OTHER_PID=
sleep 4.5
shot focus-back
[ "$(well "$SHOTS/focus-lost-later.png")" != "$(well "$SHOTS/focus-back.png")" ] ||
  fail "the piece did not fall again once the game had the focus back"

# The about dialog in front of the game, with Escape closing it.
open_in_front a about 1.2 || fail "the about dialog is not in front of the game"
press Escape
sleep 0.8

# The close box (the exit command where it cannot be clicked): a complete save, the table kept; natively the place stored
# before is kept, as the desktop gives none.
close_game
wait_end "the close box"
[ "$CODE" -eq 0 ] || fail "the close box: exit code $CODE"
table_kept "the close box"
[ "$(field 288)" = 0 ] || fail "the close box: no complete save"
[ "$(field 284)" = 1 ] || fail "always on top, as the player chose it, was not kept"
read -r left top right bottom < <(od -An -td4 -j296 -N16 tm_data.dat)
[ $((right - left)) -ge 639 ] && [ $((right - left)) -le 700 ] && [ $((bottom - top)) -ge 498 ] &&
  [ $((bottom - top)) -le 600 ] || fail "the stored rectangle $left $top $right $bottom is not the window's size"
if [ "$mode" = native ]; then
  [ "$left $top" = "100 80" ] || fail "the stored place became $left $top, which the desktop never gave"
fi

# The help in front of the game, then SIGTERM: a complete save.
prepare
start_game
open_in_front h help 1.5 || fail "the help is not in front of the game"
kill -TERM "$GAME_PID"
wait_end "SIGTERM"
[ "$CODE" -eq 0 ] || fail "SIGTERM: exit code $CODE"
table_kept "SIGTERM"
[ "$(field 288)" = 0 ] || fail "SIGTERM: no complete save"

# The compositor's end: what the player changed (the tab, from the menu) is in the data file.
prepare
start_game
press alt+v
sleep 0.5
shot view-menu
press t 3
sleep 1
kill -TERM "$COMPOSITOR_PID"
wait_end "the compositor's end"
table_kept "the compositor's end"
[ "$(field 272)" != 1 ] || fail "the tab chosen before the compositor ended is not in the data file (exit code $CODE)"
echo "$name: passed"
