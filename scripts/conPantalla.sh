#!/usr/bin/env bash
# Runs one GL test command (a test executable, also when it only lists its tests, or the
# end-to-end script) under the display of scripts/pantalla.sh: the one in ORVELTA_PANTALLA
# (test.sh's own Xvfb), else a private Xvfb for this command alone, so plain ctest works
# with no display and never uses the user's. Without Xvfb the test is skipped: exit code 77,
# CTest's SKIP_RETURN_CODE of these tests, with the reason on standard output; a listing
# then names one placeholder test, so that the skip is reported instead of a failed discovery.
set -euo pipefail
marcador=SinPantalla.xvfbNoInstalado
if [ -z "${ORVELTA_PANTALLA:-}" ] && ! command -v Xvfb >/dev/null; then
  for argumento in "$@"; do
    [ "$argumento" = --gtest_list_tests ] && { printf '%s.\n  %s\n' "${marcador%.*}" "${marcador#*.}"; exit 0; }
  done
  echo "Prueba omitida: no hay Xvfb (paquete xvfb) ni ORVELTA_PANTALLA para abrir ventanas."
  exit 77
fi
# CTest keeps a listing until the executable changes: one made without Xvfb is renewed by
# making the executable newer, or the real tests would never run.
if [ "${2:-}" = "--gtest_filter=$marcador" ]; then
  touch "$1"
  echo "Prueba omitida: la lista de pruebas se hizo sin Xvfb; ctest la rehace en su próxima ejecución."
  exit 77
fi
source "$(dirname "$0")/pantalla.sh"
"$@"
