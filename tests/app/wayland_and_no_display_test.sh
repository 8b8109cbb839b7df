#!/usr/bin/env bash
# The program on a native Wayland compositor (weston's headless backend), and with no display
# at all: there it must say what is missing in one line and end with status 2, not abort.
#   wayland_and_no_display_test.sh PATH_TO_ZENTAVO
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

step "no display at all"
set +e
message=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 2 ] || fail "exit status $status, not 2: $message"
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] || fail "more than one line: $message"
[[ $message == "zentavo: no display to open the window on: neither WAYLAND_DISPLAY nor DISPLAY is set." ]] ||
  fail "unexpected message: $message"

step "displays named but none answering"
set +e
message=$(XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=wayland-none DISPLAY=:99.0 "$program" 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 2 ] || fail "exit status $status, not 2: $message"
[[ $message == *"no Wayland compositor answers at $work/wayland-none"*"no X server answers at DISPLAY :99.0"* ]] ||
  fail "unexpected message: $message"

if ! command -v weston >/dev/null; then
  echo "weston is not installed: the Wayland half is skipped"
  exit 0
fi
step "a native Wayland window of 424 x 270"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
start_process weston --backend=headless-backend.so --socket=wayland-zentavo --idle-time=0 \
  --no-config >"$work/weston.log" 2>&1
within 10 test -S "$runtime/wayland-zentavo" || fail "weston did not start: $(cat "$work/weston.log")"
export WAYLAND_DISPLAY=wayland-zentavo
# The client's own protocol log shows what it asked the compositor for.
WAYLAND_DEBUG=1 start_process "$program" 2>"$work/client.log"
program_pid=$last_pid
within 20 grep -q 'wl_surface@[0-9]*\.commit()' "$work/client.log" ||
  fail "no surface was committed: $(tail -5 "$work/client.log")"
within 10 grep -q 'create_buffer' "$work/client.log" || fail "no buffer was drawn"
grep -q 'xdg_toplevel@[0-9]*\.set_title("Tolvek Zentavo")' "$work/client.log" || fail "no toplevel"
# A fixed size: the content area is 424 x 270 at its smallest and at its largest.
grep -q 'set_min_size(424, 270)' "$work/client.log" || fail "minimum size is not 424 x 270"
grep -q 'set_max_size(424, 270)' "$work/client.log" || fail "maximum size is not 424 x 270"
kill -0 "$program_pid" || fail "the program ended"
echo "PASSED"
