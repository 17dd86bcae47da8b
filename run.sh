#!/usr/bin/env bash
# Builds ORVELTA and runs it on the file given as argument or, without one, on the bundled
# example. The program runs in the caller's folder: a relative path names a file there.
# ORVELTA_BUILD, as in test.sh, is the build folder (a relative one inside the repository).
set -euo pipefail
raiz=$(dirname "$(readlink -f "$0")")
source "$raiz/scripts/dependencias.sh"
"$raiz/scripts/compilar.sh"
build=${ORVELTA_BUILD:-build}
[[ "$build" = /* ]] || build="$raiz/$build"
codigo=0
"$build/orvelta" "${1:-$raiz/ingresoDatos.txt}" || codigo=$?
[ -n "${DISPLAY:-}" ] || echo "Sin pantalla (DISPLAY vacío): el visor necesita una para abrir su ventana."
exit "$codigo"
