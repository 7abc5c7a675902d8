#!/usr/bin/env bash
# The file commands on a real desktop: C opens the copy dialog in the middle of the screen with
# its controls named for a screen reader, its picker's too, Enter in the picker's lists and boxes
# never closes it, a cancelled picker keeps the recent folder, Enter copies to the first recent
# folder (made first); in the delete dialog Esc does nothing and Tab then Enter presses
# キャンセル; R renames with the name's extension kept.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
desktop_start 1280x1024
folder="$(program_folder)"
data="$folder/データ"
mkdir -p "$data"
printf 'memo\r\n' >"$data/memo.txt"
{
  printf '%s\r\n' "$folder/保存先"
  for _ in $(seq 19); do printf '\r\n'; done
  printf '%s\r\n' "$data"
  for _ in $(seq 19); do printf '\r\n'; done
} >"$folder/plok.his"
start_program "$folder" "$data/memo.txt"
main="$(wait_window "　Zorvane")"

# Copy: the dialog centred, its fields named, Enter copies to the first recent folder.
send_keys "$main" c
copy="$(wait_window "ファイルコピー")"
read -r left top width height < <(frame_geometry "$copy")
centre_x=$((left + width / 2)) centre_y=$((top + height / 2))
[ $((centre_x - 640)) -ge -3 ] && [ $((centre_x - 640)) -le 3 ] &&
  [ $((centre_y - 512)) -ge -3 ] && [ $((centre_y - 512)) -le 3 ] ||
  fail "the copy dialog is not centred: frame $left $top $width $height"
for object in "push button|最近のディレクトリへコピー" "push button|いつものディレクトリへコピー" \
  "push button|参照" "push button|キャンセル" "combo box|最近のディレクトリ" \
  "combo box|いつものディレクトリ" "label|$data/memo.txt"; do
  wait_until 20 has_object "${object%%|*}" "${object#*|}" ||
    fail "no ${object%%|*} named ${object#*|} in:"$'\n'"$(tree)"
done
pass "copy dialog centred, its controls named for a screen reader"

# "参照" (Tab three times from the copy button) opens the picker, its boxes named; Enter in the
# file list or the path box leaves it open; キャンセル (Enter on the focused button) closes it
# and the recent folder's text stays, so Enter in that box then copies there.
send_keys "$copy" Tab Tab Tab space
picker="$(wait_window "ディレクトリ参照")"
for object in "combo box|ドライブ" "text|パス" "list|ディレクトリ名" "list|ファイル名（参考）"; do
  wait_until 20 has_object "${object%%|*}" "${object#*|}" ||
    fail "no ${object%%|*} named ${object#*|} in the picker:"$'\n'"$(tree)"
done
pass "picker's drive and path boxes named for a screen reader"
picker_closed() { [ -z "$(find_window "ディレクトリ参照")" ]; }
send_keys "$picker" Tab Tab Tab Tab Return
! wait_until 1 picker_closed || fail "Enter in the picker's file list closed it"
send_keys "$picker" Tab Return
! wait_until 1 picker_closed || fail "Enter in the picker's path box closed it"
send_keys "$picker" Tab Tab Return
wait_until 10 picker_closed || fail "Enter on キャンセル did not close the picker"
pass "Enter in the picker's file list or path box does not close it"
send_keys "$copy" Tab Return
wait_until 20 test -f "$folder/保存先/memo.txt" ||
  fail "Enter did not copy to the first recent folder (kept after the cancelled picker)"
copy_closed() { [ -z "$(find_window "ファイルコピー")" ]; }
wait_until 10 copy_closed || fail "the copy dialog stayed open"
pass "Enter copies to the first recent folder, made first"

# Delete: Esc does nothing, Tab then Enter presses キャンセル; the file stays.
send_keys "$main" d
delete="$(wait_window "ファイルの削除")"
send_keys "$delete" Escape
delete_closed() { [ -z "$(find_window "ファイルの削除")" ]; }
! wait_until 1 delete_closed || fail "Esc closed the delete dialog"
send_keys "$delete" Tab Return
wait_until 10 delete_closed || fail "Tab, Enter did not press キャンセル"
[ -f "$data/memo.txt" ] || fail "cancelling the delete dialog deleted the file"
pass "delete dialog: Esc does nothing, キャンセル by keyboard keeps the file"

# Rename: the name without its extension is selected; typing replaces it.
send_keys "$main" r
rename="$(wait_window "名前の変更")"
send_keys "$rename" n e w Return
wait_until 20 test -f "$data/new.txt" || fail "the rename did not reach new.txt"
[ ! -e "$data/memo.txt" ] || fail "memo.txt is still there after the rename"
pass "rename keeps the extension"
