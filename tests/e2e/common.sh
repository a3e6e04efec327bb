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
  start_xvfb
  export SDL_AUDIODRIVER=dummy
}

cleanup_e2e() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
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

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  fail "no display could be started"
}

# Waits for the game's window and sets WID, CLIENT_X, CLIENT_Y (the client area's screen position).
wait_for_window() {
  local geometry=""
  for _ in $(seq 200); do
    WID=$(xdotool search --onlyvisible --name 'タマロ' 2>/dev/null | head -1)
    [ -n "$WID" ] && geometry=$(xdotool getwindowgeometry --shell "$WID" 2>/dev/null) && [ -n "$geometry" ] && break
    sleep 0.1
  done
  [ -n "$geometry" ] || fail "the window did not appear"
  eval "$geometry"
  CLIENT_X=$X
  CLIENT_Y=$((Y + HEIGHT - 479))
  xdotool mousemove $((X + 320)) $((CLIENT_Y + 240))
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
