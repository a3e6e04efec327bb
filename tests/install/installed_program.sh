#!/bin/sh
# Installs the game into a scratch prefix and starts the installed program
# under Xvfb from a working directory that holds nothing; it must find and play
# its installed sounds, write its 312-byte data file there and end with exit
# code 0 on SIGTERM.
set -eu
build=$1
. "$(dirname "$0")/common.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    fail "cmake --install failed: $(cat "$scratch/install.log")"
for file in bin/tamaro bin/tamaro-launcher share/tamaro/sound/chime.wav \
    share/applications/io.github.tamaro.Tamaro.desktop \
    share/metainfo/io.github.tamaro.Tamaro.metainfo.xml \
    share/icons/hicolor/scalable/apps/io.github.tamaro.Tamaro.svg; do
    [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/io.github.tamaro.Tamaro.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "$icon is not $size pixels square"
done
[ -x "$prefix/bin/tamaro-launcher" ] || fail "the launcher is not executable"

start_xvfb
work=$scratch/work
mkdir "$work"
cd "$work"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$scratch/audio.raw QT_QPA_PLATFORM=xcb \
    "$prefix/bin/tamaro" 2>"$scratch/stderr" &
game=$!
window=$(wait_for_window) || fail "no window appeared: $(cat "$scratch/stderr")"

# A game with one long drop plays the landing sound from the installed data folder.
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 320)) $((Y + 240))
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+g
sleep 0.5
xdotool key k
sleep 0.8
xdotool key space
sleep 1.5
heard=$(tr -d '\000' <"$scratch/audio.raw" | head -c 64 | wc -c)
[ "$heard" -gt 0 ] || fail "no sound reached the audio device: the installed sounds were not found"

kill -TERM "$game"
wait_for_exit "$game"
[ "$ended" -eq 0 ] || fail "the program ended with $ended: $(cat "$scratch/stderr")"
[ -f "$work/tm_data.dat" ] || fail "no data file in the working directory"
size=$(stat -c %s "$work/tm_data.dat")
[ "$size" -eq 312 ] || fail "the data file holds $size bytes, not 312"
echo "installed program passed"
