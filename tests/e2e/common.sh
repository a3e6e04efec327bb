# Helpers for tests that run the real program under Xvfb.

fail() {
  echo "FAIL: $*" >&2
  # Keep what the screen showed, for whoever reads the failure.
  [ -n "${DISPLAY:-}" ] && import -window root "${TMPDIR:-/tmp}/tamaro-e2e-failure.png" 2>/dev/null
  exit 1
}

# A scratch working folder, a display and a runtime folder of the test's own;
# whatever the test started is stopped at exit. Sets WORK.
setup_e2e() {
  WORK=$(mktemp -d)
  trap cleanup_e2e EXIT
  cd "$WORK" || fail "no working folder"
  isolate_runtime "$WORK"
  # The player's own settings (the zoom) stay in the test's folder too.
  export XDG_CONFIG_HOME="$WORK/config"
  start_xvfb
  start_wm "${TAMARO_WM:-openbox}"
  # A real X window, whatever the headless test environment says.
  export QT_QPA_PLATFORM=xcb
  export SDL_AUDIODRIVER=dummy
}

cleanup_e2e() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
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

# A runtime folder of the test's own, so the single-copy lock of a game the
# user is playing meanwhile does not stop the test's copy.
isolate_runtime() {
  export XDG_RUNTIME_DIR="$1/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

# Starts Xvfb on a display it picks itself (so that tests running side by
# side never share one), SCREEN_SIZE or 1024x768, SCREEN_DEPTH or 24 bits, and
# exports DISPLAY.
start_xvfb() {
  local number_file="$WORK/display"
  rm -f "$number_file"
  # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x${SCREEN_DEPTH:-24}" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$number_file" ]; then
      export DISPLAY=":$(head -1 "$number_file")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "no display could be started"
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
