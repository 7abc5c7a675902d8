#!/usr/bin/env bash
# What a screen reader finds in the main window on a real accessibility bus: the lists, the
# pattern box and the viewer named by their captions, the toolbar buttons by their Japanese
# names, and keys still reaching the window.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require
"$DESKTOP_PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null || skip "no AT-SPI for Python"
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
start_program "$folder"
id="$(wait_window "　Zorvane")"

tree() { atspi_dump zorvane 2>/dev/null; }
has_object() { local all; all="$(tree)"; awk -F'|' -v role="$1" -v name="$2" '$2 == role && $3 == name {found = 1} END {exit !found}' <<<"$all"; }
for object in "list|ディレクトリ" "list|ファイル名" "combo box|ドライブ" "combo box|ファイルの種類" \
  "text|ビュアー" "push button|終了" "push button|コピー"; do
  wait_until 20 has_object "${object%%|*}" "${object#*|}" ||
    fail "no ${object%%|*} named ${object#*|} in:"$'\n'"$(tree)"
done
# The drive list's value is read as its text.
drive_value() { local all; all="$(tree)"; grep -q '^3|combo box|ドライブ|/' <<<"$all"; }
wait_until 10 drive_value || fail "the drive list has no value:"$'\n'"$(tree)"
pass "controls named for a screen reader"

# Alt+F opens the file menu, Esc closes it, a second Esc leaves the menu bar: the window stays.
menu_open() { local all; all="$(tree)"; grep -q '^4|popup menu|||[0-9]*,[0-9]*,[1-9]' <<<"$all"; }
send_keys "$id" alt+f
wait_until 10 menu_open || fail "Alt+F opened no menu"
menu_closed() { ! menu_open; }
xdotool key Escape
wait_until 10 menu_closed || fail "Esc left the menu open"
xdotool key Escape
# Keys are handled in order: a menu opening after the second Esc shows the program still runs.
xdotool key alt+f
wait_until 10 menu_open || fail "Esc after leaving the menu closed the program"
xdotool key Escape
wait_until 10 menu_closed || fail "Esc left the menu open"
xdotool key Escape
send_keys "$id" Escape
wait_program_end
pass "Esc leaves the menu bar first, then closes the window"
