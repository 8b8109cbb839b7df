#!/usr/bin/env bash
# Drives the real program in a real X window under a private Xvfb, with real keystrokes and
# clicks (xdotool) and reads its boxes through the clipboard (xclip). No window manager runs.
#   end_to_end_test.sh ZENTAVO SEND_CLOSE_REQUEST GRAB_WINDOW_PICTURE PICTURE.png
set -euo pipefail

zentavo=$1
send_close_request=$2
grab_window_picture=$3
picture=$4

source "$(dirname "$0")/../x11_session.sh"
start_x_server

visible_windows() { xdotool search --onlyvisible --name '^Tolvek Zentavo$' 2>/dev/null || true; }
window_count_is() { [ "$(visible_windows | wc -l)" -eq "$1" ]; }

start_program() {
  start_process "$zentavo" 2>"$work/program.log"
  program_pid=$last_pid
  within 10 window_count_is 1 || fail "no window appeared: $(cat "$work/program.log")"
  window=$(visible_windows)
  xdotool windowfocus --sync "$window"
  # Keys go to the focused window, and the code input has the focus within it from the start.
  within 10 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' ||
    fail "the window did not take the keyboard focus"
}

program_is_running() { kill -0 "$program_pid" 2>/dev/null; }

# Waits up to $1 seconds for the program to end and checks its exit status is 0.
expect_program_ends_cleanly() {
  local deadline=$1
  within "$deadline" eval '! program_is_running' || fail "the program still runs after ${deadline}s"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/program.log")"
}

step "start; the window system gets the icon; type 65 in the upper row and read A"
start_program
# 16 x 16 first: the property holds each size as width, height and then the pixels.
icon_given() { [ "$(xprop -notype -id "$window" -f _NET_WM_ICON 32c '=$0,$1' _NET_WM_ICON 2>/dev/null)" = '_NET_WM_ICON=16,16' ]; }
within 10 icon_given || fail "the window has no icon: $(xprop -id "$window" _NET_WM_ICON 2>&1 | cut -c1-80)"
type_text 65
keys Tab
expect_focused_box_holds A

step "type A in the lower row and read 65"
keys Tab
type_text A
"$grab_window_picture" "$window" "$picture" || fail "could not take the window's picture"
keys Tab
expect_focused_box_holds 65

step "Ctrl+A in a box fills X11's PRIMARY selection, as the line edit's own key does"
primary_is() { [ "$(xclip -o -selection primary -target UTF8_STRING 2>/dev/null)" = "$1" ]; }
keys shift+Tab  # txtDeCar, which holds A
printf '%s' 'nothing selected yet' | xclip -selection primary -target UTF8_STRING
within 5 primary_is 'nothing selected yet' || fail "could not put a text in PRIMARY"
keys ctrl+a
within 5 primary_is A || fail "PRIMARY holds '$(xclip -o -selection primary 2>/dev/null)', not A"
keys Tab

step "type 300: the failure is reported, acknowledged by keyboard, and the program goes on"
keys shift+Tab shift+Tab shift+Tab ctrl+a
type_text 300
within 10 window_count_is 2 || fail "no failure report appeared"
report=$(visible_windows | grep -v "^$window\$")
xdotool windowfocus --sync "$report"
keys Return
within 10 window_count_is 1 || fail "the failure report did not go away"
program_is_running || fail "the program ended after the failure report"
keys ctrl+a
type_text 66
keys Tab
expect_focused_box_holds B

step "type 150; choose U+2013 from txtParaCar's Copy as menu; Up in txtDeASCII holding 65 gives B; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z undo and redo the step"
expect_copy_as_stepping_and_undo

step "click Exit/Sair: the program ends with status 0"
# The button's middle, in the window's own coordinates (Command1 spans 280-369 x 232-257).
xdotool mousemove --window "$window" 324 244 click 1
# The bound is generous for a sanitized build on a busy machine: a program that is meant to
# end and does not still fails, it just fails later.
expect_program_ends_cleanly 20

step "start again and close the window through the window system"
start_program
"$send_close_request" "$window"
expect_program_ends_cleanly 20

echo "end to end: all steps passed"
