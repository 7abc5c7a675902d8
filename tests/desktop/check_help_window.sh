#!/usr/bin/env bash
# The help window beside the options dialog on a real desktop: ヘルプ brings it to the front,
# announced as a frame; it can be raised, scrolled and closed while the options dialog stays
# open, and the main window takes no input meanwhile.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
# A help file long enough that every topic has to be scrolled to.
{
  printf '<html><body><h1>目次</h1>'
  for topic in 6 13 16 17; do
    printf '<h2 id="%s">項目 %s</h2>' "$topic" "$topic"
    for line in $(seq 80); do printf '<p>本文 %s-%s</p>' "$topic" "$line"; done
  done
  printf '</body></html>'
} >"$folder/plok.hlp"
start_program "$folder"
main="$(wait_window "　Zorvane")"

menu_open() { local all; all="$(tree)"; grep -q '^4|popup menu|||[0-9]*,[0-9]*,[1-9]' <<<"$all"; }
send_keys "$main" alt+t
wait_until 10 menu_open || fail "Alt+T opened no menu"
xdotool key o
options="$(wait_window "オプション")"
wait_until 20 has_object "push button" "ヘルプ" || fail "no ヘルプ button in:"$'\n'"$(tree)"
read -r x y < <(object_centre "push button" "ヘルプ")
xdotool mousemove "$x" "$y" click 1
help="$(wait_window "Zorvane ヘルプ")"

# In front, active, announced as a window of its own.
wait_until 10 sh -c "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $help ]" ||
  fail "the help window did not come to the front"
on_top() {
  local stacking
  stacking="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g')"
  [ "$(printf '%d\n' $stacking | tail -n1)" = "$help" ]
}
wait_until 10 on_top || fail "the help window is not above the other windows"
wait_until 20 has_object frame "Zorvane ヘルプ" ||
  fail "the help window is not announced as a frame:"$'\n'"$(tree | grep -v '^[3-9]')"
pass "ヘルプ brings the help window to the front, announced as a frame"

# Raised again after the options dialog took the front, and scrolled by keys.
scroll_value() {
  "$DESKTOP_PYTHON" "$DESKTOP_LIB_DIR/atspi_values.py" zorvane 2>/dev/null |
    awk -F'|' -v help="$(frame_geometry "$help")" '
      BEGIN {split(help, h, " ")}
      $1 == "scroll bar" {split($4, r, ",");
        if (r[1] >= h[1] && r[1] + r[3] <= h[1] + h[3] && r[2] >= h[2] && r[2] + r[4] <= h[2] + h[4] &&
            r[4] > r[3]) {print $3; exit}}'
}
activate "$options"
activate "$help"
wait_until 10 on_top || fail "the help window could not be raised over the options dialog"
before="$(scroll_value)"
[ -n "$before" ] && [ "${before%.*}" -gt 0 ] || fail "the help window shows no topic (scroll '$before')"
send_keys "$help" Next
scrolled() { local now; now="$(scroll_value)"; [ -n "$now" ] && [ "$now" != "$before" ]; }
wait_until 10 scrolled || fail "Page Down did not scroll the help window"
pass "the help window is raised and scrolled while the options dialog is open"

# The main window takes no key: Q would end the program.
xdotool windowactivate "$main" >/dev/null 2>&1 || true
xdotool key q
! wait_until 1 sh -c "! kill -0 $PROGRAM_PID" || fail "the main window took Q under the options dialog"

# Closed by the window manager's close key; the options dialog stays.
send_keys "$help" alt+F4
help_closed() { [ -z "$(find_window "Zorvane ヘルプ")" ]; }
wait_until 10 help_closed || fail "the help window did not close"
[ -n "$(find_window "オプション")" ] || fail "the options dialog closed with the help window"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended with the help window"
pass "the help window closes while the options dialog stays open and the main window waits"

read -r x y < <(object_centre "push button" "キャンセル")
xdotool mousemove "$x" "$y" click 1
options_closed() { [ -z "$(find_window "オプション")" ]; }
wait_until 10 options_closed || fail "キャンセル did not close the options dialog"
send_keys "$main" Escape
wait_program_end
