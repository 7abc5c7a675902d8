#!/usr/bin/env bash
# The main window under Wayland (weston's headless compositor): a program is never told where
# its window stands, and the window here never gets the focus. The stored place stays as it
# was and the stored size comes back exactly, start after start.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"

command -v weston >/dev/null || skip "weston is not installed"
plugins="$(find /usr/lib /usr/local/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' \
  2>/dev/null | head -n1)"
[ -n "$plugins" ] || skip "Qt's Wayland platform (qt6-wayland) is not installed"

DESKTOP_WORK="$(mktemp -d)"
trap desktop_stop EXIT
export XDG_RUNTIME_DIR="$DESKTOP_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=zorvane --idle-time=0 --width=1280 \
  --height=1024 >"$DESKTOP_WORK/weston.log" 2>&1 &
DESKTOP_PIDS+=($!)
wait_until 10 test -S "$XDG_RUNTIME_DIR/zorvane" ||
  skip "weston's headless compositor did not start: $(tail -n3 "$DESKTOP_WORK/weston.log")"
unset DISPLAY
export WAYLAND_DISPLAY=zorvane QT_QPA_PLATFORM=wayland QT_SCALE_FACTOR=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
# The client's protocol log tells when the window has been configured and drawn.
export WAYLAND_DEBUG=client

# shown FOLDER: the main window has answered its configuration and drawn a frame.
shown() {
  local log="$1/output.log" surface
  surface="$(sed -n 's/.*-> xdg_toplevel@\([0-9]*\)\.set_title("　Zorvane").*/\1/p' "$log" | head -n1)"
  [ -n "$surface" ] && grep -q "xdg_toplevel@$surface\.configure" "$log" &&
    grep -q -- '-> wl_surface@[0-9]*\.commit' "$log"
}

# run_once FOLDER: one run, ended as a session's end ends it (the close's saving).
run_once() {
  local folder="$1"
  start_program "$folder"
  wait_until 20 shown "$folder" || fail "the window was not shown: $(tail -n5 "$folder/output.log")"
  kill -TERM "$PROGRAM_PID"
  wait_program_end
}

stored() {
  echo "$(ini_value "$1" Top) $(ini_value "$1" Left) $(ini_value "$1" Height) $(ini_value "$1" Width)"
}

# 1. A stored place and size stay as they are, run after run.
folder="$(program_folder)"
empty_history "$folder"
printf '[Form]\r\nTop=2250\r\nLeft=3000\r\nHeight=9030\r\nWidth=12030\r\n' >"$folder/plok.ini"
for run in 1 2 3; do
  run_once "$folder"
  [ "$(stored "$folder")" = "2250 3000 9030 12030" ] || fail "run $run stored $(stored "$folder")"
done
pass "stored place and size kept under Wayland"

# 2. The first start stores the designed size at the designed place, and keeps them.
folder="$(program_folder)"
empty_history "$folder"
for run in 1 2; do
  run_once "$folder"
  [ "$(stored "$folder")" = "0 0 7200 9000" ] || fail "first start, run $run: $(stored "$folder")"
done
pass "designed size kept under Wayland"
