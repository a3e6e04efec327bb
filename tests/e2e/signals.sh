#!/usr/bin/env bash
# Every way the game may end from outside, on the real program under Xvfb, with
# the data file's bytes checked afterwards: SIGTERM during the start-up effect,
# SIGHUP, SIGTERM followed at once by SIGHUP, SIGTERM during the game-over fill
# and while the name dialog is open, the desktop session's requests (also
# while a dialog is open), and the X server going away.
set -u
program=$1
session_manager=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

setup_e2e

# Eleven rows of -1 points, so that any finished game takes rank 1, named
# "Keep 01" to "Keep 11"; settings with gameRunning set, which only a complete
# save clears.
prepare() {
  {
    for r in $(seq -w 1 11); do
      printf '\x00\x00\x00\x00\x00\x00\xf0\xbfKeep %s\x00\x00\x00\x00\x00\x00\x00\x00\x00' "$r"
    done
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    printf '\x00\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    printf '\x00%.0s' $(seq 16)
  } > tm_data.dat
  [ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the prepared data file is not 312 bytes"
  cp tm_data.dat prepared.dat
}

flag_at() { od -An -tu4 -j"$1" -N4 tm_data.dat | tr -d ' '; }

# Waits for the program to end and sets CODE.
wait_end() {
  for _ in $(seq 200); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end ($1)"
  wait "$GAME_PID"
  CODE=$?
  GAME_PID=
}

# The table is the one prepared and the file is 312 bytes, never the defaults.
table_kept() {
  [ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes ($1)"
  cmp -s -n 264 tm_data.dat prepared.dat || fail "the table was not kept ($1)"
}

# A termination request during the start-up effect waits for the load and is
# then honoured with a save. A signal before the handlers exist ends the
# process untouched, which keeps the file too.
for delay in 0.1 0.4 0.7; do
  prepare
  "$program" 2>/dev/null &
  GAME_PID=$!
  sleep "$delay"
  kill -TERM "$GAME_PID"
  wait_end "SIGTERM at $delay s"
  [ "$CODE" -eq 0 ] || [ "$CODE" -eq 143 ] || fail "SIGTERM at $delay s: exit code $CODE"
  table_kept "SIGTERM at $delay s"
done

# SIGHUP saves as SIGTERM does; so does SIGTERM followed at once by SIGHUP,
# with one complete save.
for signals in "HUP" "TERM HUP"; do
  prepare
  "$program" &
  GAME_PID=$!
  wait_for_window
  for s in $signals; do kill -"$s" "$GAME_PID"; done
  wait_end "SIG$signals"
  [ "$CODE" -eq 0 ] || fail "SIG$signals: exit code $CODE"
  table_kept "SIG$signals"
  [ "$(flag_at 288)" = 0 ] || fail "SIG$signals: no complete save"
  ls tm_data.dat.* >/dev/null 2>&1 && fail "SIG$signals: a partial file was left beside the data file"
done

# SIGTERM during the game-over fill: the new score is entered with the name a
# cancel would give it, empty in a run that confirmed none, never with the name
# of the row it pushed down. Eleven drops into the middle column fill it, and
# the fill takes almost three seconds.
prepare
"$program" 2>/dev/null &
GAME_PID=$!
wait_for_window
xdotool key alt+g; sleep 0.4; xdotool key k; sleep 0.8
for _ in $(seq 11); do xdotool key space; sleep 0.3; done
sleep 0.5
kill -TERM "$GAME_PID"
wait_end "SIGTERM during the fill"
[ "$CODE" -eq 0 ] || fail "SIGTERM during the fill: exit code $CODE"
[ "$(od -An -tf8 -N8 tm_data.dat | tr -d ' ')" != "-1" ] || fail "the score of the filled game was not entered"
[ "$(od -An -tu1 -j8 -N1 tm_data.dat | tr -d ' ')" = 0 ] || fail "rank 1 has a name though none was given in this run"
name=$(dd if=tm_data.dat bs=1 skip=32 count=7 2>/dev/null)
[ "$name" = "Keep 01" ] || fail "rank 2 holds '$name', not the row pushed down"

# SIGTERM while the name dialog is open stores the name typed so far beside
# the new score; the row it pushed down keeps its own name.
prepare
"$program" &
GAME_PID=$!
wait_for_window
play_until_name_dialog 40
focus_name_field
xdotool type --delay 50 'Sig Term'
sleep 0.3
kill -TERM "$GAME_PID"
wait_end "SIGTERM in the name dialog"
[ "$CODE" -eq 0 ] || fail "SIGTERM in the name dialog: exit code $CODE"
[ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes after the name dialog"
name=$(dd if=tm_data.dat bs=1 skip=8 count=9 2>/dev/null | tr -d '\0')
[ "$name" = "Sig Term" ] || fail "rank 1 holds '$name', not the name typed when SIGTERM came"
[ "$(od -An -tf8 -N8 tm_data.dat | tr -d ' ')" != "-1" ] || fail "the new score is not at rank 1"
name=$(dd if=tm_data.dat bs=1 skip=32 count=7 2>/dev/null)
[ "$name" = "Keep 01" ] || fail "rank 2 holds '$name', not the row pushed down"

# The desktop session: a checkpoint and a logout that is cancelled leave the
# game running and save; the real end of the session saves and ends it, also
# while a dialog is open, and the name dialog keeps the name typed so far.
start_session() {
  coproc SESSION { "$session_manager" 2>/dev/null; }
  read -r -t 10 SESSION_MANAGER <&"${SESSION[0]}" || fail "the session manager did not start"
  export SESSION_MANAGER
  "$program" 2>/dev/null &
  GAME_PID=$!
  unset SESSION_MANAGER
  wait_for_window
}

# Asks the session for $1 and checks the answer.
ask_session() {
  local answer
  echo "$1" >&"${SESSION[1]}"
  read -r -t 30 answer <&"${SESSION[0]}"
  [ "$answer" = done ] || fail "the game did not answer the session's $1 ($2)"
}

# The end of the session ends the game, which saved.
session_ended() {
  wait_end "the end of the session $1"
  [ "$CODE" -eq 0 ] || fail "the end of the session $1: exit code $CODE"
  [ "$(stat -c %s tm_data.dat)" -eq 312 ] || fail "the data file is not 312 bytes (the end of the session $1)"
  [ "$(flag_at 288)" = 0 ] || fail "no save at the end of the session $1"
  exec {SESSION[1]}>&-
  wait "$SESSION_PID" 2>/dev/null
}

prepare
start_session
for request in checkpoint cancelled; do
  cp prepared.dat tm_data.dat
  ask_session "$request" "while playing"
  sleep 1
  kill -0 "$GAME_PID" 2>/dev/null && xdotool search --onlyvisible --name 'タマロ' >/dev/null 2>&1 ||
    fail "a session $request ended the game"
  [ "$(flag_at 288)" = 0 ] || fail "the session's $request saved nothing"
  table_kept "the session's $request"
done
ask_session end "while playing"
session_ended "while playing"
table_kept "the end of the session while playing"

for dialog in keys about; do
  prepare
  start_session
  case $dialog in
    keys) xdotool key alt+g; sleep 0.4; xdotool key s; sleep 0.4; xdotool key k; title='キーとサウンドの設定' ;;
    about) xdotool key alt+h; sleep 0.4; xdotool key a; title='タマロのバージョン情報' ;;
  esac
  find_window "$title" >/dev/null || fail "the $dialog dialog did not open"
  ask_session end "in the $dialog dialog"
  session_ended "in the $dialog dialog"
  table_kept "the end of the session in the $dialog dialog"
done

prepare
start_session
play_until_name_dialog 40
focus_name_field
xdotool type --delay 50 'Log Out'
sleep 0.3
ask_session checkpoint "in the name dialog"
[ "$(od -An -tf8 -N8 tm_data.dat | tr -d ' ')" != "-1" ] || fail "a checkpoint in the name dialog lost the new score"
ask_session end "in the name dialog"
session_ended "in the name dialog"
name=$(dd if=tm_data.dat bs=1 skip=8 count=9 2>/dev/null | tr -d '\0')
[ "$name" = "Log Out" ] || fail "rank 1 holds '$name', not the name typed when the session ended"

# The X server going away: the program saves before it exits.
prepare
"$program" 2>/dev/null &
GAME_PID=$!
wait_for_window
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null
XVFB_PID=
wait_end "the display gone"
table_kept "the display gone"
[ "$(flag_at 288)" = 0 ] || fail "no save when the display went away"
echo "signals test passed"
