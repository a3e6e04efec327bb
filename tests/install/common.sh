# Shared by the install tests: the harness (a scratch folder, HOME and XDG
# folders of the test's own, a private X server) and waiting on a started game.
. "$(dirname "$0")/../harness.sh"

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
