#!/bin/sh
# Makes the screenshots of the metainfo with the game itself under a private
# Xvfb: the title screen as a first run shows it, and a game in play.
# Usage: dist/make_screenshots.sh <built tamaro program> [output folder]
set -eu
program=$(readlink -f "$1")
out=$(readlink -f "${2:-$(dirname "$0")/screenshots}")
mkdir -p "$out"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tamaro-screenshots.XXXXXX")
xvfb=
game=
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$scratch/display")
# A private runtime folder keeps the single-instance lock apart from a running copy.
XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DISPLAY XDG_RUNTIME_DIR SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb

# An empty working directory: the defaults of a first run.
mkdir "$scratch/work"
cd "$scratch/work"
"$program" &
game=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name 'タマロ' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }

# The title animation and the start-up effect settle first.
sleep 3
import -window "$window" "$out/title.png"

xdotool windowfocus --sync "$window"
xdotool key alt+g
sleep 0.5
xdotool key k
sleep 1
# A few pieces dropped about the well, then one left falling.
for keys in "Left Left Left space" "Right Right space" "Left space" "space" \
    "Right Right Right space" "Left Left space" "Right space" "Left Left Left space"; do
    # shellcheck disable=SC2086
    xdotool key --delay 80 $keys
    sleep 0.6
done
xdotool key Right
sleep 1.2
import -window "$window" "$out/play.png"
echo "screenshots written to $out"
