#!/usr/bin/env bash
# The display of the GL tests, as test.sh and ctest choose it (scripts/pantalla.sh and the
# test wrapper scripts/conPantalla.sh), with DISPLAY set to a small screen standing for the
# user's desktop: the tests get a private 1280x1024 Xvfb, never DISPLAY; ORVELTA_PANTALLA
# opts into a given display; the private server stops with its shell; without Xvfb a GL
# test is skipped with its reason.
#
# Usage: pantallaPrivada.sh RAIZ
set -euo pipefail

raiz=$1
command -v Xvfb >/dev/null || { echo "Prueba omitida: no hay Xvfb."; exit 77; }

dir=$(mktemp -d)
escritorio_pid=""
terminar() {
  [ -z "$escritorio_pid" ] || kill "$escritorio_pid" 2>/dev/null || true
  rm -rf "$dir"
}
trap terminar EXIT

# The "desktop": 640 x 480, smaller than the window of the viewer tests.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$dir/escritorio" 2>/dev/null &
escritorio_pid=$!
for _ in $(seq 200); do [ -s "$dir/escritorio" ] && break; sleep 0.05; done
escritorio=":$(cat "$dir/escritorio")"
export DISPLAY="$escritorio"
unset ORVELTA_PANTALLA

fallos=0
falla() { echo "FALLA: $*"; fallos=$((fallos + 1)); }

espera() {  # espera DESCRIPCION ESPERADO OBTENIDO
  [ "$2" = "$3" ] || falla "$1: \"$3\", se esperaba \"$2\""
}

# What a shell that sourced pantalla.sh sees: DISPLAY, ORVELTA_PANTALLA, the screen size;
# then the server's process id, to check that it stops with the shell.
bash -c "set -euo pipefail; source '$raiz/scripts/pantalla.sh'
  echo \"\$DISPLAY \$ORVELTA_PANTALLA\"; xdotool getdisplaygeometry; echo \"\${xvfb_pid:-}\"" >"$dir/privada"
read -r pantalla exportada <"$dir/privada"
[ "$pantalla" != "$escritorio" ] || falla "test.sh usa el DISPLAY del usuario"
espera "ORVELTA_PANTALLA exportada" "$pantalla" "$exportada"
espera "tamaño de la pantalla privada" "1280 1024" "$(sed -n 2p "$dir/privada")"
servidor=$(sed -n 3p "$dir/privada")
[ -n "$servidor" ] && ! kill -0 "$servidor" 2>/dev/null || falla "el Xvfb privado sigue vivo"

# Opting into a display.
espera "ORVELTA_PANTALLA elegida" "640 480" \
  "$(ORVELTA_PANTALLA="$escritorio" bash -c "source '$raiz/scripts/pantalla.sh'; xdotool getdisplaygeometry")"

# The wrapper of every GL test under ctest: its own server, the command's exit code kept.
codigo=0
"$raiz/scripts/conPantalla.sh" bash -c 'xdotool getdisplaygeometry; exit 3' >"$dir/envuelta" || codigo=$?
espera "tamaño bajo conPantalla.sh" "1280 1024" "$(cat "$dir/envuelta")"
espera "código de la prueba envuelta" 3 "$codigo"
espera "conPantalla.sh con ORVELTA_PANTALLA" "640 480" \
  "$(ORVELTA_PANTALLA="$escritorio" "$raiz/scripts/conPantalla.sh" xdotool getdisplaygeometry)"

# Without Xvfb on PATH: skipped (77) with the reason, and a listing names one placeholder.
mkdir "$dir/bin"
for programa in /usr/bin/*; do
  [ "${programa##*/}" = Xvfb ] || ln -s "$programa" "$dir/bin/"
done
codigo=0
PATH="$dir/bin" "$raiz/scripts/conPantalla.sh" xdotool getdisplaygeometry >"$dir/omitida" || codigo=$?
espera "código sin Xvfb" 77 "$codigo"
grep -q "^Prueba omitida: no hay Xvfb" "$dir/omitida" || falla "sin el motivo de la omisión"
espera "lista sin Xvfb" "SinPantalla.|  xvfbNoInstalado" \
  "$(PATH="$dir/bin" "$raiz/scripts/conPantalla.sh" prueba --gtest_list_tests | paste -sd '|')"

# The placeholder listed without Xvfb, run once Xvfb is there: skipped, and the executable
# made newer so that ctest lists the real tests next time.
touch -d '2000-01-01' "$dir/ejecutable"
codigo=0
"$raiz/scripts/conPantalla.sh" "$dir/ejecutable" --gtest_filter=SinPantalla.xvfbNoInstalado >/dev/null || codigo=$?
espera "código del marcador con Xvfb" 77 "$codigo"
[ "$dir/ejecutable" -nt "$dir/escritorio" ] || falla "la lista hecha sin Xvfb no se renueva"

[ "$fallos" -eq 0 ] || { echo "$fallos comprobaciones fallaron"; exit 1; }
echo "pantalla de las pruebas: todo correcto"
