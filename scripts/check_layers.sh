#!/usr/bin/env bash
# Fails, naming the file, line and include, when a folder under src/ includes
# one it may not: the layers run from the top down, and the four middle
# folders stand side by side without including each other. Outside platform/
# nothing includes a Qt, SDL or X header, nor a header in a folder below
# platform/: the rest of the game sees only the headers at its top.
#
#   main.cpp
#   shell/                               drives the whole Game
#   engine/  view/  ranking/  panel/     each works on its own records
#   patterns/
#   core/                                the records all of them share
#   platform/                            Qt, SDL and X, nowhere else
#   resources/ (templates and ids) may be included from any layer.
set -u
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# What each folder may include besides itself and resources/.
allowed() {
  case $1 in
    main.cpp) echo "shell platform" ;;
    shell) echo "engine view ranking panel patterns core platform" ;;
    engine | view | ranking | panel) echo "patterns core platform" ;;
    patterns) echo "core platform" ;;
    core) echo "platform" ;;
    platform) echo "" ;;
    *) echo "?" ;;
  esac
}

# Every include of a file as "line:<target>" or "line:"target"".
includes() {
  grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<[^>]+>|"[^"]+")' "$1" |
    sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*/\1:/'
}

status=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  folder=${rel%%/*}
  may=$(allowed "$folder")
  if [ "$may" = "?" ]; then
    echo "$rel: a folder the layer table does not know"
    status=1
    continue
  fi
  while IFS=: read -r line include; do
    target=${include:1:-1}
    if [ "$folder" != platform ]; then
      case $include in
        \<Q* | \<SDL* | \<xcb/* | \<X11/*)
          echo "$rel:$line: includes $include, but only platform/ may include Qt, SDL or X headers"
          status=1
          continue
          ;;
        \"platform/*/*\")
          echo "$rel:$line: includes $include, but outside platform/ only the headers at its top may be included"
          status=1
          continue
          ;;
      esac
    fi
    [ "${include:0:1}" = '"' ] || continue
    to=${target%%/*}
    case " $folder resources $may " in
      *" $to "*) ;;
      *)
        echo "$rel:$line: includes \"$target\", but $folder may include only: $folder resources ${may:-(nothing else)}"
        status=1
        ;;
    esac
  done < <(includes "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
[ "$status" -eq 0 ] && echo "every include runs downward"
exit "$status"
