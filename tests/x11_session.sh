# Shared by the tests that drive a real program in a private X server; sourced, not run.
# Every wait is bounded, and every process started through start_process is ended by its id
# when the test ends, whichever way it ends.

work=$(mktemp -d)
started_pids=()

end_session() {
  local status=$?
  [ "$(type -t before_end_session)" = function ] && before_end_session "$status"
  for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do kill "${started_pids[i]}" 2>/dev/null || true; done
  # Wait for each to be gone: a dying X server removes its socket, which could by then belong
  # to the next run's server on the same display number.
  for pid in "${started_pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap end_session EXIT

step() { echo "-- $*"; }
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# within SECONDS COMMAND...: retries COMMAND until it succeeds; false after SECONDS.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# start_process COMMAND...: runs COMMAND in the background and remembers its id in $last_pid.
start_process() {
  "$@" &
  last_pid=$!
  started_pids+=("$last_pid")
}

# A private X server on a free display; exports DISPLAY.
start_x_server() {
  start_process Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$work/display" 2>"$work/xvfb.log"
  within 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(cat "$work/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  within 10 eval 'xdotool getmouselocation >/dev/null 2>&1' || fail "cannot reach $DISPLAY"
}

# openbox, once it manages the screen: a window mapped before it is never made active, and keys
# then go to no window at all.
start_window_manager() {
  start_process openbox 2>"$work/openbox.log"
  managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  within 10 managing || fail "openbox did not start: $(cat "$work/openbox.log")"
}

# A private session bus and accessibility bus, with accessibility switched on, as a desktop with
# a screen reader has them; exports DBUS_SESSION_BUS_ADDRESS.
start_accessibility_bus() {
  dbus-daemon --session --fork --print-address=4 --print-pid=5 4>"$work/bus" 5>"$work/bus.pid"
  started_pids+=("$(cat "$work/bus.pid")")
  DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
  export DBUS_SESSION_BUS_ADDRESS
  start_process /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/atspi.log"
  a11y_on() {
    for property in IsEnabled ScreenReaderEnabled; do
      dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status "string:$property" \
        variant:boolean:true >/dev/null 2>&1 || return 1
    done
  }
  within 10 a11y_on || fail "the accessibility bus did not come up"
}

# start_silent_listener [PATH...]: a listener that takes every connection and never answers, on
# a loopback port ($silent_port), on the Unix socket of an X display number it takes as X servers
# take one ($silent_number), and on each PATH. It frees the number as it is ended.
start_silent_listener() {
  start_process /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/silent_listener.py" \
    "$work/silent-listener" "$@"
  within 10 test -s "$work/silent-listener" || fail "the silent listener did not start"
  read -r silent_port silent_number <"$work/silent-listener"
}

# give_keys_to KEYSYM...: a keycode of its own for each KEYSYM, before the program under test
# starts. Otherwise xdotool types a character missing from the keyboard map by changing the map
# for that one key, and a program that takes in the new map only after the key (wine does, now
# and then) loses the character.
give_keys_to() {
  local keysym spare
  for keysym in "$@"; do
    spare=$(xmodmap -pke | awk '$2 > 8 && NF == 3 && !found { print $2; found = 1 }')
    [ -n "$spare" ] || fail "no spare keycode for $keysym"
    xmodmap -e "keycode $spare = $keysym $keysym" || fail "could not map $keysym"
  done
}

keys() { xdotool key --clearmodifiers --delay 40 "$@"; }
type_text() { xdotool type --clearmodifiers --delay 60 "$1"; }

clipboard_text() { xclip -o -selection clipboard -target UTF8_STRING 2>/dev/null; }
clipboard_is() { [ "$(clipboard_text)" = "$1" ]; }
put_on_clipboard() {
  printf '%s' "$1" | xclip -selection clipboard -target UTF8_STRING
  within 5 clipboard_is "$1" || fail "could not put '$1' on the clipboard"
}

# Reads the focused box by copying all of it, after first putting something else on the
# clipboard so that a stale copy cannot pass.
expect_focused_box_holds() {
  put_on_clipboard 'nothing copied yet'
  keys ctrl+a ctrl+c
  within 5 clipboard_is "$1" || fail "expected '$1' in the box, read '$(clipboard_text)'"
}

# From txtParaCar, with $program_pid set: 150 typed into txtDeASCII, U+2013 chosen from
# txtParaCar's Copy as menu, then Up on 65 in txtDeASCII gives B as one step, which Ctrl+Z,
# Ctrl+Y and Ctrl+Shift+Z take back and forth. Home and Shift+End select, not Ctrl+A: wine can
# miss a modifier held in the moment the focus comes back to its window.
expect_copy_as_stepping_and_undo() {
  keys shift+Tab Home shift+End
  type_text 150
  keys Tab
  expect_copy_as_code_point 'U+2013'
  keys shift+Tab Home shift+End
  type_text 65
  keys Up Tab
  expect_focused_box_holds B
  keys shift+Tab
  expect_focused_box_holds 66
  keys ctrl+z
  expect_focused_box_holds 65
  keys ctrl+y
  expect_focused_box_holds 66
  keys ctrl+z
  expect_focused_box_holds 65
  keys ctrl+shift+z
  expect_focused_box_holds 66
}

# Opens the focused box's context menu with the Menu key and chooses the third entry of its
# Copy as group, the code point; then checks the clipboard holds $1. Needs $program_pid.
expect_copy_as_code_point() {
  put_on_clipboard 'nothing copied yet'
  menu_is_open() { [ "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l)" -gt 1 ]; }
  keys Menu
  within 10 menu_is_open || fail "the context menu did not open"
  # Up wraps round to the menu's last item, Copy as; Right opens it on its first entry.
  keys Up Right Down Down Return
  within 5 clipboard_is "$1" || fail "Copy as $1 put '$(clipboard_text)' on the clipboard"
}
