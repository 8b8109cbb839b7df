# Shared by the tests that run Windows programs under wine; sourced after x11_session.sh, not run.

export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
before_end_session() { wineserver -k 2>/dev/null || true; }

# start_wine_session [with-window-manager]: a private X server, openbox when asked (without a
# window manager wine hands the keyboard focus to no message box), and a wine server and prefix
# of the session's own: the server is started here so that it is ended by its id, and the
# prefix is made once, up front.
start_wine_session() {
  start_x_server
  [ "${1:-}" != with-window-manager ] || start_window_manager
  mkdir -p "$WINEPREFIX"
  start_process wineserver --foreground --persistent
  timeout 120 wineboot --init >/dev/null 2>&1 || fail "wine could not make its prefix"
}
