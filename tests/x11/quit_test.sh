#!/usr/bin/env bash
# The quit picture button ends the program at once with exit code 0,
# whatever is typed in the fields.
set -uo pipefail
. "$(dirname "$0")/session.sh"

start_program
click_control 58 53 190 22  # 编辑框_旧的文本
xdotool type 'typed, never saved'
click_control 486 28 20 20  # 图形按钮1
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for program_ended || fail "the program is still running"
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || { cat "$scratch/program.log"; fail "exit code $status"; }
echo "PASS: the quit button ended the program with exit code 0"
