# Sourced by every shell test (and by isolated.sh, which runs any other test
# command under it). It gives the test a scratch folder of its own that holds
# HOME, the XDG folders and a private runtime folder, so that nothing the test
# starts reads or writes the player's settings, data, caches or locks; and it
# starts a private X server on request. Whatever the test started is stopped,
# and the folder removed, when the test ends. Sets scratch; POSIX sh.

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tamaro-test.XXXXXX") || exit 1
HOME=$scratch/home
XDG_CONFIG_HOME=$HOME/.config
XDG_DATA_HOME=$HOME/.local/share
XDG_STATE_HOME=$HOME/.local/state
XDG_CACHE_HOME=$HOME/.cache
XDG_RUNTIME_DIR=$scratch/runtime
export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The player's X cookie is of no use on a private server.
unset XAUTHORITY

GAME_PID=
WM_PID=
XVFB_PID=
harness_cleanup() {
    for pid in $GAME_PID $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || :
    done
    rm -rf "$scratch"
}
trap harness_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    # Keep what the private screen showed, for whoever reads the failure.
    if [ -n "$XVFB_PID" ]; then
        import -window root "${TMPDIR:-/tmp}/tamaro-e2e-failure.png" 2>/dev/null || :
    fi
    exit 1
}

# Starts Xvfb of SCREEN_SIZE (1024x768 unless set) and SCREEN_DEPTH bits (24
# unless set) on a display number it
# picks itself, so that tests running side by side never share one; exports
# DISPLAY once the server answers.
# -noreset: a server that resets when its last client leaves (a finished
# xdotool) refuses the next client meanwhile.
start_xvfb() {
    rm -f "$scratch/display"
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x${SCREEN_DEPTH:-24}" -nolisten tcp -noreset \
        3>"$scratch/display" >/dev/null 2>"$scratch/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        if [ -s "$scratch/display" ]; then
            DISPLAY=:$(head -n 1 "$scratch/display")
            export DISPLAY
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "no display could be started: $(cat "$scratch/xvfb.log")"
}
