#!/usr/bin/env bash
# Start-up on input that gives no nodes still opens the window, which draws
# its console and obeys Esc; no run writes a results report or changes one
# already there.
source "$(dirname "${BASH_SOURCE[0]}")/comun.bash"

consola="0,255,0"
hay_consola() {
  fotografiar consola.png
  observado="$(pixeles_de_color consola.png "$consola") pixeles de consola"
  [ "${observado%% *}" -gt 500 ]
}

# case | contents of the input file ("-" none) | arguments | a report already there
casos=(
  "sin argumento ni ingresoDatos.txt|-||"
  "archivo ausente|-|ausente.txt|"
  "archivo vacio||modelo.txt|"
  "sin tabla de nudos|combo: C 1 D escalaM: 0.5 precision: 2|modelo.txt|"
  "informe previo||modelo.txt|informe de otra corrida"
)
for caso in "${casos[@]}"; do
  IFS='|' read -r nombre contenido argumentos informe <<<"$caso"
  mkdir "$trabajo/$nombre"
  cd "$trabajo/$nombre"
  [ "$contenido" = "-" ] || printf '%s\n' "$contenido" >modelo.txt
  [ -z "$informe" ] || printf '%s\n' "$informe" >resultados.txt
  antes="$(ls -A | tr '\n' ' ')"

  # shellcheck disable=SC2086
  arrancar $argumentos
  esperar_lineas "^lectura de nudos OK Num Nudos = 0$" 1
  [ "$(geometria)" = "100 100 1000 800" ] || fallar "$nombre: geometria $(geometria)"
  esperar_que "$nombre: la consola dibujada" hay_consola
  rm consola.png
  xdotool key Escape
  esperar_fin

  despues="$(ls -A | sed '/^salida\.log$/d' | tr '\n' ' ')"
  [ "$despues" = "$antes" ] || fallar "$nombre: archivos '$despues', antes '$antes'"
  if [ -n "$informe" ]; then
    [ "$(cat resultados.txt)" = "$informe" ] || fallar "$nombre: resultados.txt cambio"
  fi
done
echo "sin nudos: OK"
