#!/usr/bin/env bash
# Runs Zentavo.exe under wine in a private X server with a window manager, and reads it with a
# second program that is the MSAA client a Windows screen reader would be. Zentavo.exe runs from
# a folder that also holds DLLs named oleacc.dll and uiautomationcore.dll, as a Downloads folder
# may, with native DLLs preferred as on Windows: they must never run.
#   screen_reader_client_test.sh ZENTAVO_EXE MSAA_CLIENT_EXE PLANTED_DLL
set -euo pipefail
client=$2
planted_dll=$3
source "$(dirname "$0")/../x11_session.sh"

source "$(dirname "$0")/../wine_session.sh"
start_wine_session with-window-manager

downloads="$work/Downloads"
mkdir -p "$downloads"
cp "$1" "$downloads/Zentavo.exe"
exe="$downloads/Zentavo.exe"
planted=(oleacc.dll uiautomationcore.dll)
for name in "${planted[@]}"; do cp "$planted_dll" "$downloads/$name"; done

# Wine's UI Automation reports each notification the program raises on its trace: what a
# reader would be told, where a reader cannot listen.
WINEDLLOVERRIDES="oleacc=n,b;uiautomationcore=n,b" WINEDEBUG=-all,fixme+uiautomation \
  start_process wine "$exe" 2>"$work/zentavo.trace"
within 20 eval '[ -n "$(xdotool search --onlyvisible --name "^Tolvek Zentavo$" 2>/dev/null)" ]' ||
  fail "no window appeared"
window=$(xdotool search --onlyvisible --name '^Tolvek Zentavo$' | head -n 1)
within 20 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' ||
  fail "the window did not take the keyboard focus"

step "an MSAA client in another process reads the boxes, types 150 and hears the result"
# The client reads Zentavo.exe's trace to know a notification it cannot hear was raised.
timeout 120 wine "$client" "$(winepath -w "$work/zentavo.trace" 2>/dev/null)" | tr -d '\r' |
  tee "$work/client.log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || fail "the MSAA client read something else (status $status)"
if grep -q "route announcements take: UI Automation" "$work/client.log"; then
  step "each result went to UiaRaiseNotificationEvent, in the words a reader says"
  for words in 'EN DASH' '151, EM DASH' '150, EN DASH' \
    '5 matches / 5 resultados: 150, EN DASH' '1 match / 1 resultado: 150, EN DASH'; do
    within 20 grep -q "UiaRaiseNotificationEvent.*L\"$words\"" "$work/zentavo.trace" ||
      fail "no notification \"$words\" (trace: $(grep -c UiaRaiseNotificationEvent "$work/zentavo.trace"))"
    grep "UiaRaiseNotificationEvent.*L\"$words\"" "$work/zentavo.trace" | head -n 1
  done
fi
step "no DLL planted beside Zentavo.exe ran, though the client made it load oleacc's and UI Automation's"
for name in "${planted[@]}"; do
  [ ! -e "$downloads/$name.ran" ] || fail "the $name planted beside Zentavo.exe ran"
done
echo "   none of ${planted[*]} beside Zentavo.exe ran"

# What a Windows screen reader was told, kept beside the test for the test command to show.
{
  echo "wine $(wine --version)"
  echo "the window opened with ${planted[*]} planted beside Zentavo.exe; none of them ran"
  grep -E "route announcements|hit test at the (top|middle|bottom) of Command1|^-- (Up|Down|typing)|event 0x8019" "$work/client.log" || true
  grep -A8 -E "^-- txtDeASCII read as an edit control" "$work/client.log" || true
  grep -E "^txtDeASCII name by|^put_accValue|^  the (box|row's other box)|^Ctrl\+Z: \"150\"$" "$work/client.log" | head -n 9 || true
  grep -A24 -E "^-- txtDeASCII sent indexes" "$work/client.log" || true
  grep -A2 -E "^-- a cut while another program" "$work/client.log" || true
  grep -A14 -E "^-- the character finder" "$work/client.log" || true
  grep -o 'UiaRaiseNotificationEvent.*' "$work/zentavo.trace" || true
} >screen_reader_client.summary
echo "screen-reader client: all steps passed"
