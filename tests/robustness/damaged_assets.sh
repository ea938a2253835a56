#!/usr/bin/env bash
# The program with one asset file missing or damaged: for each of the twelve files in turn, removed,
# truncated (to nothing, to 16 bytes, to half) and replaced by the same number of random bytes. Each
# case runs the real program on its own virtual X display, in a temporary copy of models/ and
# textures/ with that one file changed. It must draw at least 100 frames, switch systems three
# times on the S key (each switch loads the street model anew, seen by the preloaded counter), end
# on Escape with status 0 and name the damaged file in exactly one line of standard error, and no
# other asset file.
# Usage: damaged_assets.sh <kreuzvia> <repository root> <frame counter .so> <random_bytes>
#                          [--jobs N] [--only FILE]
set -uo pipefail
prog="$(realpath "$1")"
root="$(realpath "$2")"
shim="$(realpath "$3")"
random_bytes="$(realpath "$4")"
shift 4
jobs=2
only=""
while [ $# -gt 0 ]; do
  case "$1" in
    --jobs) jobs="$2"; shift 2 ;;
    --only) only="$2"; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

files=(models/street.x models/traffic.x models/ped.x textures/street.jpg
       textures/Traffic_Red.jpg textures/Traffic_RedOrange.jpg textures/Traffic_Green.jpg
       textures/Traffic_Orange.jpg textures/Traffic_Off.jpg textures/Ped_Red.jpg
       textures/Ped_Green.jpg textures/Ped_Off.jpg)
damages=(removed empty cut16 half random)
switches=3
# The preloaded counter and a sanitized program do not share the first place in the library list.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

results="$(mktemp -d /tmp/kz-faults.XXXXXX)"
trap 'rm -rf "$results"' EXIT

# Changes `file` under `dir` as `damage` says.
damage_file() {
  local dir="$1" file="$2" damage="$3" path="$1/$2" size
  size=$(stat -c %s "$path")
  case "$damage" in
    removed) rm -f "$path" ;;
    empty) truncate -s 0 "$path" ;;
    cut16) truncate -s 16 "$path" ;;
    half) truncate -s $((size / 2)) "$path" ;;
    random) "$random_bytes" "$size" "$(printf '%s' "$file" | cksum | cut -d' ' -f1)" >"$path" ;;
  esac
}

# Reads "<frames> <street loads>" from the counter file (0 0 before the first frame).
counts() {
  local line
  line="$(cat "$1" 2>/dev/null)"
  [ -n "$line" ] && echo "$line" || echo "0 0"
}

# Waits up to 60 s until the program shows at least `frames` frames and `loads` street loads.
wait_for() {
  local count_file="$1" pid="$2" frames="$3" loads="$4" f l
  for _ in $(seq 1 600); do
    read -r f l <<<"$(counts "$count_file")"
    [ "$f" -ge "$frames" ] && [ "$l" -ge "$loads" ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Runs one case on the current display; prints one result line; returns non-zero on failure.
run_case() {
  local file="$1" damage="$2" work pid status f l named assets
  work="$(mktemp -d /tmp/kz-fault-case.XXXXXX)"
  cp -r "$root/models" "$root/textures" "$work/"
  damage_file "$work" "$file" "$damage"
  (cd "$work" && KZ_FRAME_COUNT_FILE="$work/count" LD_PRELOAD="$shim" exec "$prog") \
    >"$work/out" 2>"$work/err" &
  pid=$!
  local problem=""
  if ! wait_for "$work/count" "$pid" 100 1; then
    problem="did not reach 100 frames"
  fi
  for i in $(seq 1 $switches); do
    [ -n "$problem" ] && break
    read -r f l <<<"$(counts "$work/count")"
    xdotool key s
    wait_for "$work/count" "$pid" $((f + 5)) $((1 + i)) || problem="switch $i not taken"
  done
  read -r f l <<<"$(counts "$work/count")"
  kill -0 "$pid" 2>/dev/null || problem="${problem:-ended by itself}"
  xdotool key Escape
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
    problem="${problem:-Escape did not end it}"
  fi
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || problem="${problem:-exit status $status}"
  named=$(grep -cF "$file" "$work/err")
  assets=$(grep -cE "models/|textures/" "$work/err")
  [ "$named" -eq 1 ] || problem="${problem:-named $named times on standard error}"
  [ "$assets" -eq 1 ] || problem="${problem:-$assets lines name asset files}"
  if [ -n "$problem" ]; then
    echo "FAIL $file $damage: $problem ($f frames, $l street loads, status $status)"
    sed 's/^/    stderr: /' "$work/err" | head -n 20
  else
    echo "ok   $file $damage: $f frames, $((l - 1)) switches, status 0, named once: $(head -c 120 "$work/err" | head -n 1)"
  fi
  rm -rf "$work"
  [ -z "$problem" ]
}

# One worker: its own X server, every `jobs`-th case starting at `index`.
worker() {
  local index="$1" n=0 fd_file xvfb display rc=0
  fd_file="$results/display.$index"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  display="$(head -n 1 "$fd_file")"
  if [ -z "$display" ]; then
    echo "FAIL worker $index: no X server"
    kill "$xvfb" 2>/dev/null
    return 1
  fi
  export DISPLAY=":$display"
  for file in "${files[@]}"; do
    [ -n "$only" ] && [ "$file" != "$only" ] && continue
    for damage in "${damages[@]}"; do
      if [ $((n % jobs)) -eq "$index" ]; then
        run_case "$file" "$damage" || rc=1
      fi
      n=$((n + 1))
    done
  done
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  return $rc
}

start=$(date +%s)
pids=()
for index in $(seq 0 $((jobs - 1))); do
  worker "$index" >"$results/worker.$index" 2>&1 &
  pids+=($!)
done
rc=0
for pid in "${pids[@]}"; do
  wait "$pid" || rc=1
done
cat "$results"/worker.*
passed=$(cat "$results"/worker.* | grep -c '^ok ')
failed=$(cat "$results"/worker.* | grep -c '^FAIL')
echo "damaged assets: $((passed + failed)) cases in $(($(date +%s) - start)) s"
echo "$passed passed, $failed failed"
[ "$rc" -eq 0 ] && [ "$failed" -eq 0 ]
