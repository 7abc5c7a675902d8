#!/usr/bin/env bash
# What a screen reader finds in the main window on a real accessibility bus: the lists, the
# pattern box and the viewer named by their captions, the toolbar buttons by their Japanese
# names, and keys still reaching the window.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
printf 'memo\r\n' >"$folder/メモ.txt"
start_program "$folder"
id="$(wait_window "　Zorvane")"

for object in "list|ディレクトリ" "list|ファイル名" "combo box|ドライブ" "combo box|ファイルの種類" \
  "text|ビュアー" "push button|終了" "push button|コピー"; do
  wait_until 20 has_object "${object%%|*}" "${object#*|}" ||
    fail "no ${object%%|*} named ${object#*|} in:"$'\n'"$(tree)"
done
# The drive list's value is read as its text.
drive_value() { local all; all="$(tree)"; grep -q '^3|combo box|ドライブ|/' <<<"$all"; }
wait_until 10 drive_value || fail "the drive list has no value:"$'\n'"$(tree)"
pass "controls named for a screen reader"

# Each list and its caption know each other: the list is labelled by the caption label and the
# label is the label for the list.
relates() {
  local all; all="$(tree)"
  awk -F'|' -v role="$1" -v name="$2" -v column="$3" -v target="$4" \
    '$2 == role && $3 == name && index("," $column ",", "," target ",") {found = 1} END {exit !found}' <<<"$all"
}
for caption in ディレクトリ ファイル名; do
  wait_until 10 relates list "$caption" 6 "label:$caption" ||
    fail "the list $caption is not labelled by its caption:"$'\n'"$(tree)"
  wait_until 10 relates label "$caption" 7 "list:$caption" ||
    fail "the caption $caption is not the label for its list:"$'\n'"$(tree)"
done
pass "the lists and their captions name each other"

# The highlighted entry of a list is announced as it gains the focus, by the name shown, as an
# entry of that list: clicking the first file, clicking the first folder ("/") and moving down
# to the top folder of this program's folder.
"$DESKTOP_PYTHON" "$DESKTOP_LIB_DIR/atspi_focus.py" zorvane 120 >"$DESKTOP_WORK/focus.log" 2>/dev/null &
DESKTOP_PIDS+=($!)
wait_until 10 grep -qx ready "$DESKTOP_WORK/focus.log" || fail "no AT-SPI focus listener"
top_folder="$(cut -d/ -f2 <<<"$folder")"
click_first_entry() {
  local x y _
  IFS=, read -r x y _ < <(tree | awk -F'|' -v name="$1" '$2 == "list" && $3 == name {print $5; exit}')
  [ -n "$x" ] || fail "no list $1:"$'\n'"$(tree)"
  activate "$id"
  xdotool mousemove $((x + 30)) $((y + 6)) click 1
}
announced() { grep -qxF -- "$1" "$DESKTOP_WORK/focus.log"; }
# The bridge learns of a new listener a moment late: the steps are repeated until heard.
for attempt in 1 2 3 4 5; do
  click_first_entry ファイル名
  wait_until 4 announced "list item|メモ.txt|list|ファイル名" || continue
  click_first_entry ディレクトリ
  xdotool key Down
  wait_until 4 announced "list item|$top_folder|list|ディレクトリ" && break
done
announced "list item|メモ.txt|list|ファイル名" && announced "list item|$top_folder|list|ディレクトリ" ||
  fail "the lists' entries were not announced as focused:"$'\n'"$(cat "$DESKTOP_WORK/focus.log")"
pass "the focused entry of a list is announced by its shown name"

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
