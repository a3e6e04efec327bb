# Starting Wayland compositors for the end-to-end tests, and what a player
# does under them: keys, screenshots, the close box, another window.
#
# sway runs on its headless backend (WLR_BACKENDS=headless): it is typed on
# with wtype, photographed with grim and asked through swaymsg. weston,
# mutter and kwin have headless backends with no keyboard and no screenshot
# that a script may ask for, so each runs as a window on Xvfb instead, with
# xdotool typing on that window and the Xvfb screen as its monitor. Either
# way nothing else is on the machine's displays.
#
# Needs WORK (a scratch folder of the test's own) and XDG_RUNTIME_DIR. Sets
# COMPOSITOR_PID, WAYLAND_DISPLAY_NAME (the compositor's socket) and
# XWAYLAND_DISPLAY (its X display, for X clients).

# Runs a command in namespaces of its own, with the folder $1 as its /tmp and
# its own processes, all ended with it. Compositors refuse to run as root, so
# as root it runs as the user tamaro-e2e (made when missing), who is given the
# folder; otherwise as this user.
run_in_rig() {
  local tmp=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then
    id tamaro-e2e >/dev/null 2>&1 ||
      useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin tamaro-e2e ||
      fail "no user to run the compositor as"
    chown -R tamaro-e2e: "$tmp"
    chmod 1777 "$tmp"
    unshare --mount --net --pid --fork --mount-proc --kill-child -- bash -c '
      mount --bind "$1" /tmp || exit 1
      shift
      exec setpriv --reuid=tamaro-e2e --regid=tamaro-e2e --clear-groups -- "$@"' rig "$tmp" "$@"
  else
    unshare --user --map-root-user true 2>/dev/null || fail "no namespace of its own"
    unshare --user --mount --net --pid --fork --mount-proc --kill-child -- bash -c '
      mount --bind "$1" /tmp || exit 1
      shift
      exec "$@"' rig "$tmp" "$@"
  fi
}

WIDTH=1280
HEIGHT=1024
# What the desktop shows where no window is: one plain colour.
DESKTOP_COLOUR=3a6ea5

# Waits until a command succeeds, at most $1 tenths of a second.
wait_until() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# The X displays that have a socket now, one a line.
x_displays() {
  ls /tmp/.X11-unix 2>/dev/null | sed -n 's/^X\([0-9]*\)$/:\1/p' | sort
}

# The X display that appeared since the list $1 was taken.
new_x_display() {
  comm -13 <(echo "$1") <(x_displays) | head -1
}

compositor_alive() {
  kill -0 "$COMPOSITOR_PID" 2>/dev/null
}

start_compositor() {
  COMPOSITOR=$1
  SCALE=${2:-1}
  local before
  before=$(x_displays)
  case $COMPOSITOR in
    sway) start_sway ;;
    weston) start_nested weston ;;
    mutter) start_nested mutter ;;
    kwin) start_nested kwin ;;
    *) fail "unknown compositor $COMPOSITOR" ;;
  esac
  wait_until 150 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY_NAME" || fail "$COMPOSITOR made no Wayland socket"
  # Each starts its XWayland display when it starts, or at its first X client.
  wait_until 150 test -n "$(new_x_display "$before${OUTER_DISPLAY:+$'\n'$OUTER_DISPLAY}")" ||
    fail "$COMPOSITOR made no X display"
  XWAYLAND_DISPLAY=$(new_x_display "$before${OUTER_DISPLAY:+$'\n'$OUTER_DISPLAY}")
  # mutter's XWayland lets in only the X clients that show its cookie.
  if [ "$COMPOSITOR" = mutter ]; then
    wait_until 50 sh -c 'ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*' || fail "mutter made no X cookie"
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -1)
    export XAUTHORITY
  fi
  compositor_alive || fail "$COMPOSITOR ended at its start"
}

# Ends a process of the test's, by force when it does not end within 5 s.
stop_process() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

stop_compositor() {
  stop_process "${KEYBOARD_PID:-}"
  stop_process "${COMPOSITOR_PID:-}"
  stop_process "${DBUS_PID:-}"
  stop_process "${XVFB_PID:-}"
  KEYBOARD_PID= COMPOSITOR_PID= DBUS_PID= XVFB_PID=
}

# ---- sway, headless ----

start_sway() {
  cat > "$WORK/sway.conf" <<EOF
output HEADLESS-1 resolution ${WIDTH}x$HEIGHT scale $SCALE bg #$DESKTOP_COLOUR solid_color
xwayland force
default_border normal
default_floating_border normal
focus_on_window_activation focus
EOF
  env -u DISPLAY -u WAYLAND_DISPLAY WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$WORK/sway.conf" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  wait_until 100 sh -c 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock' || fail "sway did not start"
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
  export SWAYSOCK
  wait_until 50 swaymsg -t get_version || fail "sway does not answer"
  WAYLAND_DISPLAY_NAME=$(ls "$XDG_RUNTIME_DIR" | grep -E '^wayland-[0-9]+$' | head -1)
  # A keyboard that stays: each wtype that types adds its own for as long as
  # it runs, and a client that only then learns of a keyboard misses the
  # first press.
  WAYLAND_DISPLAY=$WAYLAND_DISPLAY_NAME wtype -k Shift_L -s 2000000000 >/dev/null 2>&1 &
  KEYBOARD_PID=$!
}

# ---- weston, mutter and kwin, each in a window on Xvfb ----

start_nested() {
  SCREEN_SIZE=${WIDTH}x$HEIGHT start_xvfb
  OUTER_DISPLAY=$DISPLAY
  WAYLAND_DISPLAY_NAME=wayland-tamaro
  case $1 in
    weston)
      cat > "$WORK/weston.ini" <<EOF
[core]
xwayland=true
[shell]
background-color=0xff$DESKTOP_COLOUR
panel-position=none
[output]
name=X1
scale=$SCALE
EOF
      weston --backend=x11-backend.so --use-pixman --width=$WIDTH --height=$HEIGHT \
        --socket=$WAYLAND_DISPLAY_NAME --config="$WORK/weston.ini" --xwayland >"$WORK/compositor.log" 2>&1 &
      ;;
    mutter)
      start_session_bus
      MUTTER_DEBUG_DUMMY_MODE_SPECS=${WIDTH}x$HEIGHT mutter --nested --wayland --wayland-display $WAYLAND_DISPLAY_NAME >"$WORK/compositor.log" 2>&1 &
      ;;
    kwin)
      start_session_bus
      # A copy without the packaged binary's file capability, which a
      # container may refuse to run.
      cp "$(command -v kwin_wayland)" "$WORK/kwin_wayland"
      KWIN_COMPOSE=Q "$WORK/kwin_wayland" --x11-display "$OUTER_DISPLAY" --width $WIDTH --height $HEIGHT \
        --socket $WAYLAND_DISPLAY_NAME --xwayland --no-lockscreen --no-kactivities >"$WORK/compositor.log" 2>&1 &
      ;;
  esac
  COMPOSITOR_PID=$!
  unset DISPLAY
  # The pointer rests on the compositor's window (at the screen's corner, with
  # no window manager on Xvfb), so that the keys go there.
  wait_until 100 outer xdotool search --name '.' || true
  outer xdotool mousemove 1 1
}

start_session_bus() {
  local address
  address=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile | head -2 | tr '\n' ' ')
  export DBUS_SESSION_BUS_ADDRESS=${address%% *}
  DBUS_PID=$(echo "$address" | awk '{print $2}')
}

# Runs a command against the Xvfb screen that the compositor is a window on.
outer() {
  DISPLAY=$OUTER_DISPLAY "$@"
}

# ---- what a player does ----

# Runs a Wayland client of the test's own on the compositor.
wl() {
  WAYLAND_DISPLAY=$WAYLAND_DISPLAY_NAME "$@"
}

# Presses keys by their X names (F2, Left, space, alt+g), one after another:
# on sway natively with wtype; for X clients on sway through XWayland's own
# XTEST, as the keymap of wtype's keyboards has no Alt that XWayland could
# pass on (keys_for_x_clients gives XWayland a whole keymap first); on the
# others through the Xvfb screen they run on.
press() {
  local key
  for key in "$@"; do
    case $COMPOSITOR-${KEYS_TO_X:-} in
      sway-) case $key in
          *+*) wl wtype -M "${key%%+*}" -k "${key#*+}" -m "${key%%+*}" ;;
          *) wl wtype -k "$key" ;;
        esac ;;
      sway-1) DISPLAY=$XWAYLAND_DISPLAY xdotool key "$key" ;;
      *) outer xdotool key "$key" ;;
    esac
    sleep 0.15
  done
}

keys_for_x_clients() {
  KEYS_TO_X=1
  [ "$COMPOSITOR" = sway ] || return 0
  wait_until 50 env DISPLAY="$XWAYLAND_DISPLAY" setxkbmap us || fail "XWayland took no keymap"
}

# The whole output as the compositor shows it, in device pixels.
screenshot() {
  if [ "$COMPOSITOR" = sway ]; then
    wl grim "$1"
  else
    outer import -window root "$1"
  fi
}
