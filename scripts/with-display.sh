#!/usr/bin/env bash
# Runs a command on a private Xvfb server, so that tests which need a window or the keyboard
# focus can run in parallel without taking each other's focus. Uses the running display when
# CORVALE_SHARED_DISPLAY is set.
set -u
if [ -n "${CORVALE_SHARED_DISPLAY:-}" ] || ! command -v Xvfb > /dev/null; then
  exec "$@"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$fifo" > /dev/null 2>&1 &
xvfb=$!
read -r -t 20 number < "$fifo"
rm -f "$fifo"
if [ -z "${number:-}" ]; then
  kill "$xvfb" 2> /dev/null
  echo "with-display: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$xvfb" 2> /dev/null
wait "$xvfb" 2> /dev/null
exit $status
