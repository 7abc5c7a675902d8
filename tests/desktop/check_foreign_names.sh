#!/usr/bin/env bash
# A file named in Shift-JIS, given on the command line beside its UTF-8 twin: the program shows
# its name readably and previews that very file.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
data="$(mktemp -d "$DESKTOP_WORK/data.XXXX")"
cp932_name="$(printf '\x83\x81\x83\x82\x92\xa0.txt')" # メモ帳.txt in code page 932
printf 'from the cp932 file\r\n' >"$data/$cp932_name"
printf 'from the utf-8 file\r\n' >"$data/メモ帳.txt"
start_program "$folder" "$data/$cp932_name"
id="$(wait_window "　Zorvane")"

shows() { local all; all="$(tree)"; grep -qF -- "$1" <<<"$all"; }
wait_until 20 shows "|label|$data/メモ帳.txt|" || fail "Label5 does not show the name:"$'\n'"$(tree)"
wait_until 20 shows "from the cp932 file" || fail "the viewer does not show the file:"$'\n'"$(tree)"
shows "from the utf-8 file" && fail "the UTF-8 twin was previewed"
pass "a Shift-JIS name on the command line"
send_keys "$id" Escape
wait_program_end
