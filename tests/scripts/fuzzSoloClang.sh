#!/usr/bin/env bash
# Configuring the libFuzzer target with g++ stops at configure time with one message that
# names the way to build it, instead of failing on every file at build time.
#
# Usage: fuzzSoloClang.sh RAIZ
set -euo pipefail

raiz=$1
command -v g++ >/dev/null || { echo "Prueba omitida: no hay g++."; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

codigo=0
cmake -S "$raiz" -B "$dir" -DCMAKE_CXX_COMPILER=g++ -DORVELTA_FUZZ=ON >"$dir/salida.txt" 2>&1 || codigo=$?
# CMake wraps the message at spaces: compare it with the lines joined.
mensaje=$(tr -s ' \n' ' ' <"$dir/salida.txt")
if [ "$codigo" -eq 0 ] ||
   [[ "$mensaje" != *"ORVELTA_FUZZ=ON necesita clang++ (libFuzzer) y el compilador es GNU: use scripts/fuzz.sh"* ]]; then
  cat "$dir/salida.txt"
  echo "FALLA: ORVELTA_FUZZ=ON con g++ (código $codigo) sin el mensaje que pide clang++"
  exit 1
fi
echo "ORVELTA_FUZZ con g++: se detiene con su mensaje"
