#!/usr/bin/env bash
# The real window on the bundled example: every result layer switched on in
# turn from the console for combination U1, each showing in its own colour;
# without a selected combination a result layer shows nothing.
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

cp "$fuente/examples/ingresoDatos.txt" modelo.txt
arrancar modelo.txt
esperar_lineas "lectura de nudos OK Num Nudos = 4" 1

momento="178,51,0"
escribir plotM
esperar_cuadros
fotografiar sin_combo.png
[ "$(pixeles_de_color sin_combo.png "$momento")" -eq 0 ] || fallar "momentos sin combinacion elegida"
escribir combo
escribir U1
esperar_color momentos.png "$momento" 200

# command, colour of its outline or text, picture
capas=(
  "plotDef 0,178,178 deformada.png"
  "plotN 0,51,178 axiales.png"
  "plotV 128,128,0 cortantes.png"
  "plotCarga 204,51,51 cargas.png"
  "plotR 255,0,0 reacciones.png"
)
for capa in "${capas[@]}"; do
  read -r orden color imagen <<<"$capa"
  escribir "$orden"
  esperar_color "$imagen" "$color" 100
  # The console keeps one result layer on: the moments are gone.
  [ "$(pixeles_de_color "$imagen" "$momento")" -eq 0 ] || fallar "$orden: los momentos siguen dibujados"
done

escribir salir
esperar_fin
echo "capas de resultados: OK"
