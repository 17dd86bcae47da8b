#!/usr/bin/env bash
# Configures and builds into ${ORVELTA_BUILD:-build}; extra CMake arguments in ORVELTA_CMAKE_ARGS.
set -euo pipefail
build="${ORVELTA_BUILD:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$build" ${ORVELTA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)"
