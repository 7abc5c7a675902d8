#!/usr/bin/env bash
# The main window under openbox: the stored place and size come back exactly, start after
# start, whatever the state at closing; a start-up message never leaves the title bar off the
# screen.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require
desktop_start "${ZORVANE_SCREEN:-1280x1024}"
title="　Zorvane"

# start_and_close FOLDER: one run of the program, closed with Esc.
start_and_close() {
  local folder="$1" id
  start_program "$folder"
  id="$(wait_window "$title")"
  send_keys "$id" Escape
  wait_program_end
}

stored() {
  echo "$(ini_value "$1" Top) $(ini_value "$1" Left) $(ini_value "$1" Height) $(ini_value "$1" Width)"
}

# 1. The first start without plok.ini stores the designed 7200 x 9000, start after start.
folder="$(program_folder)"
empty_history "$folder"
start_and_close "$folder"
[ "$(stored "$folder")" = "0 0 7200 9000" ] || fail "first start stored $(stored "$folder")"
start_and_close "$folder"
[ "$(stored "$folder")" = "0 0 7200 9000" ] || fail "second start stored $(stored "$folder")"
pass "designed size kept start after start"

# 2. A stored place and size come back exactly, the filer hidden too.
printf '[Form]\r\nTop=2250\r\nLeft=3000\r\nHeight=9030\r\nWidth=12030\r\n' >"$folder/plok.ini"
start_and_close "$folder"
[ "$(stored "$folder")" = "2250 3000 9030 12030" ] || fail "stored $(stored "$folder")"
printf '[Form]\r\nTop=1500\r\nLeft=1500\r\nHeight=7140\r\nWidth=5880\r\n[Option]\r\nFselect=0\r\n' \
  >"$folder/plok.ini"
start_and_close "$folder"
[ "$(stored "$folder")" = "1500 1500 7140 5880" ] || fail "filer hidden stored $(stored "$folder")"
pass "stored place and size come back"

# 3. Closing while maximised stores the normal frame, again and again without drifting.
printf '[Form]\r\nTop=2250\r\nLeft=3000\r\nHeight=9030\r\nWidth=12030\r\n' >"$folder/plok.ini"
for run in 1 2; do
  start_program "$folder"
  id="$(wait_window "$title")"
  activate "$id"
  maximise "$id"
  wait_until 10 sh -c "xprop -id $id _NET_WM_STATE | grep -q MAXIMIZED_HORZ" ||
    fail "the window was not maximised"
  send_keys "$id" Escape
  wait_program_end
  [ "$(stored "$folder")" = "2250 3000 9030 12030" ] ||
    fail "maximised close $run stored $(stored "$folder")"
done
pass "maximised close stores the normal frame"

# 4. A missing plok.his: the message comes over the placed window, whose title bar is on the
#    screen, and the next close stores the place it had.
rm -f "$folder/plok.his"
printf '[Form]\r\nTop=0\r\nLeft=0\r\nHeight=7200\r\nWidth=9000\r\n' >"$folder/plok.ini"
start_program "$folder"
message="$(wait_window "ディスク エラー")"
main="$(wait_window "$title")"
read -r left top _ _ < <(frame_geometry "$main")
[ "$left" -ge 0 ] && [ "$top" -ge 0 ] || fail "window frame at $left,$top before the message"
send_keys "$message" Return
wait_until 10 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^ディスク エラー\$')\" ]" ||
  fail "the message stayed"
send_keys "$main" Escape
wait_program_end
[ "$(stored "$folder")" = "0 0 7200 9000" ] || fail "after the message stored $(stored "$folder")"
pass "start-up message over the placed window"

# The same at scale factor 2 (a screen of twice the pixels).
if [ -z "${ZORVANE_SCALED_RUN:-}" ]; then
  desktop_stop
  ZORVANE_SCALED_RUN=1 QT_SCALE_FACTOR=2 ZORVANE_SCREEN=2600x2100 "$0"
fi
