#!/usr/bin/env bash
# Sourced: gives the GL tests a display and exports it in DISPLAY and ORVELTA_PANTALLA (which
# scripts/conPantalla.sh, the wrapper of every GL test, then uses too).
# ORVELTA_PANTALLA names the display to use, for someone who wants to watch the tests
# (ORVELTA_PANTALLA=:0 ./test.sh). Otherwise a private Xvfb of 1280x1024x24 is started,
# whatever DISPLAY holds: the tests move the pointer, type and read the whole screen, so
# they never run on the user's desktop, and they always see a screen of the size they
# were written for. The server stops when the sourcing shell exits.

iniciar_xvfb() {
  xvfb_archivo=$(mktemp)
  xvfb_registro=$(mktemp)
  # -noreset: without it the server resets whenever its last client leaves, and a window
  # opened during the reset fails ("failed to open display"), as parallel GL tests do.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$xvfb_archivo" 2>"$xvfb_registro" &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$xvfb_archivo" "$xvfb_registro"' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # The server writes its display number once it accepts clients.
  for _ in $(seq 200); do
    [ -s "$xvfb_archivo" ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
    sleep 0.05
  done
  if [ ! -s "$xvfb_archivo" ]; then
    cat "$xvfb_registro"
    echo "No se pudo iniciar Xvfb para las pruebas del visor."
    exit 1
  fi
  export ORVELTA_PANTALLA=":$(cat "$xvfb_archivo")"
}

[ -n "${ORVELTA_PANTALLA:-}" ] || iniciar_xvfb
export DISPLAY="$ORVELTA_PANTALLA"
