#!/usr/bin/env bash
# Drags text with the mouse from another program's editor into txtDeCar, in a private Xvfb with
# real pointer events. A text txtDeCar refuses must stay whole in its source, and a text it
# takes must arrive, which shows the drag itself works here.
#   drop_from_another_program_test.sh ZENTAVO PLAIN_TEXT_EDITOR
set -euo pipefail

zentavo=$1
plain_text_editor=$2
refused_text='naïve – 日本語'
taken_text='éclair'

source "$(dirname "$0")/../x11_session.sh"
start_x_server

window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
editor_holds() { [ "$(cat "$work/held.txt" 2>/dev/null)" = "$1" ]; }
drags_ended() { [ "$(cat "$work/drags.txt" 2>/dev/null)" = "$1" ]; }

# Selects the editor's line number $1 (1 or 2) from the keyboard.
select_editor_line() {
  xdotool windowfocus --sync "$editor"
  keys ctrl+Home
  [ "$1" -eq 1 ] || keys Down
  keys Home shift+End
}

# Presses on the first characters of the editor's line $1 (its lines are 14 pixels apart, the
# first at y 13) and drags them, in small steps, onto txtDeCar's left-hand end (the box spans
# 272-313 x 176-201 in the window's own coordinates).
drag_line_to_character_box() {
  local y=$((13 + ($1 - 1) * 14)) step
  xdotool mousemove --window "$editor" 12 "$y" mousedown 1
  for step in 1 2 3 4 5; do
    xdotool mousemove --window "$editor" $((12 + step * 8)) $((y - step * 4))
    sleep 0.05  # paces the pointer like a hand; no outcome is read here
  done
  for step in 1 2 3 4 5 6; do
    xdotool mousemove --window "$window" $((225 + step * 8)) 188
    sleep 0.05
  done
  xdotool mouseup 1
}

step "start Zentavo with k in txtDeCar, and an editor holding two lines"
start_process "$zentavo" 2>"$work/program.log"
within 10 has_window 'Tolvek Zentavo' || fail "no window appeared: $(cat "$work/program.log")"
window=$(window_named 'Tolvek Zentavo')
xdotool windowfocus --sync "$window"
keys Tab Tab  # from txtDeASCII past txtParaCar to txtDeCar
type_text k
expect_focused_box_holds k
keys Tab
expect_focused_box_holds 107
keys shift+Tab
start_process "$plain_text_editor" "$refused_text"$'\n'"$taken_text" "$work/held.txt" \
  "$work/drags.txt"
within 10 has_window 'Drag source' || fail "the editor did not appear"
editor=$(window_named 'Drag source')
within 10 editor_holds "$refused_text"$'\n'"$taken_text" || fail "the editor did not start"

step "drag '$refused_text' into txtDeCar: refused, and still whole in the editor"
select_editor_line 1
drag_line_to_character_box 1
# The source itself says a drag was made and that its target refused it: a drag that never
# started would leave the editor whole too.
within 20 drags_ended "ended: ignore" ||
  fail "the editor's drags ended: '$(cat "$work/drags.txt" 2>/dev/null)'"

step "drag '$taken_text' into txtDeCar: it moves out of the editor and converts"
select_editor_line 2
drag_line_to_character_box 2
# The second drop comes after the first has ended, so this also shows the first one's outcome.
# (What the editor holds is read without its last line break.)
within 20 drags_ended "ended: ignore"$'\n'"ended: move" ||
  fail "the editor's drags ended: '$(cat "$work/drags.txt" 2>/dev/null)'"
within 20 editor_holds "$refused_text" ||
  fail "after both drags the editor holds '$(cat "$work/held.txt")'"
xdotool windowfocus --sync "$window"
within 10 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' ||
  fail "the window did not take the keyboard focus back"
# Dropped before the k, so the code shown changes from k's to that of the text's first character.
expect_focused_box_holds "${taken_text}k"
keys Tab
expect_focused_box_holds 233

echo "drop from another program: all steps passed"
