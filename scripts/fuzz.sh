#!/usr/bin/env bash
# Builds the libFuzzer target of model building with clang++ and AddressSanitizer/UBSan into
# build-fuzz, then runs it for SEGUNDOS seconds (default 60; 0 only builds it).
#   scripts/fuzz.sh [SEGUNDOS]
# clang and its runtime libraries (libFuzzer, sanitizers) are installed from the
# distribution's packages when missing. The corpus grows in build-fuzz/corpus, seeded with
# the bundled example; an input that crashes is kept as build-fuzz/crash-*.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-60}
[[ "$segundos" =~ ^[0-9]+$ ]] || { echo "Uso: scripts/fuzz.sh [SEGUNDOS]"; exit 2; }
source "$raiz/scripts/dependencias.sh"
instalar_faltantes clang libclang-rt-dev
build="$raiz/build-fuzz"
cmake -S "$raiz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DORVELTA_FUZZ=ON -DORVELTA_SANITIZE=ON \
  -DORVELTA_TESTS=OFF -DORVELTA_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzzLectura -j "$(nproc)"
[ "$segundos" -gt 0 ] || exit 0
mkdir -p "$build/corpus"
cp "$raiz/ingresoDatos.txt" "$build/corpus/"
"$build/fuzz/fuzzLectura" -max_total_time="$segundos" -artifact_prefix="$build/" "$build/corpus"
