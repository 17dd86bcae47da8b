#!/usr/bin/env bash
# Installs the Debian or Ubuntu packages that building, running and testing need, if any is
# missing. Sourced by run.sh, test.sh, scripts/fuzz.sh and .ci/run; uses sudo when not run
# as root. Without apt (another distribution) it installs nothing: the packages named in
# README.md are then installed by hand.
#
# GoogleTest comes without GMock (not used); Xvfb is started directly, so xvfb-run and its
# xauth are not needed; libx11-dev because the viewer reads the keyboard state through Xlib.

instalar_faltantes() {
  command -v apt-get >/dev/null && command -v dpkg-query >/dev/null || return 0
  local faltan=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
  done
  [ ${#faltan[@]} -gt 0 ] || return 0
  echo "Instalando paquetes: ${faltan[*]}"
  local sudo_=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Faltan paquetes y no hay sudo: instálelos como root: ${faltan[*]}"; exit 1; }
    sudo_=(sudo)
  fi
  # sudo resets the environment: DEBIAN_FRONTEND goes on its command line, through env.
  "${sudo_[@]}" apt-get update -qq
  "${sudo_[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${faltan[@]}"
}

if ! command -v apt-get >/dev/null; then
  echo "Sin apt-get: se usan los paquetes instalados a mano (véase README.md)."
fi
instalar_faltantes cmake g++ make libeigen3-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri \
  libx11-dev libgtest-dev libbenchmark-dev xvfb xdotool imagemagick
