#!/usr/bin/env bash
# The folder and list commands on the real window: the folder chosen by
# typing it into the folder dialog, the shell's "open" for the folder, for
# listed files (by double click and from the popup menu) and for the user
# guide, and the menu's delete. Names keep their own bytes up to the launcher.
set -uo pipefail
. "$(dirname "$0")/session.sh"

folder="$scratch/my photos"
mkdir "$folder"
gbk=$'\xc4\xe3\xba\xc3.txt'  # not UTF-8: listed by a rendering of its bytes
echo one >"$folder/a b.txt"
echo two >"$folder/$gbk"

launched_at_least() { [ "$(launch_count)" -ge "$1" ]; }
expect_launch() {  # n path what
  wait_for launched_at_least "$1" || fail "$3 launched nothing"
  local url
  url=$(sed -n "$1p" "$launches")
  [ "$(url_path "$url")" = "$2" ] || fail "$3 opened $url"
}

# The dialog starts in the home folder; the test types a name relative to it.
# A whole absolute path typed at machine speed can race the dialog's own
# background listing, which then selects the parent as well and rewrites the
# field to both names.
HOME=$scratch start_program
click_control 462 28 20 20  # 图形按钮2
expect_launch 1 "$(cd "$(dirname "$program")/.." && pwd)/share/batch-renamer/guide/index.html" \
  "the guide button"

click_control 461 3 46 22  # 按钮_浏览文件夹
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '请选择文件存放的路径' | head -n 1)
[ -n "$dialog" ] || fail "no folder dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 5 "${folder##*/}"
dialog_closed() { ! xdotool search --onlyvisible --name '请选择文件存放的路径' >/dev/null; }
# A first Return may only close the completer's popup.
for _ in 1 2 3; do
  xdotool key Return
  sleep 0.5
  dialog_closed && break
done
dialog_closed || fail "the dialog stayed open"

click_control 58 3 398 22  # 编辑框_文件夹地址
expect_launch 2 "$folder" "a click on the folder field"

list_row() { click_control 4 $((128 + 2)) 502 16 "$@"; }  # the first row of 列表框1
list_row 1 2
expect_launch 3 "$folder/a b.txt" "a double click on the first file"

xdotool key Down  # the second file becomes the current item
shown_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l; }
only_the_window() { [ "$(shown_windows)" -eq 1 ]; }
menu_shown() { [ "$(shown_windows)" -gt 1 ]; }
menu() {  # the menu item's place from the top: 1 打开, 2 删除
  wait_for only_the_window || fail "a window besides the main one stays open"
  click_control 4 400 502 60 3  # right click below the items
  wait_for menu_shown || fail "the right click showed no menu"
  xdotool key --delay 50 $(printf 'Down %.0s' $(seq "$1")) Return
}
menu 1
expect_launch 4 "$folder/$gbk" "the menu's 打开"

menu 2
wait_for test ! -e "$folder/$gbk" || fail "the menu's 删除 left the file"
[ -f "$folder/a b.txt" ] || fail "the menu's 删除 took the other file"
echo "PASS: folder, files and guide opened with their own bytes; the current file deleted"
