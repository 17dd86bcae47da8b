#!/usr/bin/env bash
# The set-up script as a user who is not root runs it on a machine that lacks packages, with
# apt-get, dpkg-query, id and sudo replaced by stand-ins: sudo, like the real one, starts its
# command with a reset environment, so DEBIAN_FRONTEND must reach apt-get through sudo's
# command line. The list installs the Xlib headers and neither GMock nor xauth. Without
# sudo the script stops with one line naming the missing packages; without apt it says it
# installs nothing and lets the build go on.
#
# Usage: dependenciasConSudo.sh RAIZ
set -euo pipefail

raiz=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin"
cat >"$dir/bin/dpkg-query" <<'FIN'
#!/bin/bash
echo -n "unknown ok not-installed"
FIN
cat >"$dir/bin/id" <<'FIN'
#!/bin/bash
echo 1000
FIN
cat >"$dir/bin/apt-get" <<FIN
#!/bin/bash
echo "DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-} apt-get \$*" >>"$dir/apt.log"
FIN
cat >"$dir/bin/sudo" <<FIN
#!/bin/bash
echo sudo >>"$dir/apt.log"
exec /usr/bin/env -i PATH="$dir/bin" "\$@"
FIN
chmod +x "$dir/bin"/*
# Nothing else on PATH, so that no real sudo or apt-get can run.
for programa in grep env; do ln -s "$(command -v "$programa")" "$dir/bin/"; done

fallos=0
falla() { echo "FALLA: $*"; fallos=$((fallos + 1)); }

# sourced as run.sh and test.sh do, in a shell with the caller's DEBIAN_FRONTEND unset
env -u DEBIAN_FRONTEND PATH="$dir/bin" \
  /bin/bash -c "set -euo pipefail; source '$raiz/scripts/dependencias.sh'" >"$dir/salida"
instalacion=$(grep ' install ' "$dir/apt.log" || true)
[ "$(grep -c '^sudo$' "$dir/apt.log")" -eq 2 ] || falla "apt-get no pasa por sudo: $(cat "$dir/apt.log")"
[[ "$instalacion" = DEBIAN_FRONTEND=noninteractive\ * ]] || falla "apt-get install sin DEBIAN_FRONTEND: $instalacion"
for paquete in libx11-dev xvfb xdotool imagemagick libgtest-dev; do
  [[ " $instalacion " = *" $paquete "* ]] || falla "no instala $paquete"
done
for paquete in libgmock-dev xauth; do
  [[ " $instalacion " != *" $paquete "* ]] || falla "instala $paquete, que nada usa"
done
grep -q '^Instalando paquetes: cmake ' "$dir/salida" || falla "sin la línea de instalación"

# No sudo: one line, the missing packages, and the script stops.
rm "$dir/bin/sudo"
codigo=0
PATH="$dir/bin" /bin/bash -c "source '$raiz/scripts/dependencias.sh'; echo siguió" >"$dir/salida" ||
  codigo=$?
[ "$codigo" -ne 0 ] || falla "sin sudo siguió: $(cat "$dir/salida")"
grep -q '^Faltan paquetes y no hay sudo: instálelos como root: cmake ' "$dir/salida" ||
  falla "sin sudo, sin su mensaje: $(cat "$dir/salida")"

# Another distribution, no apt: nothing installed, one line, and the build goes on.
rm "$dir/bin/apt-get"
PATH="$dir/bin" /bin/bash -c "source '$raiz/scripts/dependencias.sh'; echo siguió" >"$dir/salida"
[ "$(cat "$dir/salida")" = "$(printf '%s\n' "Sin apt-get: se usan los paquetes instalados a mano (véase README.md)." siguió)" ] ||
  falla "sin apt-get: $(cat "$dir/salida")"

[ "$fallos" -eq 0 ] || { echo "$fallos comprobaciones fallaron"; exit 1; }
echo "dependencias con sudo: todo correcto"
