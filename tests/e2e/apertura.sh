#!/usr/bin/env bash
# The window as it opens on the bundled example, driven only through the X
# server: its place and size, the supports shown before any command, frames
# drawn with no event at all, a pan by dragging with the left button and a
# zoom by the wheel. Start-up and window leave no file behind.
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

cp "$fuente/examples/ingresoDatos.txt" modelo.txt
arrancar modelo.txt

# Without a window manager the server neither moves nor frames the window:
# its origin on the screen is the one the program asked for.
[ "$(geometria)" = "100 100 1000 800" ] || fallar "geometria $(geometria), se esperaba 100 100 1000 800"

apoyo="204,204,76"
# Succeeds once the box around the supports in a new picture lies within 2
# pixels of "x y ancho alto" (reals); leaves the box in $observado.
apoyos_en() {
  fotografiar actual.png
  observado="$(caja_de_color actual.png "$apoyo")"
  [ -n "$observado" ] && awk -v c="$observado" -v e="$1" 'BEGIN {
    split(c, a, " "); split(e, b, " ")
    for (i = 1; i <= 4; i++) if ((a[i] - b[i]) ^ 2 > 4) exit 1
  }'
}

# The two fixed supports of nodes (0, 0) and (4, 0), each 2 W/50 wide, with
# 800 / 4.4 pixels per model unit, the camera on the middle of the model at
# (500, 400): ground lines from x = 121.8 over 756.4 pixels at y = 672.7
# (3 pixels thick), hatching 8.7 pixels below them.
esperar_que "los apoyos al abrir en 121.8 671.2 756.4 10.7" apoyos_en "121.8 671.2 756.4 10.7"
read -r x0 y0 ancho0 alto0 <<<"$observado"

# The idle callback draws frame after frame while nothing reaches the window:
# every buffer swap is written to the X server. Without it the count stands
# still after the first frame.
esperar_cuadros 201

# The box expected after the pan and a zoom by f about the window's centre;
# lines keep their width in pixels (1.5 above the ground line's axis, 0.5
# below the hatching).
caja_esperada() {
  awk -v x="$x0" -v y="$y0" -v w="$ancho0" -v h="$alto0" -v f="$1" 'BEGIN {
    printf "%.1f %.1f %.1f %.1f\n", 500 + (x + 80 - 500) * f, 400 + (y + 1.5 + 40 - 400) * f - 1.5,
      w * f, (h - 2) * f + 2
  }'
}

# A drag with the left button in two steps of (+50, +25) moves the model with
# the pointer by 0.8 of its path.
xdotool mousemove --window "$ventana" 500 400 mousedown 1 \
  mousemove --window "$ventana" 550 425 mousemove --window "$ventana" 600 450 mouseup 1
esperado="$(caja_esperada 1)"
esperar_que "apoyos tras arrastrar en $esperado" apoyos_en "$esperado"

# Once the left button is up, a drag with the right one does not pan. Two
# notches back and one forward: the camera ends 1.07 times as far.
xdotool mousemove --window "$ventana" 300 300 mousedown 3 mousemove --window "$ventana" 200 250 mouseup 3
xdotool click --repeat 2 --delay 50 5
esperado="$(caja_esperada "$(awk 'BEGIN { print 1 / 1.07 ^ 2 }')")"
esperar_que "apoyos tras alejar en $esperado" apoyos_en "$esperado"
xdotool click 4
esperado="$(caja_esperada "$(awk 'BEGIN { print 1 / 1.07 }')")"
esperar_que "apoyos tras acercar en $esperado" apoyos_en "$esperado"

xdotool key Escape
esperar_fin
archivos="$(ls -A | sed '/\.png$/d' | tr '\n' ' ')"
[ "$archivos" = "modelo.txt salida.log " ] || fallar "archivos en el directorio de trabajo: $archivos"
echo "apertura: OK"
