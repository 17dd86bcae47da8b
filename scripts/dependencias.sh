#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any is missing.
# Sourced by run.sh and test.sh; uses sudo when not run as root.
paquetes=(cmake g++ make libeigen3-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
          libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando paquetes: ${faltan[*]}"
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_="sudo"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
