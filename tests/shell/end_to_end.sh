#!/usr/bin/env bash
# The program end to end on a real X display: keys sent with xdotool, Escape, the window manager's
# close request, and the start without any display.
# Usage: end_to_end.sh <kreuzvia> <repository root> <close_window tool> <display | no-display>
set -uo pipefail
prog="$1"
root="$2"
close_window="$3"
mode="$4"
cd "$root"

fail() {
  echo "FAIL: $*" >&2
  [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
  exit 1
}

# Starts the program and waits for its window; sets pid and win.
start() {
  "$prog" &
  pid=$!
  win=""
  for _ in $(seq 1 300); do
    win="$(xdotool search --name '^Kreuzvia$' 2>/dev/null | head -n 1)"
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window titled Kreuzvia"
  sleep 1
}

# Waits up to 30 s for the program to end and checks its exit status.
expect_exit() {
  local want="$1" what="$2"
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "$what: still running"
  wait "$pid"
  local got=$?
  pid=""
  [ "$got" -eq "$want" ] || fail "$what: exit status $got, expected $want"
}

alive() { kill -0 "$pid" 2>/dev/null || fail "the program ended after $1"; }

# No display at all: the graphics failure is reported on standard error and in the exit status.
if [ "$mode" = "no-display" ]; then
  err="$(mktemp)"
  env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY timeout 60 "$prog" 2>"$err"
  status=$?
  grep -qF "Fehler: Das Direct3D Objekt konnte nicht erstellt werden." "$err" ||
    { cat "$err" >&2; rm -f "$err"; fail "no graphics failure message on standard error"; }
  rm -f "$err"
  [ "$status" -eq 1 ] || fail "without a display: exit status $status, expected 1"
  echo "no display: passed"
  exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "no X display: skipped"
  exit 77
fi

# Keys of both systems, the speed and the camera, each given a few frames; then Escape.
start
for key in e r b o a KP_Add KP_Add KP_Subtract KP_0 Up Left Right Down w s r o b o a s; do
  xdotool key --delay 30 "$key"
  sleep 0.3
  alive "key $key"
done
xdotool keydown Up
sleep 0.5
xdotool keyup Up
alive "holding Up"
xdotool key Escape
expect_exit 0 "Escape"

# The close request of the window manager.
start
"$close_window" "$win" || fail "could not send the close request"
expect_exit 0 "closing the window"

echo "end to end: all passed"
