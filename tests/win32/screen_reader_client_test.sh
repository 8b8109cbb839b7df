#!/usr/bin/env bash
# Runs Zentavo.exe under wine in a private X server with a window manager, and reads it with a
# second program that is the MSAA client a Windows screen reader would be.
#   screen_reader_client_test.sh ZENTAVO_EXE MSAA_CLIENT_EXE
set -euo pipefail
exe=$1
client=$2
source "$(dirname "$0")/../x11_session.sh"

source "$(dirname "$0")/../wine_session.sh"
start_wine_session with-window-manager

# Wine's UI Automation reports each notification the program raises on its trace: what a
# reader would be told, where a reader cannot listen.
WINEDEBUG=-all,fixme+uiautomation start_process wine "$exe" 2>"$work/zentavo.trace"
within 20 eval '[ -n "$(xdotool search --onlyvisible --name "^Tolvek Zentavo$" 2>/dev/null)" ]' ||
  fail "no window appeared"
window=$(xdotool search --onlyvisible --name '^Tolvek Zentavo$' | head -n 1)
within 20 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' ||
  fail "the window did not take the keyboard focus"

step "an MSAA client in another process reads the boxes, types 150 and hears the result"
timeout 120 wine "$client" | tr -d '\r' | tee "$work/client.log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || fail "the MSAA client read something else (status $status)"
if grep -q "route announcements take: UI Automation" "$work/client.log"; then
  step "each result went to UiaRaiseNotificationEvent, in the words a reader says"
  for words in 'EN DASH' '151, EM DASH' '150, EN DASH'; do
    within 20 grep -q "UiaRaiseNotificationEvent.*L\"$words\"" "$work/zentavo.trace" ||
      fail "no notification \"$words\" (trace: $(grep -c UiaRaiseNotificationEvent "$work/zentavo.trace"))"
    grep "UiaRaiseNotificationEvent.*L\"$words\"" "$work/zentavo.trace" | head -n 1
  done
fi
# What a Windows screen reader was told, kept beside the test for the test command to show.
{
  echo "wine $(wine --version)"
  grep -E "route announcements|hit test at the (top|middle|bottom) of Command1|^-- (Up|Down|typing)|event 0x8019" "$work/client.log" || true
  grep -A8 -E "^-- txtDeASCII read as an edit control" "$work/client.log" || true
  grep -o 'UiaRaiseNotificationEvent.*' "$work/zentavo.trace" || true
} >screen_reader_client.summary
echo "screen-reader client: all steps passed"
