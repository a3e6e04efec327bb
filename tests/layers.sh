#!/usr/bin/env bash
# scripts/check_layers.sh passes the source tree, and on a scratch copy fails
# on each kind of include it must refuse, naming the file and line.
set -u
check=$1
src=$2
source "$(dirname "$0")/harness.sh"

"$check" "$src" || fail "the source tree breaks its layers"

# Appends include $2 to file $1 of a fresh copy and expects the check to name
# that file and line.
refused() {
  rm -rf "$scratch/src"
  cp -r "$src" "$scratch/src"
  echo "$2" >>"$scratch/src/$1"
  local line out
  line=$(wc -l <"$scratch/src/$1")
  out=$("$check" "$scratch/src") && fail "$1 may include $2: $out"
  grep -q "^$1:$line: includes " <<<"$out" || fail "the check of $2 in $1 did not name $1:$line: $out"
}
refused engine/well.cpp '#include "shell/game.h"'
refused engine/well.cpp '#include "view/balloon.h"'
refused core/grid.h '#include "patterns/pattern_table.h"'
refused view/balloon.cpp '#include <QPainter>'
refused core/random.cpp '  #  include <SDL.h>'
refused shell/game.cpp '#include <SDL2/SDL_audio.h>'
refused panel/side_panel.cpp '#include <xcb/xcb.h>'
refused ranking/ranking.cpp '#include <X11/Xlib.h>'
refused main.cpp '#include <QApplication>'
refused shell/main_window.h '#include "platform/qt/window_data.h"'

# platform/ itself includes Qt, SDL, X and its own folders.
rm -rf "$scratch/src"
cp -r "$src" "$scratch/src"
printf '%s\n' '#include <QWidget>' '#include <SDL.h>' '#include <xcb/xcb.h>' '#include <X11/Xlib.h>' \
  '#include "platform/qt/window_data.h"' >>"$scratch/src/platform/clock.cpp"
out=$("$check" "$scratch/src") || fail "platform/ was refused its own includes: $out"
echo "layers test passed"
