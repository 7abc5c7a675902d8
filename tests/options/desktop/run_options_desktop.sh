#!/usr/bin/env bash
# Runs the options dialog of the built program under Xvfb with openbox and a session bus, and
# checks it through the accessibility tree (options_atspi.py).
# Usage: tests/options/desktop/run_options_desktop.sh [PROGRAM]   (default build/release/bin/zorvane)
set -euo pipefail
# Without the desktop tools the check is skipped (exit code 77).
for tool in Xvfb openbox xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  { echo "skipped: python3-gi with Atspi is not installed"; exit 77; }
here="$(cd "$(dirname "$0")" && pwd)"
program="$(realpath "${1:-build/release/bin/zorvane}")"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

cp "$program" "$work/zorvane"
for _ in $(seq 40); do printf '\r\n'; done >"$work/plok.his"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  openbox >/dev/null 2>&1 &
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8 LC_ALL=C.UTF-8 "$1/zorvane" >/dev/null 2>&1 &
  program=$!
  status=0
  /usr/bin/python3 "$2/options_atspi.py" || status=$?
  kill "$program" 2>/dev/null || true
  exit $status
' bash "$work" "$here"
