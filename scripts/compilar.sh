#!/usr/bin/env bash
# Configures and builds into ${ORVELTA_BUILD:-build} (a relative path is taken from the
# repository, whatever the caller's folder); extra CMake arguments in ORVELTA_CMAKE_ARGS.
# An up-to-date build prints nothing: only what is compiled, warnings and errors show.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVELTA_BUILD:-build}
[[ "$build" = /* ]] || build="$raiz/$build"
# shellcheck disable=SC2086
cmake -S "$raiz" -B "$build" ${ORVELTA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)" 2>&1 |
  { grep -v -E '^\[ *[0-9]+%\] Built target |^Consolidate compiler generated dependencies|^ninja: no work to do' || true; }
