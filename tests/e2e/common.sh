# Helpers for tests that run the real program under Xvfb, on top of the
# harness that every shell test shares.
source "$(dirname "${BASH_SOURCE[0]}")/../harness.sh"

# A scratch working folder and a display of the test's own, with a window
# manager. Sets WORK.
setup_e2e() {
  WORK=$scratch/work
  mkdir "$WORK" && cd "$WORK" || fail "no working folder"
  start_xvfb
  start_wm "${TAMARO_WM:-openbox}"
  # A real X window, whatever the headless test environment says.
  export QT_QPA_PLATFORM=xcb
  export SDL_AUDIODRIVER=dummy
}

# Ends the game with ゲーム → タマロの終了 and checks it ended with exit code 0.
# A loaded machine may drop the menu's keys; they are pressed again then.
exit_by_menu() {
  for _ in 1 2 3; do
    xdotool key alt+g
    sleep 0.5
    xdotool key x
    for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null || break
    xdotool key Escape Escape
  done
  wait_exit
}

# Waits for the game to end by itself and checks it ended with exit code 0.
wait_exit() {
  for _ in $(seq 150); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end"
  wait "$GAME_PID"
  local code=$?
  GAME_PID=
  [ "$code" -eq 0 ] || fail "the program exited with $code"
}

# A fresh display of another size, with the same window manager.
restart_display() {
  kill "$WM_PID" "$XVFB_PID" 2>/dev/null
  wait "$WM_PID" "$XVFB_PID" 2>/dev/null
  export SCREEN_SIZE=$1
  start_xvfb
  start_wm "${TAMARO_WM:-openbox}"
}

# Starts a window manager (openbox or icewm; "none" for a bare display) and
# waits until it has taken the screen.
start_wm() {
  case "$1" in
    none) return 0 ;;
    openbox) openbox --sm-disable >/dev/null 2>&1 & ;;
    icewm) icewm >/dev/null 2>&1 & ;;
    *) fail "unknown window manager $1" ;;
  esac
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$WM_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "the window manager $1 did not start"
}

# Prints "left top right bottom" of a top-level window's outer frame on the
# screen: its own rectangle grown by the frame the window manager announces.
frame_rect() {
  local x y w h extents l=0 r=0 t=0 b=0
  eval "$(xwininfo -id "$1" | awk -F': *' '/Absolute upper-left X/{print "x="$2} /Absolute upper-left Y/{print "y="$2} /Width/{print "w="$2} /Height/{print "h="$2}')"
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
  [ -n "$extents" ] && IFS=', ' read -r l r t b <<<"$extents"
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}

# Waits for a visible top-level window whose title matches and prints its id.
find_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits for the name dialog, focuses it and moves the focus to its edit field.
# Starts a game and drops every piece into the middle column, at most $1
# times, until the column reaches the top and the name dialog opens.
play_until_name_dialog() {
  xdotool key alt+g; sleep 0.4; xdotool key k; sleep 0.8
  for _ in $(seq "$1"); do
    xdotool key space
    sleep 0.25
    xdotool search --onlyvisible --name '名前登録' >/dev/null 2>&1 && break
  done
}

focus_name_field() {
  local dialog
  dialog=$(find_window '名前登録') || fail "no name dialog after the game ended"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.3
  # The focus starts on ｸﾘｱ; the edit field comes after ｵｰｹｰ and ｷｬﾝｾﾙ.
  xdotool key Tab Tab Tab
}

# Waits for the game's window and sets WID, CLIENT_X, CLIENT_Y (the client area's screen position).
wait_for_window() {
  WID=$(find_window '^タマロ　ミナソラ') || fail "the window did not appear"
  # The window manager has framed it once it announces the frame.
  for _ in $(seq 50); do
    xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && break
    [ "${TAMARO_WM:-openbox}" = none ] && break
    sleep 0.1
  done
  local x y h
  read -r x y h < <(xwininfo -id "$WID" | awk -F': *' '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2} /Height/{h=$2} END{print x, y, h}')
  CLIENT_X=$x
  CLIENT_Y=$((y + h - 479))
  xdotool mousemove $((CLIENT_X + 320)) $((CLIENT_Y + 240))
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  sleep 0.3
}

# Prints "r g b" of a screen pixel in a screenshot.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# True when the middle of well cell (column, row) shows a piece, not the black well.
cell_occupied() {
  local x=$((CLIENT_X + 177 + 40 * ($2 - 1) + 19)) y=$((CLIENT_Y + 20 + 40 * ($3 - 1) + 19))
  local r g b
  read -r r g b < <(pixel "$1" "$x" "$y")
  [ $((r + g + b)) -gt 60 ]
}
