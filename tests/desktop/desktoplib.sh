# Shared by the checks of tests/desktop (sourced, not run): a virtual X display with the openbox
# window manager and a D-Bus session with the accessibility bus, the program started in a
# folder of its own, windows found by name, keys sent, the accessibility tree read. Every wait
# polls against a deadline; nothing sleeps for a fixed time.

DESKTOP_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
DESKTOP_PIDS=()
DESKTOP_WORK=""
# The system's Python: the Debian packages (python3-gi) serve it, not another one on PATH.
DESKTOP_PYTHON="$( [ -x /usr/bin/python3 ] && echo /usr/bin/python3 || command -v python3 || true)"

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "PASS: $*"; }
skip() { echo "SKIP: $*"; exit 77; }

# expect_line TEXT LINE: TEXT holds LINE as a whole line.
expect_line() {
  grep -qxF -- "$2" <<<"$1" || fail "expected the line '$2' in:"$'\n'"$1"
}

# Deadlines are what a quiet machine needs, times DESKTOP_PATIENCE (3 unless set): a loaded CI
# machine may take several times as long to start a display, a window manager or the program.
DESKTOP_PATIENCE="${DESKTOP_PATIENCE:-3}"

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails after SECONDS (times the
# patience).
wait_until() {
  local deadline=$((SECONDS + $1 * DESKTOP_PATIENCE)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

desktop_require() {
  local tool
  for tool in Xvfb openbox xdotool xwininfo xprop dbus-daemon "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
}

desktop_stop() {
  local pid
  for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
    pid="${DESKTOP_PIDS[i]}"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  DESKTOP_PIDS=()
  [ -n "$DESKTOP_WORK" ] && rm -rf "$DESKTOP_WORK"
  DESKTOP_WORK=""
}

# desktop_require_atspi [TOOL...]: desktop_require, and AT-SPI readable from Python.
desktop_require_atspi() {
  desktop_require "$@"
  "$DESKTOP_PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    skip "no AT-SPI for Python"
}

# desktop_start [WIDTHxHEIGHT]: X display, D-Bus session, accessibility on, openbox managing.
desktop_start() {
  local size="${1:-1280x1024}"
  DESKTOP_WORK="$(mktemp -d)"
  trap desktop_stop EXIT
  Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp 3>"$DESKTOP_WORK/display" \
    >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  wait_until 10 test -s "$DESKTOP_WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$DESKTOP_WORK/display")"

  dbus-daemon --session --nofork --nopidfile --print-address=4 \
    4>"$DESKTOP_WORK/bus" >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  wait_until 10 test -s "$DESKTOP_WORK/bus" || fail "no D-Bus session"
  DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$DESKTOP_WORK/bus")"
  export DBUS_SESSION_BUS_ADDRESS
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
  export QT_SCALE_FACTOR="${QT_SCALE_FACTOR:-1}"
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

  openbox --sm-disable >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start"
}

# program_folder: a fresh folder holding a copy of the program; plok.ini and plok.his live
# beside it. ZORVANE_PROGRAM names the program (default: the debug build).
program_folder() {
  local source="${ZORVANE_PROGRAM:-$DESKTOP_LIB_DIR/../../build/debug/bin/zorvane}"
  [ -x "$source" ] || fail "no program at $source"
  local folder
  folder="$(mktemp -d "$DESKTOP_WORK/program.XXXX")"
  cp "$source" "$folder/zorvane"
  echo "$folder"
}

# empty_history FOLDER: the 40 empty lines of a fresh plok.his.
empty_history() {
  local i
  for i in $(seq 40); do printf '\r\n'; done >"$1/plok.his"
}

# start_program FOLDER [ARG...]: starts it in the background; PROGRAM_PID is its process.
start_program() {
  local folder="$1"; shift
  (cd "$folder" && exec "$folder/zorvane" "$@" >"$folder/output.log" 2>&1) &
  PROGRAM_PID=$!
  DESKTOP_PIDS+=("$PROGRAM_PID")
}

# wait_program_end [SECONDS]: the program ended by itself.
wait_program_end() {
  wait_until "${1:-20}" sh -c "! kill -0 $PROGRAM_PID" || fail "the program did not end"
}

# find_window NAME: the id of a visible window whose title is NAME exactly.
find_window() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# wait_window NAME [SECONDS]: waits for it and prints its id.
wait_window() {
  local deadline=$((SECONDS + ${2:-20} * DESKTOP_PATIENCE)) id
  while :; do
    id="$(find_window "$1")"
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $deadline ] || fail "no window '$1'"
    sleep 0.05
  done
}

# frame_geometry ID: "left top width height" of the window's outer frame, in pixels.
frame_geometry() {
  local x y w h extents l r t b
  read -r x y w h < <(xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
  extents="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')"
  IFS=, read -r l r t b <<<"${extents:-0,0,0,0}"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# activate ID: gives the window the focus and waits until it has it.
activate() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  wait_until 10 sh -c "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $1 ]" ||
    fail "window $1 did not become active"
}

# send_keys ID KEY...: activates the window and types the keys (xdotool key names).
send_keys() {
  local id="$1"; shift
  activate "$id"
  xdotool key --clearmodifiers "$@"
}

# maximise ID: a double click on the title bar, as a user does (openbox's default binding).
maximise() {
  local left top width _
  read -r left top width _ < <(frame_geometry "$1")
  xdotool mousemove $((left + width / 2)) $((top + 8)) click --repeat 2 --delay 60 1
}

# ini_value FOLDER KEY: the value of KEY in plok.ini, trailing blanks and CR removed.
ini_value() {
  sed -n "s/^$2=\\(.*\\)$/\\1/p" "$1/plok.ini" | tr -d "\r" | sed "s/^ *//; s/ *$//" | head -n1
}

# atspi_dump APP: "depth|role|name|value|x,y,w,h|labelled by|label for" for every object of
# the application's tree (atspi_dump.py tells the format).
atspi_dump() {
  "$DESKTOP_PYTHON" "$DESKTOP_LIB_DIR/atspi_dump.py" "$1"
}

# tree: the program's accessibility tree, as atspi_dump prints it.
tree() {
  atspi_dump zorvane 2>/dev/null
}

# has_object ROLE NAME: the program's tree holds an object of that role and name.
has_object() {
  local all
  all="$(tree)"
  awk -F'|' -v role="$1" -v name="$2" '$2 == role && $3 == name {found = 1} END {exit !found}' <<<"$all"
}

# object_centre ROLE NAME: "x y", the middle of that object on the screen.
object_centre() {
  local all
  all="$(tree)"
  awk -F'|' -v role="$1" -v name="$2" '$2 == role && $3 == name {
    split($5, r, ","); print r[1] + int(r[3] / 2), r[2] + int(r[4] / 2); exit }' <<<"$all"
}
