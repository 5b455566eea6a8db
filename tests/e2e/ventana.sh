#!/usr/bin/env bash
# The real window on the bundled example: the moment diagram of a combination
# chosen in the console, F5 with its banner and repeated trace, "salir" and Esc
# ending with status 0.
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

cp "$fuente/examples/ingresoDatos.txt" modelo.txt
arrancar modelo.txt
esperar_lineas "lectura de nudos OK Num Nudos = 4" 1

# The supports show that the model is drawn.
esperar_color modelo.png "204,204,76" 100
momento="178,51,0"
[ "$(pixeles_de_color modelo.png "$momento")" -eq 0 ] || fallar "el modelo solo ya muestra el color de momentos"

escribir plotM
escribir combo
escribir U1
esperar_color momentos.png "$momento" 200

xdotool key F5
esperar_lineas "Reinicio del programa" 1
esperar_lineas "lectura de nudos OK Num Nudos = 4" 2
esperar_lineas "transferencia de combos a barra\[i\] OK" 2
grep -q -x -- "------------------------Reinicio del programa------------------" salida.log ||
  fallar "la linea del reinicio no es la esperada"
# Switches and console survive the restart: the diagram is drawn again, in
# frames after the one drawn before F5.
esperar_cuadros
esperar_color reinicio.png "$momento" 200

escribir salir
esperar_fin

arrancar modelo.txt
xdotool type --delay 5 -- "plot"
xdotool key Escape
esperar_fin
echo "ventana: OK"
