#!/usr/bin/env bash
# run.sh as a user runs it from the folder of their own work, with no display: a relative
# input path names a file there, no argument runs the bundled example, an absolute
# ORVELTA_BUILD is used as it stands, and an up-to-date build installs and prints nothing.
# Started through a symbolic link (a command on the user's PATH) it still finds its own
# scripts, with spaces in the paths of the link and of the file.
# Without a display the program reads and solves the model, then stops at the window.
#
# Usage: runDesdeOtraCarpeta.sh RAIZ BUILD
set -euo pipefail

raiz=$1
build=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/obra"
cd "$dir/obra"

# A cantilever of two nodes and one bar: not the bundled example (4 nodes, 3 bars).
cat >portico.txt <<'FIN'
nudos: 1 0 0 2 4 0
barras: 1 1 2
apoyo: 1 1 1 1
seccionGenerica: S 0.01 1e-4 2e8 0 1
puntual: P 0 -10 0 2
combo: U 1 P
FIN

fallos=0
falla() { echo "FALLA: $*"; fallos=$((fallos + 1)); }

# ejecutar SALIDA [ARCHIVO]: run.sh (or $guion, a link to it) with no display; its exit
# code in $codigo.
guion="$raiz/run.sh"
ejecutar() {
  codigo=0
  env -u DISPLAY -u ORVELTA_PANTALLA ORVELTA_BUILD="$build" "$guion" "${@:2}" >"$1" 2>&1 </dev/null ||
    codigo=$?
}

tiene() {  # tiene SALIDA TEXTO
  grep -qF -- "$2" "$1" || falla "$1 sin \"$2\""
}

sin_pantalla() {  # sin_pantalla SALIDA: ends on the missing display, with a failure code
  [ "$codigo" -ne 0 ] || falla "$1: código 0 sin pantalla"
  tiene "$1" "failed to open display"
  [ "$(tail -n 1 "$1")" = "Sin pantalla (DISPLAY vacío): el visor necesita una para abrir su ventana." ] ||
    falla "$1 no termina con el aviso de falta de pantalla"
  ! grep -E '^\[ *[0-9]+%\]|^Instalando paquetes|^Consolidate' "$1" || falla "$1: instaló o compiló"
}

ejecutar relativo.txt portico.txt
tiene relativo.txt "lectura de nudos OK Num Nudos = 2"
tiene relativo.txt "lectura de barras OK Num Barras = 1"
sin_pantalla relativo.txt

ejecutar ejemplo.txt
tiene ejemplo.txt "lectura de nudos OK Num Nudos = 4"
tiene ejemplo.txt "lectura de barras OK Num Barras = 3"
sin_pantalla ejemplo.txt

ejecutar falta.txt no-existe.txt
tiene falta.txt "no-existe.txt"
[ "$(ls)" = "$(printf '%s\n' ejemplo.txt falta.txt portico.txt relativo.txt)" ] ||
  falla "run.sh dejó archivos en la carpeta del usuario: $(ls | tr '\n' ' ')"

# Through a link in a folder of commands, from a folder of work, both with spaces.
mkdir "$dir/mis comandos" "$dir/otra obra"
ln -s "$raiz/run.sh" "$dir/mis comandos/orvelta"
guion="$dir/mis comandos/orvelta"
cd "$dir/otra obra"
mkdir "datos viga"
cp ../obra/portico.txt "datos viga/voladizo uno.txt"
ejecutar enlace.txt "datos viga/voladizo uno.txt"
tiene enlace.txt "lectura de nudos OK Num Nudos = 2"
tiene enlace.txt "lectura de barras OK Num Barras = 1"
sin_pantalla enlace.txt

[ "$fallos" -eq 0 ] || { echo "$fallos comprobaciones fallaron"; cat "$dir/obra/relativo.txt" enlace.txt; exit 1; }
echo "run.sh desde otra carpeta: todo correcto"
