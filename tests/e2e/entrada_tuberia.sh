#!/usr/bin/env bash
# An input path that is no regular file: a FIFO that nobody writes neither
# holds the start-up nor freezes the window on F5, and a process substitution
# is not read as an empty model without a word. Each gets the line of a file
# that cannot be opened; Esc still ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

mkfifo entrada.fifo
arrancar entrada.fifo
esperar_lineas "^Advertencia: no se pudo abrir el archivo de entrada: entrada.fifo$" 1
xdotool key F5
esperar_lineas "^Advertencia: no se pudo abrir el archivo de entrada: entrada.fifo$" 2
xdotool key Escape
esperar_fin

arrancar <(cat "$fuente/examples/ingresoDatos.txt")
esperar_lineas "^Advertencia: no se pudo abrir el archivo de entrada: /dev/fd/[0-9]*$" 1
esperar_lineas "^lectura de nudos OK Num Nudos = 0$" 1
xdotool key Escape
esperar_fin
echo "entrada por tuberia: OK"
