#!/usr/bin/env bash
# Zentavo before any window, where the toolkit finds it cannot have the display: an X server that
# asks for a cookie the program lacks, a screen the server lacks, a platform that does not exist,
# Wayland with no compositor, and a display that takes the connection and never answers, on a
# loopback port and on a Unix socket, each ending in one line and status 2 within 15 s; the same
# X server with the cookie, named by DISPLAY or by -display, opens the window; -platform
# offscreen needs no display; and an X server started with -terminate, which exits when its last
# client leaves, is still there once the window shows.
#   display_refusals_test.sh ZENTAVO
set -euo pipefail
zentavo=$1
source "$(dirname "$0")/../x11_session.sh"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# expect_one_line_and_status_2 WHAT PATTERN ENV... [-- ARGUMENTS...]: Zentavo with ENV and
# ARGUMENTS says one line matching PATTERN and ends with status 2, within 15 s.
expect_one_line_and_status_2() {
  local what=$1 pattern=$2 started=$SECONDS status=0 settings=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1"); shift; done
  [ $# -eq 0 ] || shift
  env "${settings[@]}" timeout 30 "$zentavo" "$@" >"$work/out" 2>"$work/said" || status=$?
  local took=$((SECONDS - started))
  [ "$status" -eq 2 ] || fail "$what: status $status, not 2; it said: $(cat "$work/said")"
  [ "$took" -le 15 ] || fail "$what: it took ${took} s"
  [ "$(wc -l <"$work/said")" -eq 1 ] || fail "$what: not one line: $(cat "$work/said")"
  grep -q -- "$pattern" "$work/said" || fail "$what: it said: $(cat "$work/said")"
  echo "ok: $what, in ${took} s: $(cat "$work/said")"
}

step "an X server that asks for a cookie the program lacks"
# The cookie is made before the server starts, which reads it then, on a display number no
# server here uses; the server never resets, so it never reads the file again.
number=70
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
display=":$number"
xauth -f "$work/cookies" add "$display" . "$(mcookie)"
start_process Xvfb "$display" -auth "$work/cookies" -screen 0 640x480x24 -nolisten tcp -noreset \
  2>"$work/xvfb.log"
within 10 eval 'DISPLAY="$display" XAUTHORITY="$work/cookies" xdpyinfo >/dev/null 2>&1' ||
  fail "Xvfb did not start: $(cat "$work/xvfb.log")"
expect_one_line_and_status_2 "no cookie" "refused the connection" \
  DISPLAY="$display" XAUTHORITY="$work/no-cookies"

# window_of PID: whether the program PID shows a window on $display.
window_of() {
  DISPLAY="$display" XAUTHORITY="$work/cookies" xdotool search --all --onlyvisible --pid "$1" \
    --name "^Tolvek Zentavo\$" >/dev/null 2>&1
}

step "the same server with the cookie: the window opens"
DISPLAY="$display" XAUTHORITY="$work/cookies" start_process "$zentavo" 2>"$work/program.log"
within 10 window_of "$last_pid" || fail "no window with the cookie: $(cat "$work/program.log")"
echo "ok: the window opened"

step "the display named on the command line, as the toolkit reads it"
DISPLAY=":$((number + 1000))" XAUTHORITY="$work/cookies" start_process "$zentavo" \
  --display "$display" 2>"$work/program.log"
within 10 window_of "$last_pid" ||
  fail "no window on --display $display: $(cat "$work/program.log")"
echo "ok: --display $display opened the window, with DISPLAY naming no server"
expect_one_line_and_status_2 "a screen the server lacks, in DISPLAY" \
  "no X server at DISPLAY $display.1 lets the program in" DISPLAY="$display.1" XAUTHORITY="$work/cookies"
expect_one_line_and_status_2 "a screen the server lacks, in -display" \
  "no X server at -display $display.4 lets the program in" \
  DISPLAY="$display" XAUTHORITY="$work/cookies" -- -display "$display.4"

step "platforms the toolkit cannot start"
expect_one_line_and_status_2 "a misspelt platform" 'no platform plugin "xcbb"; installed: .*xcb' \
  DISPLAY="$display" XAUTHORITY="$work/cookies" -- -platform xcbb
mkdir -m 700 "$work/empty-runtime"
expect_one_line_and_status_2 "Wayland with no compositor" \
  "WAYLAND_DISPLAY is not set, and no Wayland compositor answers at wayland-0" \
  -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/empty-runtime" DISPLAY="$display" \
  XAUTHORITY="$work/cookies" -- -platform wayland

step "a platform that needs no display"
start_process env -u DISPLAY "$zentavo" -platform offscreen 2>"$work/offscreen.log"
offscreen_pid=$last_pid
within 15 grep -q libqoffscreen "/proc/$offscreen_pid/maps" ||
  fail "-platform offscreen did not start: $(cat "$work/offscreen.log")"
! grep -q "no display" "$work/offscreen.log" || fail "it said: $(cat "$work/offscreen.log")"
echo "ok: -platform offscreen started with no DISPLAY"

step "an X server that exits when its last client leaves"
# -audit 4 logs each client, with its process id, as it connects: the test waits for the
# program's own connection there, since a client of the test's own that came and went first
# would itself end this server.
start_process Xvfb -displayfd 3 -terminate -audit 4 -screen 0 640x480x24 -nolisten tcp \
  3>"$work/terminating-display" 2>"$work/terminating.log"
terminating_server=$last_pid
within 10 test -s "$work/terminating-display" || fail "Xvfb did not start: $(cat "$work/terminating.log")"
terminating=":$(cat "$work/terminating-display")"
DISPLAY="$terminating" start_process "$zentavo" 2>"$work/program.log"
program=$last_pid
within 15 grep -q "pid=$program )" "$work/terminating.log" ||
  fail "the program never connected: $(cat "$work/program.log")"
within 10 eval 'DISPLAY="$terminating" xdotool search --onlyvisible --pid "$program" >/dev/null 2>&1' ||
  fail "no window; the server is $(kill -0 "$terminating_server" 2>/dev/null && echo there || echo gone): $(cat "$work/program.log")"
kill -0 "$terminating_server" 2>/dev/null || fail "the X server exited"
kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
[ -z "$(cat /proc/"$program"/task/*/children)" ] || fail "the program started a process of its own"
echo "ok: the window opened on $terminating, and the server is still there"

step "displays that take the connection and never answer"
start_silent_listener "$work/silent-socket"
expect_one_line_and_status_2 "a silent X server on a loopback port" "did not answer" \
  DISPLAY="127.0.0.1:$((silent_port - 6000))" XAUTHORITY="$work/no-cookies"
expect_one_line_and_status_2 "a silent X server on a Unix socket" "did not answer" \
  DISPLAY=":$silent_number" XAUTHORITY="$work/no-cookies"
expect_one_line_and_status_2 "a silent Wayland compositor on a Unix socket" "did not answer" \
  -u DISPLAY WAYLAND_DISPLAY="$work/silent-socket"
echo "display refusals: all steps passed"
