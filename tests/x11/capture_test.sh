#!/usr/bin/env bash
# Text that another program put on the X clipboard moves into 编辑框_旧的文本
# once 编辑框_旧的文本1 has the focus, and leaves the clipboard empty.
set -uo pipefail
. "$(dirname "$0")/session.sh"

start_program
# After startup, which empties the clipboard.
printf 'from xclip 照片' | xclip -selection clipboard
wait_for clipboard_holds 'from xclip 照片' || fail "xclip did not take the clipboard"

click_control 58 28 398 22  # 编辑框_旧的文本1
wait_for clipboard_is_empty || fail "the clipboard still holds: $(clipboard_text)"

# Read 编辑框_旧的文本 back through the clipboard: focusing it finds nothing to
# take over, and capture has stopped, so the field's own copy stays.
click_control 58 53 190 22  # 编辑框_旧的文本
xdotool key ctrl+a ctrl+c
wait_for clipboard_holds 'from xclip 照片' ||
  fail "编辑框_旧的文本 holds '$(clipboard_text)'"
echo "PASS: the X clipboard's text was taken over and the clipboard emptied"
