#!/bin/sh
# The desktop launcher of an installed game: it runs the game in the player's
# data folder, created when missing, so the data file lands there and a data
# file copied there loads; a folder it cannot use leaves one line on standard
# error and a game with the defaults that still starts and ends cleanly.
set -eu
build=$1
. "$(dirname "$0")/common.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    fail "cmake --install failed: $(cat "$scratch/install.log")"
start_xvfb
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
unset XDG_DATA_HOME
TMPDIR=$scratch/tmp
mkdir "$TMPDIR" "$scratch/desktop"
export TMPDIR
# The desktop starts programs in some folder of its own; nothing may land there.
cd "$scratch/desktop"

# Starts the launcher, waits for the window, checks the game's working
# directory is $1, then ends it with SIGTERM and expects exit code 0.
play_in() {
    "$prefix/bin/tamaro-launcher" 2>"$scratch/stderr" &
    launcher=$!
    wait_for_window >/dev/null || fail "no window appeared: $(cat "$scratch/stderr")"
    game=$(game_of "$launcher") || fail "no game process"
    [ "$(readlink "/proc/$game/cwd")" = "$1" ] ||
        fail "the game runs in $(readlink "/proc/$game/cwd"), not $1"
    kill -TERM "$launcher"
    wait_for_exit "$launcher"
    [ "$ended" -eq 0 ] || fail "the launcher ended with $ended: $(cat "$scratch/stderr")"
}

# A missing data folder is made, several levels deep, and the data file is written in it.
XDG_DATA_HOME=$scratch/xdg/data
export XDG_DATA_HOME
folder=$XDG_DATA_HOME/tamaro
play_in "$folder"
[ "$(stat -c %s "$folder/tm_data.dat")" -eq 312 ] || fail "no 312-byte data file in $folder"
grep -q '^tamaro:' "$scratch/stderr" && fail "complaint with a usable folder: $(cat "$scratch/stderr")"

# A data file copied into the folder loads unchanged: a table whose first row
# scores 123456 is written back as it was read.
printf '\000\000\000\000\000\044\376\100' |
    dd of="$folder/tm_data.dat" bs=1 seek=0 conv=notrunc status=none
cp "$folder/tm_data.dat" "$scratch/copied.dat"
play_in "$folder"
cmp -n 264 "$scratch/copied.dat" "$folder/tm_data.dat" || fail "the copied table did not survive a run"

# A relative XDG_DATA_HOME is ignored in favour of ~/.local/share.
XDG_DATA_HOME=relative/data
play_in "$HOME/.local/share/tamaro"
[ -f "$HOME/.local/share/tamaro/tm_data.dat" ] || fail "no data file under ~/.local/share/tamaro"

# A data folder that cannot be created: the game runs with the defaults from a
# scratch folder, which is gone afterwards, and says so in one line.
touch "$scratch/plain-file"
XDG_DATA_HOME=$scratch/plain-file/data
"$prefix/bin/tamaro-launcher" 2>"$scratch/stderr" &
launcher=$!
wait_for_window >/dev/null || fail "no window with an unusable data folder: $(cat "$scratch/stderr")"
game=$(game_of "$launcher") || fail "no game process"
case $(readlink "/proc/$game/cwd") in
"$TMPDIR"/tamaro.*) ;;
*) fail "the game runs in $(readlink "/proc/$game/cwd"), not a scratch folder" ;;
esac
kill -TERM "$launcher"
wait_for_exit "$launcher"
[ "$ended" -eq 0 ] || fail "the launcher ended with $ended: $(cat "$scratch/stderr")"
[ "$(grep -c '^tamaro:' "$scratch/stderr")" -eq 1 ] || fail "not one line on standard error: $(cat "$scratch/stderr")"
expected="tamaro: cannot use the data folder $scratch/plain-file/data/tamaro (Not a directory); playing with the default table and settings, nothing will be saved"
grep -qxF "$expected" "$scratch/stderr" || fail "unexpected message: $(cat "$scratch/stderr")"
[ -z "$(ls -A "$TMPDIR")" ] || fail "the scratch folder was left behind: $(ls -A "$TMPDIR")"
[ -z "$(ls -A "$scratch/desktop")" ] || fail "files landed in the desktop's folder: $(ls -A "$scratch/desktop")"
echo "launcher passed"
