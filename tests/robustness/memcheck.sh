#!/usr/bin/env bash
# valgrind memcheck of a short run of the whole program (memcheck_run: real window, OpenGL device on
# llvmpipe, both systems, switches, teardown by closing the window). Suppressions cover the graphics
# driver, X11, fontconfig and SDL internals only (tools/valgrind.supp). Fails on any unsuppressed
# error and on any definitely lost block.
# Runs from the repository root, where the models and textures are.
# Usage: memcheck.sh <memcheck_run> <repository root> [frames per key]; needs DISPLAY (skips, 77,
# without).
set -uo pipefail
run="$(realpath "$1")"
root="$(realpath "$2")"
supp="$root/tools/valgrind.supp"
frames="${3:-2}"
cd "$root"
[ -f models/street.x ] || { echo "memcheck: no models/ under $root"; exit 1; }
if [ -z "${DISPLAY:-}" ]; then
  echo "no X display: skipped"
  exit 77
fi
if ! command -v valgrind >/dev/null; then
  echo "no valgrind: skipped"
  exit 77
fi
log="$(mktemp /tmp/kz-memcheck.XXXXXX)"
trap 'rm -f "$log"' EXIT
start=$(date +%s)
# --keep-debuginfo: the GL driver is unloaded at exit, before the leak check names its frames.
LIBGL_ALWAYS_SOFTWARE=1 valgrind --tool=memcheck --keep-debuginfo=yes --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite --error-exitcode=99 \
  --num-callers=40 --suppressions="$supp" --log-file="$log" "$run" "$frames"
status=$?
seconds=$(($(date +%s) - start))
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable|suppressed:" "$log"
echo "memcheck: $frames frames per key, $seconds s, exit status $status"
if [ "$status" -eq 77 ]; then
  exit 77
fi
if [ "$status" -ne 0 ]; then
  sed -n '/^==[0-9]*== .*\(Invalid\|uninitialised\|Mismatched\|Conditional jump\|Syscall param\|definitely lost in loss\)/,/^==[0-9]*== $/p' \
    "$log" | head -n 200
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
