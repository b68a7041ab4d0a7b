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
# offset in four steps, releases. A move that is expected must have begun
# before the last steps (under load the program may take a while to hand the
# press to the window manager), and the window must stand at its new place
# before the button is released.
drag() {  # x y dx dy [expected position]
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.1
  local before
  before=$(position)
  xdotool mousedown 1
  sleep 0.2
  xdotool mousemove_relative -- $(($3 / 4)) $(($4 / 4))
  [ -n "${5:-}" ] && wait_for_move_from "$before"
  for step in 2 3 4; do
    sleep 0.05
    xdotool mousemove_relative -- $(($3 / 4)) $(($4 / 4))
  done
  if [ -n "${5:-}" ]; then
    expected_position=$5
    wait_for at_expected_position
  fi
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}
old_position=
position_changed() { [ "$(position)" != "$old_position" ]; }
wait_for_move_from() { old_position=$1; wait_for position_changed; }
expected_position=
at_expected_position() { [ "$(position)" = "$expected_position" ]; }

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
if [ "$window_manager" = openbox ]; then
  # The window manager may still place the window after it is shown.
  managed() { xprop -id "$window" WM_STATE 2>/dev/null | grep -q 'Normal'; }
  wait_for managed || fail "openbox did not manage the window"
  sleep 0.3
fi

read -r x0 y0 < <(position)
echo "window at $x0,$y0 ($window_manager)"

drag 10 10 80 60 "$((x0 + 80)) $((y0 + 60))"  # on the label 文件目录
sleep 0.3
read -r x1 y1 < <(position)
[ "$x1 $y1" != "$x0 $y0" ] || fail "a drag on a label did not move the window"
[ "$x1" -eq $((x0 + 80)) ] && [ "$y1" -eq $((y0 + 60)) ] ||
  fail "a drag by 80,60 on a label moved the window from $x0,$y0 to $x1,$y1"

drag 200 38 80 60  # on the edit box 编辑框_旧的文本1
sleep 0.3
[ "$(position)" = "$x1 $y1" ] || fail "a drag on an edit box moved the window to $(position)"

if [ "$window_manager" = none ]; then
  drag 10 40 -4000 0  # on the label 选中件名, far past the left edge
  wait_for_move_from "$x1 $y1"
  read -r x2 y2 < <(position)
  [ $((x2 + 55)) -ge 20 ] || fail "the labels left the screen: the window is at $x2,$y2"
  drag $((20 - x2 - 5)) 40 400 0  # on what is left of the labels
  wait_for_move_from "$x2 $y2"
  read -r x3 _ < <(position)
  [ "$x3" -ge 0 ] || fail "the window did not come back: it is at $x3"
fi

# The window is repainted after a move in its own time: look again until the
# screen shows it, for up to ten seconds.
look_fault=
looks_right() {
  import -window root "$scratch/screen.png" || { look_fault="no screenshot"; return 1; }
  local x y colour
  read -r x y < <(position)
  for spot in "1 300" "508 470" "162 118"; do
    set -- $spot
    colour=$(pixel $((x + $1)) $((y + $2)))
    near "$colour" 116,185,255 6 || { look_fault="the background at $1,$2 is $colour"; return 1; }
  done
  colour=$(pixel $((x + 496)) $((y + 29)))
  near "$colour" 216,30,30 60 || { look_fault="the quit button's ring is $colour"; return 1; }
  colour=$(pixel $((x + 472)) $((y + 29)))
  near "$colour" 255,140,0 60 || { look_fault="the web-page button's ring is $colour"; return 1; }
}
xdotool mousemove 0 0
wait_for looks_right || fail "$look_fault"
[ -n "${LOOK_SCREENSHOT:-}" ] && cp "$scratch/screen.png" "$LOOK_SCREENSHOT"

xdotool mousemove --window "$window" 300 300
sleep 0.1
xdotool key --clearmodifiers Escape
expect_clean_exit "Esc"
echo "PASS: drag, look and Esc on the real program ($window_manager)"
