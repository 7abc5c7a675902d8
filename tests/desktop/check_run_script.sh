#!/usr/bin/env bash
# scripts/run resolves a relative FILE against the caller's folder, starts the program there,
# and builds only the program. Needs no display.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/desktoplib.sh"
repo="$(cd "$here/../.." && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/notes dir"
cd "$work"

out="$(ZORVANE_RUN_DRY=1 timeout 20 "$repo/scripts/run" "notes dir/memo.txt")"
expect_line "$out" "folder: $work"
expect_line "$out" "argument: $work/notes dir/memo.txt"
expect_line "$out" "build: cmake --build --preset release --target zorvane"

# Split by the shell, quoted, absolute: each arrives as one path.
out="$(ZORVANE_RUN_DRY=1 timeout 20 "$repo/scripts/run" notes dir/memo.txt)"
expect_line "$out" "argument: $work/notes dir/memo.txt"
out="$(ZORVANE_RUN_DRY=1 timeout 20 "$repo/scripts/run" /etc/hosts)"
expect_line "$out" "argument: /etc/hosts"
out="$(ZORVANE_RUN_DRY=1 timeout 20 "$repo/scripts/run")"
expect_line "$out" "folder: $work"
if grep -q '^argument:' <<<"$out"; then fail "an argument without one given"; fi
pass "run script"
