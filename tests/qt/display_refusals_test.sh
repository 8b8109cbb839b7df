#!/usr/bin/env bash
# Zentavo before any window, where the display is there but will not have it: an X server that
# asks for a cookie the program lacks, and a display that takes the connection and never
# answers, on a loopback port and on a Unix socket. Each ends in one line and status 2 within
# 15 s; the same X server with the cookie opens the window.
#   display_refusals_test.sh ZENTAVO
set -euo pipefail
zentavo=$1
source "$(dirname "$0")/../x11_session.sh"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# expect_one_line_and_status_2 WHAT PATTERN ENV...: Zentavo with ENV says one line matching
# PATTERN and ends with status 2, within 15 s.
expect_one_line_and_status_2() {
  local what=$1 pattern=$2 started=$SECONDS status=0
  shift 2
  env "$@" timeout 30 "$zentavo" >"$work/out" 2>"$work/said" || status=$?
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

step "the same server with the cookie: the window opens"
DISPLAY="$display" XAUTHORITY="$work/cookies" start_process "$zentavo" 2>"$work/program.log"
within 10 eval 'DISPLAY="$display" XAUTHORITY="$work/cookies" \
  xdotool search --onlyvisible --name "^Tolvek Zentavo\$" >/dev/null 2>&1' ||
  fail "no window with the cookie: $(cat "$work/program.log")"
echo "ok: the window opened"

step "displays that take the connection and never answer"
# A display number no X server here uses, for a silent socket where X servers listen.
silent_number=90
while [ -e "/tmp/.X11-unix/X$silent_number" ]; do silent_number=$((silent_number + 1)); done
mkdir -p /tmp/.X11-unix
start_process /usr/bin/python3 -c '
import socket, sys, time
port = socket.socket(); port.bind(("127.0.0.1", 0)); port.listen()
listeners = [port]
for path in sys.argv[1:3]:
    unix = socket.socket(socket.AF_UNIX); unix.bind(path); unix.listen(); listeners.append(unix)
open(sys.argv[3], "w").write(str(port.getsockname()[1]))
held = []
while True:  # takes every connection and says nothing; ended by its id with the test
    for listener in listeners:
        listener.setblocking(False)
        try:
            held.append(listener.accept()[0])
        except BlockingIOError:
            pass
    time.sleep(0.05)
' "$work/silent-socket" "/tmp/.X11-unix/X$silent_number" "$work/silent-port"
remove_silent_x_socket() { rm -f "/tmp/.X11-unix/X$silent_number"; }
before_end_session() { remove_silent_x_socket; }
within 10 test -s "$work/silent-port" || fail "the silent listener did not start"
port=$(cat "$work/silent-port")
expect_one_line_and_status_2 "a silent X server on a loopback port" "did not answer" \
  DISPLAY="127.0.0.1:$((port - 6000))" XAUTHORITY="$work/no-cookies"
expect_one_line_and_status_2 "a silent X server on a Unix socket" "did not answer" \
  DISPLAY=":$silent_number" XAUTHORITY="$work/no-cookies"
expect_one_line_and_status_2 "a silent Wayland compositor on a Unix socket" "did not answer" \
  -u DISPLAY WAYLAND_DISPLAY="$work/silent-socket"
echo "display refusals: all steps passed"
