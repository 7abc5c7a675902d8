#!/usr/bin/env bash
# The options dialog on a real desktop: opened from the tools menu by keys, its four tabs and its
# fields named for a screen reader, Enter and Esc leave it open, キャンセル closes it and the
# main window stays.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
start_program "$folder"
main="$(wait_window "　Zorvane")"

menu_open() { local all; all="$(tree)"; grep -q '^4|popup menu|||[0-9]*,[0-9]*,[1-9]' <<<"$all"; }
send_keys "$main" alt+t
wait_until 10 menu_open || fail "Alt+T opened no menu"
xdotool key o
options="$(wait_window "オプション")"

for object in "dialog|オプション" "push button|ＯＫ" "push button|キャンセル" "push button|ヘルプ" \
  "text|エディタのタイトル" "text|エディタのプログラム" "push button|ex2 のプログラムを参照" \
  "text|いつものディレクトリ 10"; do
  wait_until 20 has_object "${object%%|*}" "${object#*|}" ||
    fail "no ${object%%|*} named ${object#*|} in:"$'\n'"$(tree)"
done
all="$(tree)"
tabs="$(awk -F'|' '$2 == "page tab" {printf "%s,", $3}' <<<"$all")"
[ "$tabs" = "外部,ビュアー,ファイラー,ディレクトリ," ] || fail "the tabs are $tabs"
title="$(awk -F'|' '$2 == "text" && $3 == "エディタのタイトル" {print $4; exit}' <<<"$all")"
[ "$title" = "Editor" ] || fail "the editor's title shows '$title'"
pass "options dialog: tabs and fields named for a screen reader"

# Neither Enter nor Esc confirms or cancels the dialog.
send_keys "$options" Return Escape
options_closed() { [ -z "$(find_window "オプション")" ]; }
! wait_until 1 options_closed || fail "Enter or Esc closed the options dialog"
read -r x y < <(object_centre "push button" "キャンセル")
xdotool mousemove "$x" "$y" click 1
wait_until 10 options_closed || fail "キャンセル did not close the options dialog"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended with the dialog"
[ ! -e "$folder/plok.ini" ] || fail "キャンセル wrote plok.ini"
pass "options dialog: Enter and Esc keep it open, キャンセル closes it and writes nothing"
