#!/bin/sh
# Makes the screenshots of the metainfo with the game itself: the title screen
# with the pattern charts, and a seeded game in progress (see screenshot_game.cpp).
# Usage: dist/make_screenshots.sh <built tamaro_screenshots program> [output folder]
set -eu
program=$(readlink -f "$1")
out=$(readlink -f "${2:-$(dirname "$0")/screenshots}")
mkdir -p "$out"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tamaro-screenshots.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# A private runtime folder and an empty working folder: the defaults of a first run.
mkdir -m 700 "$scratch/runtime" "$scratch/work"
cd "$scratch/work"
XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$program" "$out"
