#!/usr/bin/env bash
# A file with a Shift-JIS name dragged from another program onto the window, with the mouse:
# the window shows it as the command line would (Label5 and the viewer), and the source is told
# that the file was copied, never moved. Then the same file dragged out of File1 onto the other
# program arrives there by its exact bytes, offered for copying only.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require_atspi
source_program="${ZORVANE_DRAG_SOURCE:-$here/../../build/debug/bin/zorvane_drag_source}"
[ -x "$source_program" ] || fail "no drag source at $source_program"
desktop_start 1280x1024
folder="$(program_folder)"
empty_history "$folder"
data="$(mktemp -d "$DESKTOP_WORK/data.XXXX")"
cp932_name="$(printf '\x83\x81\x83\x82\x92\xa0.txt')" # メモ帳.txt in code page 932
printf 'dropped from another program\r\n' >"$data/$cp932_name"
printf 'the utf-8 twin\r\n' >"$data/メモ帳.txt"
start_program "$folder"
id="$(wait_window "　Zorvane")"

hex="$(printf '%s' "$data/$cp932_name" | od -An -tx1 | tr -d ' \n')"
"$source_program" "$hex" >"$DESKTOP_WORK/source.log" 2>&1 &
DESKTOP_PIDS+=($!)
source_id="$(wait_window "drag source")"

# From the middle of the source to the middle of the viewer, in steps as a hand moves.
read -r sx sy sw sh < <(frame_geometry "$source_id")
read -r left top width height < <(frame_geometry "$id")
from_x=$((sx + sw / 2)); from_y=$((sy + sh / 2))
to_x=$((left + width * 3 / 4)); to_y=$((top + height / 2))
xdotool mousemove --sync "$from_x" "$from_y"
xdotool mousedown 1
for step in $(seq 1 20); do
  xdotool mousemove --sync "$((from_x + (to_x - from_x) * step / 20))" \
    "$((from_y + (to_y - from_y) * step / 20))"
done
# Let go once the window has said it takes a copy there, as a hand waits for the pointer to
# say so; each try moves the pointer a little, so the window is asked again.
wiggle=0
over_window() {
  wiggle=$((1 - wiggle))
  xdotool mousemove --sync "$((to_x + wiggle))" "$to_y"
  grep -q "over a target taking a copy" "$DESKTOP_WORK/source.log"
}
wait_until 10 over_window || fail "the window did not take the drag: $(cat "$DESKTOP_WORK/source.log")"
xdotool mouseup 1

shows() { local all; all="$(tree)"; grep -qF -- "$1" <<<"$all"; }
wait_until 20 shows "|label|$data/メモ帳.txt|" || fail "Label5 does not show the dropped file:"$'\n'"$(tree)"
wait_until 20 shows "dropped from another program" ||
  fail "the viewer does not show the dropped file:"$'\n'"$(tree)"
shows "the utf-8 twin" && fail "the UTF-8 twin was previewed"
wait_until 10 grep -qx copy "$DESKTOP_WORK/source.log" ||
  fail "the source was not told of a copy: $(cat "$DESKTOP_WORK/source.log")"
pass "a file dragged from another program"

# The UTF-8 twin goes (File1 follows), so the one entry named メモ帳.txt is the Shift-JIS file.
rm "$data/メモ帳.txt"
one_entry() { [ "$(tree | grep -cF '|list item|メモ帳.txt|')" = 1 ]; }
wait_until 20 one_entry || fail "File1 did not follow the removal:"$'\n'"$(tree)"
read -r ix iy < <(object_centre "list item" "メモ帳.txt")
seen="$(wc -l <"$DESKTOP_WORK/source.log")" # what the source printed of the first drag
[ -n "$ix" ] || fail "no entry for the file in File1"
xdotool mousemove --sync "$ix" "$iy"
xdotool mousedown 1
for step in $(seq 1 20); do
  xdotool mousemove --sync "$((ix + (from_x - ix) * step / 20))" "$((iy + (from_y - iy) * step / 20))"
done
over_source() {
  wiggle=$((1 - wiggle))
  xdotool mousemove --sync "$((from_x + wiggle))" "$from_y"
  [ "$(tail -n +$((seen + 1)) "$DESKTOP_WORK/source.log" | grep -c "a drag moved")" -ge 3 ]
}
wait_until 10 over_source || fail "no drag reached the other program: $(cat "$DESKTOP_WORK/source.log")"
xdotool mouseup 1
wait_until 10 grep -q "^received " "$DESKTOP_WORK/source.log" ||
  fail "nothing was dropped: $(cat "$DESKTOP_WORK/source.log")"
expect_line "$(grep "^received " "$DESKTOP_WORK/source.log")" "received $hex copy-only"
[ -f "$data/$cp932_name" ] || fail "the dragged file left its folder"
pass "a file dragged out of File1"
send_keys "$id" Escape
wait_program_end
