# Shared by the install tests: a private X server and a scratch folder that
# go away when the test ends, and waiting on a started game.

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tamaro-install-test.XXXXXX")
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a display number it picks itself, so tests running at the
# same time never meet; exports DISPLAY once the server answers.
# -noreset: a server that resets when its last client leaves (a finished
# xdotool) refuses the game's connection meanwhile.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$scratch/display" ]; then
            DISPLAY=:$(head -n 1 "$scratch/display")
            export DISPLAY
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
}

# A private runtime folder keeps the game's single-instance lock apart from
# any copy a developer has running.
private_runtime() {
    XDG_RUNTIME_DIR=$scratch/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
}

# Waits up to 30 s for the game's window to be mapped; prints its id.
wait_for_window() {
    for _ in $(seq 300); do
        if window=$(xdotool search --onlyvisible --name 'タマロ' 2>/dev/null | head -n 1) && [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 30 s for child process $1 to end; its exit status becomes $ended.
wait_for_exit() {
    for _ in $(seq 300); do
        # The state letter follows the command name in parentheses.
        case $(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) in
        '' | Z*)
            ended=0
            wait "$1" || ended=$?
            return 0
            ;;
        esac
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    fail "process $1 did not end within 30 s of SIGTERM"
}

# The game started by launcher $1: the launcher itself once it has become the
# game, else its child.
game_of() {
    if [ "$(cat "/proc/$1/comm")" = tamaro ]; then
        echo "$1"
        return 0
    fi
    for stat in /proc/[0-9]*/stat; do
        # Parent pid is the second field after the command name in parentheses.
        set -- "$1" $(sed 's/.*) //' "$stat" 2>/dev/null)
        if [ "${3:-}" = "$1" ] && [ "$(cat "${stat%stat}comm" 2>/dev/null)" = tamaro ]; then
            echo "${stat#/proc/}" | cut -d/ -f1
            return 0
        fi
    done
    return 1
}
