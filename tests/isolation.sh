#!/usr/bin/env bash
# Neither harness lets a test see the player's own folders: with HOME and
# every XDG folder pointing at planted ones (a zoom of 2 and of 3 among them),
# the test main's main window and zoom tests still pass, the shell harness
# hands out folders of its own, and nothing in the planted folders changes.
set -u
test_shell=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/harness.sh"

planted=$scratch/planted
mkdir -p "$planted/home/.config/tamaro" "$planted/config/tamaro" "$planted/data" "$planted/state" "$planted/cache"
mkdir -m 700 "$planted/runtime"
echo zoom=2 >"$planted/home/.config/tamaro/settings"
echo zoom=3 >"$planted/config/tamaro/settings"
as_player() {
  HOME=$planted/home XDG_CONFIG_HOME=$planted/config XDG_DATA_HOME=$planted/data XDG_STATE_HOME=$planted/state \
    XDG_CACHE_HOME=$planted/cache XDG_RUNTIME_DIR=$planted/runtime "$@"
}
before=$(cd "$planted" && find . -printf '%p %m %s\n' | sort && find . -type f -exec md5sum {} + | sort)

as_player "$test_shell" --gtest_filter='MainWindowTest.theFirstRunOpensCentredTopmostWithTheExactClientArea:ZoomTest.theChoiceIsKeptApartFromTheDataFileAndDamageMeansX1' \
  >"$scratch/unit.log" 2>&1 || fail "the unit tests saw the planted folders: $(tail -30 "$scratch/unit.log")"

# The shell harness, sourced as a test sources it: its folders lie in its own
# scratch folder, the runtime folder is the owner's alone, and all of it is
# gone once the test ends.
as_player sh -c '. "$1"; echo "$scratch"; stat -c %a "$XDG_RUNTIME_DIR"; for f in "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"; do [ -d "$f" ] && echo "$f"; done' \
  sh "$here/harness.sh" >"$scratch/shell.log" || fail "the shell harness failed"
{
  read -r own
  read -r mode
  [ "$mode" = 700 ] || fail "the runtime folder has mode $mode"
  count=0
  while read -r folder; do
    case $folder in "$own"/*) count=$((count + 1)) ;; *) fail "$folder is not in the test's own folder $own" ;; esac
  done
  [ "$count" -eq 6 ] || fail "the shell harness set $count of the six folders: $(cat "$scratch/shell.log")"
} <"$scratch/shell.log"
[ -e "$own" ] && fail "the shell harness left $own behind"

after=$(cd "$planted" && find . -printf '%p %m %s\n' | sort && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "a test wrote in the player's folders: $(diff <(echo "$before") <(echo "$after"))"
echo "isolation test passed"
