#!/usr/bin/env bash
# After a file dialog and its message boxes close, the main window is active again with the
# focus where it was: the next key acts at once, without a click. A refused rename (the dialog,
# then its message), a confirmed delete (the dialog, then the question) and a cancelled copy,
# each followed by keys sent to whatever window is active, as a user's keys are.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
# The trash of a home of the check's own.
export HOME="$DESKTOP_WORK/home" XDG_DATA_HOME="$DESKTOP_WORK/home/.local/share"
mkdir -p "$XDG_DATA_HOME"
data="$folder/data"
mkdir -p "$data"
for name in a b c d; do printf '%s\r\n' "$name" >"$data/$name.txt"; done
start_program "$folder" "$data/a.txt"
main="$(wait_window "　Zorvane")"
activate "$main"

active() { xdotool getactivewindow 2>/dev/null; }
active_name() { xdotool getactivewindow getwindowname 2>/dev/null; }
# wait_active_named NAME [NOT_ID]: a window titled NAME (other than NOT_ID) is active.
wait_active_named() {
  wait_until 20 sh -c "[ \"\$(xdotool getactivewindow getwindowname 2>/dev/null)\" = '$1' ] &&
    [ \"\$(xdotool getactivewindow 2>/dev/null)\" != '${2:-none}' ]" ||
    fail "no active window '$1' (active: '$(active_name)')"
  active
}
main_active() {
  wait_until 10 sh -c "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $main ]" ||
    fail "$1: the main window is not active again (active: '$(active_name)')"
}
# key KEY...: typed into the active window, as a user types; no window is activated first.
key() { xdotool key --clearmodifiers "$@"; }
copy_opens() {
  key c
  wait_active_named "ファイルコピー" >/dev/null
  key Escape
  main_active "$1, then the copy dialog cancelled"
}

# 1. A refused rename: a.txt to the taken name b.txt. The message answered, the main window
# takes the next key. Three times: the focus was lost in most runs, not in every one.
for round in 1 2 3; do
  key r
  rename="$(wait_active_named "名前の変更")"
  key b Return
  wait_active_named "名前の変更" "$rename" >/dev/null
  key Return
  main_active "after refused rename $round"
  [ -f "$data/a.txt" ] && [ -f "$data/b.txt" ] || fail "the refused rename changed a file"
  copy_opens "after refused rename $round"
done
pass "after a refused rename the main window takes the next key"

# 2. A confirmed delete: D, Enter, Enter. The file is in the trash; the list still has the
# focus, so Down picks the next file and C opens the copy dialog for it.
for round in 1 2 3; do
  gone="$(ls "$data" | head -n1)"
  key d
  delete="$(wait_active_named "ファイルの削除")"
  key Return
  wait_active_named "ファイルの削除" "$delete" >/dev/null
  key Return
  wait_until 20 sh -c "[ ! -e '$data/$gone' ]" || fail "D, Enter, Enter did not delete $gone"
  main_active "after confirmed delete $round"
  key Down
  copy_opens "after confirmed delete $round"
done
pass "after a confirmed delete the main window takes the next key, the focus in the list"
