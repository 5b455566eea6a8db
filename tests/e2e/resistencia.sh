#!/usr/bin/env bash
# The window survives hostile use: a 10 000-character console line, control
# characters, '+' and '-' held down, F5 pressed many times in a row, and F5 on
# input files the analysis cannot use. It then still obeys "salir".
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

cp "$fuente/examples/ingresoDatos.txt" modelo.txt
arrancar modelo.txt
esperar_lineas "lectura de nudos OK" 1

# A line of 10 000 characters, then Enter: no command, the line is cleared.
t0=$SECONDS
xdotool key --delay 0 --repeat 10000 x
xdotool key Return
echo "linea larga: $((SECONDS - t0)) s"
escribir plotApoyos
esperar_cuadros 50 "la linea larga"
vivo || fallar "termino con la linea larga"

# Control characters are typed into the line like any other (ctrl+[ would be Esc).
xdotool key ctrl+a ctrl+b ctrl+c ctrl+d ctrl+z Tab ctrl+at
xdotool key Return
esperar_cuadros 50 "los caracteres de control"
vivo || fallar "termino con caracteres de control"

escribir plotM
escribir combo
escribir U1
xdotool key --delay 0 --repeat 300 KP_Add
xdotool key --delay 0 --repeat 300 KP_Subtract
xdotool key --delay 0 --repeat 300 plus
xdotool key --delay 0 --repeat 300 minus
esperar_cuadros 50 "+ y -"
vivo || fallar "termino con + y -"

xdotool key --delay 20 --repeat 20 F5
esperar_lineas "Reinicio del programa" 20
esperar_lineas "transferencia de combos a barra\[i\] OK" 21

# F5 on files the solver cannot handle: the engine says what is wrong, the
# window goes on with what the new model allows.
reinicios=20
probar_archivo() {
  printf '%s\n' "$2" >modelo.txt
  xdotool key F5
  reinicios=$((reinicios + 1))
  esperar_lineas "Reinicio del programa" "$reinicios"
  esperar_lineas "Num Barras" $((reinicios + 1))
  esperar_cuadros 50 "F5 con $1"
  vivo || fallar "F5 con $1 termino el programa"
}
probar_archivo "un archivo vacio" ""
probar_archivo "nudos sin barras ni combos" "nudos: 1 0 0 2 4 0"
probar_archivo "ningun grado de libertad libre" \
  "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 2 seccionGenerica: S 1 1 1 1 puntual: D 0 -1 0 2 combo: C 1 D"
probar_archivo "un mecanismo" \
  "nudos: 1 0 0 2 4 0 barras: 1 1 2 seccionGenerica: S 1 1 1 1 puntual: D 0 -1 0 2 combo: C 1 D"
probar_archivo "numeros que no lo son" \
  "nudos: 1 0 0 2 4 - barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 1e 1 1 1 combo: C + D"
probar_archivo "un combo sin pares y otro repetido" \
  "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 1 1 1 1 combo: A combo: B 1 D combo: B 1 D"
cp "$fuente/examples/ingresoDatos.txt" modelo.txt
probar_archivo "el ejemplo otra vez" "$(cat "$fuente/examples/ingresoDatos.txt")"

escribir salir
esperar_fin
echo "resistencia: OK"
