#!/usr/bin/env bash
# Fails, naming the file, line and include, when a folder under src/ includes
# one it may not: the layers run from the top down, and the four middle
# folders stand side by side without including each other.
#
#   main.cpp
#   shell/                               drives the whole Game
#   engine/  view/  ranking/  panel/     each works on its own records
#   patterns/
#   core/                                the records all of them share
#   platform/                            Qt and SDL, nowhere else
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
  while IFS=: read -r line target; do
    to=${target%%/*}
    case " $folder resources $may " in
      *" $to "*) ;;
      *)
        echo "$rel:$line: includes \"$target\", but $folder may include only: $folder resources ${may:-(nothing else)}"
        status=1
        ;;
    esac
  done < <(grep -n -o -E '^#include "[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"/\1:\2/')
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
[ "$status" -eq 0 ] && echo "every include runs downward"
exit "$status"
