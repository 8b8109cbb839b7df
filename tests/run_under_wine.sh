#!/usr/bin/env bash
# Runs a Windows test program under wine, in a private X server and a wine prefix of its own,
# and passes on its status.
#   run_under_wine.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/x11_session.sh"

export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
before_end_session() { wineserver -k 2>/dev/null || true; }

start_x_server
# A server of our own, so that it is ended by its id; the prefix is made once, up front.
mkdir -p "$WINEPREFIX"
start_process wineserver --foreground --persistent
timeout 120 wineboot --init >/dev/null 2>&1 || fail "wine could not make its prefix"
timeout 240 wine "$@"
