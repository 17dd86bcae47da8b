#!/usr/bin/env bash
# Builds ORVELTA and its tests and runs them; the viewer tests get a private Xvfb display
# when there is none.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/dependencias.sh
scripts/compilar.sh
source scripts/pantalla.sh
ctest --test-dir "${ORVELTA_BUILD:-build}" --output-on-failure -j "$(nproc)"
