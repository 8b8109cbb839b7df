#!/usr/bin/env bash
# Runs a Windows test program under wine, in a private X server and a wine prefix of its own,
# and passes on its status.
#   run_under_wine.sh PROGRAM.exe [ARGUMENTS...]
# ZENTAVO_WINE_SECONDS bounds the program's run (240 s unless set).
set -euo pipefail
source "$(dirname "$0")/x11_session.sh"

source "$(dirname "$0")/wine_session.sh"
start_wine_session
timeout "${ZENTAVO_WINE_SECONDS:-240}" wine "$@"
