#!/usr/bin/env bash
# A copy from a share whose reads hang (the FUSE mirror of the tests): キャンセル leaves the
# window answering at once, and the end of the session (SIGTERM) during such a copy cancels it,
# keeps the source, leaves nothing in the destination, saves and ends, all while the read still
# hangs (for a minute); its status is 0.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
desktop_require fusermount mountpoint
/usr/bin/python3 -c 'import fusepy' 2>/dev/null || skip "python3-fusepy is not installed"
desktop_start 1280x1024
share="$DESKTOP_WORK/share" mirror="$DESKTOP_WORK/mirror" control="$DESKTOP_WORK/control"
destination="$DESKTOP_WORK/destination"
mkdir -p "$share" "$mirror" "$control" "$destination"
trap 'touch "$control/release"; fusermount -u -z "$mirror" 2>/dev/null || true; desktop_stop' EXIT
head -c 1048576 /dev/urandom >"$share/slow.txt"
/usr/bin/python3 "$here/../support/slowfs.py" "$share" "$mirror" "$control" 2>/dev/null &
DESKTOP_PIDS+=($!)
wait_until 20 mountpoint -q "$mirror" || fail "the FUSE mirror did not mount"

folder="$(program_folder)"
{ printf '%s\r\n' "$destination"; for i in $(seq 39); do printf '\r\n'; done; } >"$folder/plok.his"
start_program "$folder" "$mirror/slow.txt"
main="$(wait_window "　Zorvane")"

# copy_until_progress: C, Enter on the first recent folder; the copy's read hangs, and its
# progress window comes.
copy_until_progress() {
  send_keys "$main" c
  send_keys "$(wait_window "ファイルコピー")" Return
  wait_window "ファイルのコピー"
}

progress="$(copy_until_progress)"
send_keys "$progress" Escape
# The dialog closes with its copy, and C, answered while the read still hangs, opens it anew.
wait_until 5 sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^ファイルコピー\$')\" ]" ||
  fail "the copy dialog stayed after キャンセル"
send_keys "$main" c
dialog="$(wait_window "ファイルコピー" 5)"
[ -z "$(ls -A "$destination")" ] || fail "a cancelled copy left: $(ls -A "$destination")"
send_keys "$dialog" Escape
pass "after キャンセル of a copy whose read hangs the window answers at once"

progress="$(copy_until_progress)"
kill -TERM "$PROGRAM_PID"
# Linux keeps a process whose thread waits in a read that a FUSE daemon has taken until the
# read returns: the program has ended when its main thread has, and its status comes after.
main_thread_ended() {
  [ ! -d "/proc/$PROGRAM_PID" ] || [ "$(cut -d' ' -f3 "/proc/$PROGRAM_PID/stat")" = Z ]
}
wait_until 5 main_thread_ended || fail "the program did not end"
[ -z "$(ls -A "$destination")" ] || fail "the ended copy left: $(ls -A "$destination")"
[ -f "$share/slow.txt" ] || fail "the source is gone"
[ -n "$(ini_value "$folder" Width)" ] || fail "the window's place was not saved"
touch "$control/release"
wait_program_end 20
status=0
wait "$PROGRAM_PID" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with $status"
pass "SIGTERM during a copy whose read hangs cancels it, saves and ends with 0"
