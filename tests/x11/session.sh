# Runs the real program on a private X server (Xvfb) and works its window as a
# user would, with xdotool; other programs on that display are played by
# xclip and by a stand-in for xdg-open that records what it was asked to open.
# Source it from a test script with the program's path as $1.

program=$1
for tool in xvfb-run xclip xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (./test.sh installs it)"
    exit 77
  fi
done
if [ -z "${RENAMER_ON_XVFB:-}" ]; then
  RENAMER_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
# A sanitized build checks for leaks at exit.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

scratch=$(mktemp -d)
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The launcher that Qt finds on the PATH instead of the real xdg-open.
launches=$scratch/launches
mkdir "$scratch/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' "$launches" >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
export PATH=$scratch/bin:$PATH

# Polls a command for up to ten seconds.
wait_for() {
  local deadline=$((SECONDS + 10))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# The server may take a moment to accept its first clients.
wait_for xdotool getmouselocation >/dev/null 2>&1 || fail "the X server did not come up"

start_program() {
  "$program" >"$scratch/program.log" 2>&1 &
  program_pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$program_pid" | head -n 1)
  [ -n "$window" ] || { cat "$scratch/program.log"; fail "no window appeared"; }
}

# A control's middle, by its place in the window (left, top, width, height).
click_control() {  # left top width height [button [repeat]]
  xdotool mousemove --window "$window" $(($1 + $3 / 2)) $(($2 + $4 / 2)) \
    click --repeat "${6:-1}" "${5:-1}"
}

clipboard_is_empty() { ! xclip -o -selection clipboard >/dev/null 2>&1; }
clipboard_text() { xclip -o -selection clipboard 2>/dev/null; }
clipboard_holds() { [ "$(clipboard_text)" = "$1" ]; }

# The bytes of the file URL that the launcher got.
url_path() { local url=${1#file://}; printf '%b' "${url//%/\\x}"; }

launch_count() { [ -f "$launches" ] && wc -l <"$launches" || echo 0; }

# Waits for the program to end and checks its exit code is 0.
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
expect_clean_exit() {  # what ended it
  wait_for program_ended || fail "$1 did not end the program"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" -eq 0 ] || { cat "$scratch/program.log"; fail "exit code $status after $1"; }
}
