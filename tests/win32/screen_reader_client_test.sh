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

start_process wine "$exe"
within 20 eval '[ -n "$(xdotool search --onlyvisible --name "^Tolvek Zentavo$" 2>/dev/null)" ]' ||
  fail "no window appeared"
window=$(xdotool search --onlyvisible --name '^Tolvek Zentavo$' | head -n 1)
within 20 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' ||
  fail "the window did not take the keyboard focus"

step "an MSAA client in another process reads the boxes, types 150 and hears the result"
timeout 120 wine "$client" | tr -d '\r' | tee "$work/client.log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || fail "the MSAA client read something else (status $status)"
echo "screen-reader client: all steps passed"
