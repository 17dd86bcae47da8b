#!/usr/bin/env bash
# Builds ORVELTA and runs it on the bundled example (or on the file given as argument).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/dependencias.sh
scripts/compilar.sh
[ -z "${DISPLAY:-}" ] && echo "Sin pantalla (DISPLAY vacío): el visor necesita una para abrir su ventana."
exec ./"${ORVELTA_BUILD:-build}"/orvelta "${1:-ingresoDatos.txt}"
