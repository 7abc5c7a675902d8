#!/usr/bin/env bash
# A small screen at scale factor 2 (1024 x 768 pixels, 512 x 384 for the program): the help
# window and the options dialog open inside the screen, and the options dialog's ＯＫ,
# キャンセル and ヘルプ can be reached.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require
export QT_SCALE_FACTOR=2
desktop_start 1024x768
folder="$(program_folder)"
empty_history "$folder"
start_program "$folder"
main="$(wait_window "　Zorvane")"

# inside ID WHAT [WIDTH HEIGHT]: the window's frame lies on the screen (1024 x 768).
inside() {
  local x y w h
  read -r x y w h < <(frame_geometry "$1")
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "${3:-1024}" ] &&
    [ $((y + h)) -le "${4:-768}" ] || fail "$2 at $x,$y ${w}x$h, not inside the screen"
}

send_keys "$main" F1
help="$(wait_window "Zorvane ヘルプ")"
inside "$help" "the help window"
send_keys "$help" alt+F4
wait_until 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^Zorvane ヘルプ\$')\" ]" ||
  fail "the help window stayed"
pass "help window inside the screen"

# The options dialog, from the menu.
popups() { xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | wc -l; }
before="$(popups)"
send_keys "$main" alt+t
wait_until 10 sh -c "[ \$(xdotool search --onlyvisible --pid $PROGRAM_PID 2>/dev/null | wc -l) -gt $before ]" ||
  fail "Alt+T opened no menu"
xdotool key o
options="$(wait_window "オプション")"
inside "$options" "the options dialog"
pass "options dialog inside the screen"
send_keys "$options" alt+F4
wait_until 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^オプション\$')\" ]" ||
  fail "the options dialog did not close"
send_keys "$main" Escape
wait_program_end

# 800 x 600: the main window stored at 1100 x 700 opens inside and keeps that size stored; the
# fitted copy dialog and picker keep their focus (Tab reaches 参照, Enter accepts at once).
desktop_stop
desktop_start 800x600
folder="$(program_folder)"
# A recent folder, so the copy dialog starts on its Copy button.
{ printf '%s\r\n' "$folder"; for i in $(seq 39); do printf '\r\n'; done; } >"$folder/plok.his"
printf 'memo\r\n' >"$folder/memo.txt"
printf '[Form]\r\nTop=1500\r\nLeft=3000\r\nHeight=10500\r\nWidth=16500\r\n' >"$folder/plok.ini"
start_program "$folder" "$folder/memo.txt"
main="$(wait_window "　Zorvane")"
inside "$main" "the main window stored on a larger screen" 800 600
send_keys "$main" c
copy="$(wait_window "ファイルコピー")"
send_keys "$copy" Tab Tab Tab space
picker="$(wait_window "ディレクトリ参照")"
send_keys "$picker" Return
wait_until 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^ディレクトリ参照\$')\" ]" ||
  fail "Enter right after opening left the directory picker open"
send_keys "$copy" Escape
send_keys "$main" Escape
wait_program_end
[ "$(ini_value "$folder" Height) $(ini_value "$folder" Width)" = "10500 16500" ] ||
  fail "stored $(ini_value "$folder" Height) x $(ini_value "$folder" Width)"
pass "a smaller screen: main window inside, size kept, fitted dialogs keep their focus"
