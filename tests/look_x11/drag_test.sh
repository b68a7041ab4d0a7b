#!/usr/bin/env bash
# The real program on a private X server, without a window manager or with
# openbox ($2: none or openbox): a drag on a label moves the window, a drag
# on an edit box does not, a drag far past the screen's edge leaves the
# labels reachable, the screen shows the window's colour and both picture
# buttons, and Esc ends the program with exit code 0.
set -uo pipefail
window_manager=${2:-none}
. "$(dirname "$0")/../x11/session.sh"

for tool in xwininfo convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

wm_pid=
if [ "$window_manager" = openbox ]; then
  command -v openbox >/dev/null 2>&1 || { echo "SKIPPED: openbox is not installed"; exit 77; }
  openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
  wm_pid=$!
  trap '[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; cleanup' EXIT
  wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for wm_running || { cat "$scratch/openbox.log"; fail "openbox did not come up"; }
fi

position() {
  xwininfo -id "$window" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}

# Presses the left button at a point of the window, moves the mouse by the
# offset in a few steps, releases.
drag() {  # x y dx dy
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.2
  for step in 1 2 3 4; do
    xdotool mousemove_relative -- $(($3 / 4)) $(($4 / 4))
    sleep 0.05
  done
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}

# The colour of one screen pixel as "r,g,b".
pixel() {  # x y
  convert "$scratch/screen.png" -crop "1x1+$1+$2" +repage \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}
near() {  # "r,g,b" "r,g,b" tolerance
  local IFS=,
  read -r r1 g1 b1 <<<"$1"
  read -r r2 g2 b2 <<<"$2"
  local d=$(((r1 - r2) ** 2 + (g1 - g2) ** 2 + (b1 - b2) ** 2))
  [ "$d" -le $(($3 * $3)) ]
}

start_program
old_position=
position_changed() { [ "$(position)" != "$old_position" ]; }
wait_for_position_change() {  # old position
  old_position=$1
  wait_for position_changed
}

read -r x0 y0 < <(position)
echo "window at $x0,$y0 ($window_manager)"

drag 10 10 80 60  # on the label 文件目录
wait_for_position_change "$x0 $y0" || fail "a drag on a label did not move the window"
sleep 0.3
read -r x1 y1 < <(position)
[ "$x1" -eq $((x0 + 80)) ] && [ "$y1" -eq $((y0 + 60)) ] ||
  fail "a drag by 80,60 on a label moved the window from $x0,$y0 to $x1,$y1"

drag 200 38 80 60  # on the edit box 编辑框_旧的文本1
sleep 0.3
[ "$(position)" = "$x1 $y1" ] || fail "a drag on an edit box moved the window to $(position)"

if [ "$window_manager" = none ]; then
  drag 10 40 -4000 0  # on the label 选中件名, far past the left edge
  read -r x2 y2 < <(position)
  [ $((x2 + 55)) -ge 20 ] || fail "the labels left the screen: the window is at $x2,$y2"
  drag $((20 - x2 - 5)) 40 400 0  # on what is left of the labels
  read -r x3 _ < <(position)
  [ "$x3" -ge 0 ] || fail "the window did not come back: it is at $x3"
fi

xdotool mousemove 0 0
sleep 0.3
import -window root "$scratch/screen.png" || fail "no screenshot"
[ -n "${LOOK_SCREENSHOT:-}" ] && cp "$scratch/screen.png" "$LOOK_SCREENSHOT"
read -r x y < <(position)
for spot in "1 300" "508 470" "162 118"; do
  set -- $spot
  colour=$(pixel $((x + $1)) $((y + $2)))
  near "$colour" 116,185,255 6 || fail "the background at $1,$2 is $colour"
done
quit=$(pixel $((x + 496)) $((y + 29)))
help=$(pixel $((x + 472)) $((y + 29)))
near "$quit" 216,30,30 60 || fail "the quit button's ring is $quit"
near "$help" 255,140,0 60 || fail "the web-page button's ring is $help"

xdotool mousemove --window "$window" 300 300
sleep 0.1
xdotool key --clearmodifiers Escape
expect_clean_exit "Esc"
echo "PASS: drag, look and Esc on the real program ($window_manager)"
