# Shared by the end-to-end scripts: each runs the built program in a virtual X
# server of its own (so parallel scripts never share a window or the focus) and
# drives it with xdotool. Sourced with the program and the source tree as $1, $2.

programa="$(realpath "$1")"
fuente="$(realpath "$2")"

if [ -z "${VARDEL2D_E2E_XVFB:-}" ]; then
  export VARDEL2D_E2E_XVFB=1
  exec xvfb-run -a -n $((100 + $$ % 400)) -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi

set -euo pipefail
trabajo="$(mktemp -d)"
pid=""
ventana=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$trabajo"' EXIT
cd "$trabajo"

fallar() {
  echo "FALLO: $*"
  if [ -f salida.log ]; then
    echo "--- salida del programa (ultimas lineas)"
    tail -n 30 salida.log
  fi
  exit 1
}

# Starts the program with the given arguments and waits for its window to be
# viewable and to hold the focus. The focus cannot be set on a window before
# it is mapped: the X server answers BadMatch.
arrancar() {
  "$programa" "$@" >salida.log 2>&1 &
  pid=$!
  ventana="$(timeout 30 xdotool search --sync --onlyvisible --name '^Programa de Vardel 2D$' | head -n 1)" ||
    fallar "la ventana no aparecio"
  [ -n "$ventana" ] || fallar "la ventana no aparecio"
  esperar_que "el foco en la ventana" enfocar
  xdotool mousemove --window "$ventana" 500 400
}

enfocar() {
  xdotool windowfocus "$ventana"
  observado="foco en $(xdotool getwindowfocus)"
  [ "$observado" = "foco en $ventana" ]
}

# Types a console line and presses Enter.
escribir() {
  xdotool type --delay 5 -- "$1"
  xdotool key Return
}

vivo() { kill -0 "$pid" 2>/dev/null; }

# Waits (at most 60 s) until the log holds `cuantas` lines matching `patron`.
esperar_lineas() {
  local patron="$1" cuantas="$2" i
  for i in $(seq 600); do
    [ "$(grep -c -- "$patron" salida.log || true)" -ge "$cuantas" ] && return 0
    vivo || fallar "el programa termino esperando '$patron'"
    sleep 0.1
  done
  fallar "se esperaban $cuantas lineas '$patron', hay $(grep -c -- "$patron" salida.log || true)"
}

# Waits for the program to end by itself and checks its exit status.
esperar_fin() {
  local i estado
  for i in $(seq 200); do
    vivo || break
    sleep 0.1
  done
  vivo && fallar "el programa no termino"
  estado=0
  wait "$pid" || estado=$?
  pid=""
  [ "$estado" -eq 0 ] || fallar "estado de salida $estado"
}

fotografiar() { xwd -id "$ventana" -silent | convert xwd:- "$1"; }

# Runs the command until it succeeds (at most 20 s); the command may leave
# what it saw last in $observado for the failure message.
observado=""
esperar_que() {
  local descripcion="$1" fin=$((SECONDS + 20))
  shift
  until "$@"; do
    vivo || fallar "el programa termino esperando: $descripcion"
    [ "$SECONDS" -lt "$fin" ] || fallar "no se cumplio en 20 s: $descripcion; visto: $observado"
    sleep 0.05
  done
}

# "x y ancho alto" of the window on the screen.
geometria() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$ventana")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# "x y ancho alto" of the box around the pixels of colour rgb(r,g,b); empty
# when there are none.
caja_de_color() {
  convert "$1" -alpha off -fuzz 3% -fill white -opaque "rgb($2)" -fill black +opaque white \
    -format '%[fx:mean>0 ? 1 : 0] %@' info: |
    awk '$1 == 1 { split($2, v, /[x+]/); print v[3], v[4], v[1], v[2] }'
}

# Write calls the program has made so far; none once it has ended.
escrituras() { awk '$1 == "syscw:" { print $2 }' "/proc/$pid/io" 2>/dev/null || echo 0; }

# Waits until the program has drawn frames after every event the X server has
# delivered so far: each frame makes two write calls, each a round trip whose
# reply follows the events queued before it, so 50 more writes are frames drawn
# after those events were handled, with room for lines of the trace. A first
# argument asks for that many writes instead; a second names the input they
# follow, for the message if the program ends first.
esperar_cuadros() {
  local desde minimo="${1:-50}" tras="${2:+ tras $2}"
  vivo || fallar "el programa termino antes de dibujar$tras"
  desde="$(escrituras)"
  cuadros_nuevos() {
    local n=$(($(escrituras) - desde))
    observado="$n escrituras"
    [ "$n" -ge "$minimo" ]
  }
  esperar_que "$minimo escrituras nuevas$tras" cuadros_nuevos
}

# Pixels of the image within a small distance of the colour rgb(r,g,b).
pixeles_de_color() {
  convert "$1" -alpha off -fuzz 3% -fill white -opaque "rgb($2)" -fill black +opaque white \
    -format '%[fx:round(mean*w*h)]' info:
}

# Captures the window into `imagen` until it shows more than `minimo` pixels
# of the colour (at most 20 s, while slow frames catch up).
esperar_color() {
  local imagen="$1" color="$2" minimo="$3"
  hay_color() {
    local n
    fotografiar "$imagen"
    n="$(pixeles_de_color "$imagen" "$color")"
    observado="$n pixeles de rgb($color)"
    [ "$n" -gt "$minimo" ]
  }
  esperar_que "mas de $minimo pixeles de rgb($color) en $imagen" hay_color
}
