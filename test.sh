#!/usr/bin/env bash
# Builds ORVELTA and its tests and runs them. The viewer tests get a private Xvfb of
# 1280x1024, whatever DISPLAY holds; ORVELTA_PANTALLA=:0 runs them on display :0 instead.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"
source scripts/dependencias.sh
scripts/compilar.sh
source scripts/pantalla.sh
build=${ORVELTA_BUILD:-build}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
