#!/usr/bin/env bash
# The quit picture button ends the program at once with exit code 0,
# whatever is typed in the fields.
set -uo pipefail
. "$(dirname "$0")/session.sh"

start_program
click_control 58 53 190 22  # 编辑框_旧的文本
xdotool type 'typed, never saved'
click_control 486 28 20 20  # 图形按钮1
expect_clean_exit "the quit button"
echo "PASS: the quit button ended the program with exit code 0"
