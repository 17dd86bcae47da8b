#!/usr/bin/env bash
# Sourced: starts a private Xvfb server when there is no display, and stops it on exit.
if [ -z "${DISPLAY:-}" ]; then
  archivo=$(mktemp)
  # -noreset: without it the server resets whenever its last client leaves, and a window
  # opened during the reset fails ("failed to open display"), as parallel GL tests do.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$archivo" 2>/dev/null &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$archivo"' EXIT
  for _ in $(seq 100); do [ -s "$archivo" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$archivo")"
fi
