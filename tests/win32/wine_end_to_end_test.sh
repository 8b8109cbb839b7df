#!/usr/bin/env bash
# Drives Zentavo.exe under wine in a private X server with a window manager (without one, wine
# does not hand the keyboard focus to a message box), with real keystrokes and clicks, and reads
# its boxes through the clipboard.
#   wine_end_to_end_test.sh ZENTAVO_EXE
set -euo pipefail
exe=$1
source "$(dirname "$0")/../x11_session.sh"

source "$(dirname "$0")/../wine_session.sh"
start_wine_session with-window-manager
give_keys_to eacute

visible_windows() { xdotool search --onlyvisible --name '^Tolvek Zentavo$' 2>/dev/null || true; }
window_count_is() { [ "$(visible_windows | wc -l)" -eq "$1" ]; }
program_is_running() { kill -0 "$program_pid" 2>/dev/null; }
window_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }

start_program() {
  start_process wine "$exe"
  program_pid=$last_pid
  within 20 window_count_is 1 || fail "no window appeared"
  window=$(visible_windows)
  within 20 window_has_focus || fail "the window did not take the keyboard focus"
}

expect_program_ends_with_status_0() {
  within 20 eval '! program_is_running' || fail "the program still runs after 20 s"
  local status=0
  wait "$program_pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

step "the window appears with its caption and a 424x270 client area"
start_program
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = 424x270 ] || fail "the client area is $size"

step "typing 65 shows A, and 150 shows the en dash"
type_text 65
keys Tab
expect_focused_box_holds A
keys shift+Tab
type_text 150
keys Tab
expect_focused_box_holds '–'

step "é in the lower row shows 233"
keys Tab
type_text 'é'
keys Tab
expect_focused_box_holds 233

step "a paste with a character outside Windows-1252 is refused whole"
keys shift+Tab
put_on_clipboard '€uro'
keys ctrl+a ctrl+v
expect_focused_box_holds '€uro'
put_on_clipboard 'Ā and more'
keys ctrl+a ctrl+v
expect_focused_box_holds '€uro'

step "Tab follows the tab order and wraps around; Shift+Tab goes back"
keys Tab Tab  # from txtDeCar past txtParaASCII to Command1
# From the button, and only from there, Tab wraps around to txtDeASCII.
keys Tab
expect_focused_box_holds 150
keys Tab
expect_focused_box_holds '–'
keys Tab
expect_focused_box_holds '€uro'
keys shift+Tab shift+Tab
expect_focused_box_holds 150

step "Enter and Esc in a box do nothing"
keys Return Escape
# Keys are taken in order: once the copy after them is done, so are they.
expect_focused_box_holds 150
program_is_running && window_count_is 1 || fail "Enter or Esc did something"

step "650 shows the failure report; Enter acknowledges it and the program converts again"
keys ctrl+a
type_text 650
within 10 window_count_is 2 || fail "no failure report appeared"
report=$(visible_windows | grep -v "^$window\$")
report_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$report" ]; }
within 10 report_has_focus || fail "the failure report did not take the focus"
keys Return
within 10 window_count_is 1 || fail "the failure report did not go away"
program_is_running || fail "the program ended after the failure report"
# Wine may still be taking the keyboard state back as the focus returns, and can miss a
# modifier held in that moment; Home and Shift+End select as well.
within 10 window_has_focus || fail "the focus did not come back to the window"
keys Home shift+End
type_text 66
keys Tab
expect_focused_box_holds B

step "150; U+2013 chosen from txtParaCar's Copy as menu; Up in txtDeASCII holding 65 gives B; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z undo and redo the step"
expect_copy_as_stepping_and_undo

step "Exit/Sair clicked ends the program with status 0"
xdotool mousemove --window "$window" 324 244 click 1  # the middle of Command1
expect_program_ends_with_status_0

step "the window's close request ends it with status 0"
start_program
keys alt+F4  # the window manager's close command
expect_program_ends_with_status_0

step "Space on the button ends it with status 0"
start_program
keys Tab Tab Tab Tab space
expect_program_ends_with_status_0

step "at 144 dpi the window fits what it shows at the DPI it is given"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
  fail "could not set wine's DPI"
start_program
# What the window shows, whatever frame wine and the window manager draw round it: the two
# separator lines run across the whole client area of 6360 twips, at 1920 and 3360 twips from
# its top. At the DPI the window is given they must be 6360 * DPI / 1440 pixels long and
# 1440 * DPI / 1440 apart: wine 8 gives the window the 144 dpi set here, and wine 10 gives a
# per-monitor-aware window 96 whatever the screen's.
wine_major=$(wine --version | sed -n 's/^wine-\([0-9]*\).*/\1/p')
if [ "$wine_major" -le 8 ]; then given_dpi=144; else given_dpi=96; fi
laid_out_at_given_dpi() {
  import -window "$window" "$work/144dpi.png" 2>/dev/null || return 1
  /usr/bin/python3 "$(dirname "$0")/../horizontal_lines.py" "$work/144dpi.png" >"$work/lines"
  local length first second
  [ "$(wc -l <"$work/lines")" -eq 2 ] || return 1
  length=$(cut -d' ' -f2 "$work/lines" | sort -u)
  first=$(sed -n 1p "$work/lines" | cut -d' ' -f1)
  second=$(sed -n 2p "$work/lines" | cut -d' ' -f1)
  [ "$length" = $((6360 * given_dpi / 1440)) ] && [ $((second - first)) -eq "$given_dpi" ] &&
    [ "$(identify -format '%w' "$work/144dpi.png")" = "$length" ]  # and the window fits them
}
within 20 laid_out_at_given_dpi ||
  fail "the window is not laid out at ${given_dpi} dpi; lines (row, length): $(cat "$work/lines")"
echo "   laid out at ${given_dpi} dpi (wine ${wine_major}): $(cut -d' ' -f2 "$work/lines" | head -n 1) px wide"
keys alt+F4
expect_program_ends_with_status_0

echo "wine end to end: all steps passed"
