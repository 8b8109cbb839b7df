#!/usr/bin/env bash
# The program on a native Wayland compositor (weston's headless backend), and with no display
# at all: there it must say what is missing in one line and end with status 2, not abort.
#   wayland_and_no_display_test.sh PATH_TO_ZENTAVO
set -euo pipefail
program=$1
source "$(dirname "$0")/../x11_session.sh"
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
[[ $message == *"no Wayland compositor answers at WAYLAND_DISPLAY wayland-none"*"no X server at DISPLAY :99.0 lets the program in"* ]] ||
  fail "unexpected message: $message"

if ! command -v weston >/dev/null; then
  echo "weston is not installed: the Wayland half is skipped"
  exit 0
fi
step "a native Wayland window of 424 x 270, as the compositor shows it"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
# The pixman renderer, so that the headless output has pixels to photograph; --debug lets
# weston-screenshooter ask for them.
start_process weston --backend=headless-backend.so --use-pixman --debug --socket=wayland-zentavo \
  --idle-time=0 --no-config >"$work/weston.log" 2>&1
within 10 test -S "$runtime/wayland-zentavo" || fail "weston did not start: $(cat "$work/weston.log")"
export WAYLAND_DISPLAY=wayland-zentavo
# The client's own protocol log shows what it asked the compositor for; libwayland writes an
# object as wl_surface@13 or wl_surface#13 depending on its version.
WAYLAND_DEBUG=1 start_process "$program" 2>"$work/client.log"
program_pid=$last_pid
asked() { grep -qE "$1" "$work/client.log"; }
within 20 asked 'xdg_toplevel[@#][0-9]+\.set_title\("Tolvek Zentavo"\)' ||
  fail "no toplevel was asked for: $(tail -5 "$work/client.log")"
# A fixed size: the content area is 424 x 270 at its smallest and at its largest.
within 10 asked 'set_min_size\(424, 270\)' || fail "minimum size is not 424 x 270"
asked 'set_max_size\(424, 270\)' || fail "maximum size is not 424 x 270"

# What the compositor shows: the window's two separator lines run across the whole content
# area, 424 px long, 96 px apart (1920 and 3360 twips from its top).
separators_shown() {
  rm -f "$work"/shots/*.png
  (cd "$work/shots" && timeout 10 weston-screenshooter >/dev/null 2>&1) || return 1
  local shot
  shot=$(ls "$work"/shots/*.png 2>/dev/null | head -n 1)
  [ -n "$shot" ] || return 1
  cp "$shot" "$work/screen.png"
  /usr/bin/python3 "$(dirname "$0")/../horizontal_lines.py" "$shot" >"$work/lines"
  [ "$(cut -d' ' -f2 "$work/lines" | sort -u)" = 424 ] || return 1
  [ "$(wc -l <"$work/lines")" -eq 2 ] || return 1
  local first second
  read -r first second < <(cut -d' ' -f1 "$work/lines" | tr '\n' ' ')
  [ $((second - first)) -eq 96 ]
}
mkdir "$work/shots"
within 20 separators_shown ||
  fail "the compositor does not show the window whole; black lines found (row, length): $(cat "$work/lines" 2>/dev/null)"
kill -0 "$program_pid" || fail "the program ended"

step "a Wayland connection handed over in WAYLAND_SOCKET, and no display named"
# The way a compositor starts a client of its own: the connection is made first, and the
# program is given its descriptor. The Python process becomes the program, keeping its id.
WAYLAND_DEBUG=1 start_process /usr/bin/python3 -c '
import os, socket, sys
connection = socket.socket(socket.AF_UNIX)
connection.connect(sys.argv[1])
os.set_inheritable(connection.fileno(), True)
environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
environment["WAYLAND_SOCKET"] = str(connection.fileno())
os.execve(sys.argv[2], [sys.argv[2]], environment)
' "$runtime/wayland-zentavo" "$program" 2>"$work/handed-over.log"
within 20 grep -qE 'set_title\("Tolvek Zentavo"\)' "$work/handed-over.log" ||
  fail "no window on the handed-over connection: $(tail -3 "$work/handed-over.log")"
echo "ok: the window opened on the connection in WAYLAND_SOCKET"

step "the toolkit's Wayland support missing"
# The program as installed beside a qt.conf whose plugin folder holds the X platform alone.
mkdir -p "$work/no-wayland/plugins/platforms"
cp "$program" "$work/no-wayland/zentavo"
ln -s "$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqxcb.so' | head -n 1)")/libqxcb.so" \
  "$work/no-wayland/plugins/platforms/"
printf '[Paths]\nPlugins=plugins\n' >"$work/no-wayland/qt.conf"
set +e
message=$(env -u DISPLAY timeout 30 "$work/no-wayland/zentavo" 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 2 ] || fail "exit status $status, not 2: $message"
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] || fail "more than one line: $message"
[[ $message == *"a Wayland compositor is named (WAYLAND_DISPLAY is wayland-zentavo) but the toolkit's Wayland support (package qt6-wayland) is not installed"* ]] ||
  fail "unexpected message: $message"
echo "ok: $message"

step "a compositor that answers beside an X server that never does"
# The toolkit tries the compositor first and never asks the X server, which would keep it
# waiting.
start_silent_listener
DISPLAY=":$silent_number" WAYLAND_DEBUG=1 start_process "$program" 2>"$work/beside-silent-x.log"
within 7 grep -qE 'set_title\("Tolvek Zentavo"\)' "$work/beside-silent-x.log" ||
  fail "no window within 7 s: $(tail -3 "$work/beside-silent-x.log")"
echo "ok: the window opened on the compositor without waiting for the X server"
echo "PASSED"
