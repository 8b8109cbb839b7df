#!/usr/bin/env bash
# What the details tell of typing on the keyboard in use, read over AT-SPI from the real program:
# in a private X server whose layout is switched while it runs (setxkbmap, a locked group), with a
# compose file of the test's own, and natively on Wayland: weston's headless backend has no seat,
# so the system's layout is told; weston on X has one, whose keymap Qt 6.8 lets the program read.
#   keyboard_layouts_test.sh ZENTAVO QT_VERSION CHECK_KEYBOARD_WAYS
# Every wait is bounded, and every process this starts is ended by its id.
set -euo pipefail
zentavo=$1
qt_version=$2
check_script=$3
python=/usr/bin/python3  # Debian's, which has pyatspi

source "$(dirname "$0")/../x11_session.sh"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The compose table follows the locale, and the system's layout these variables.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset XCOMPOSEFILE XKB_DEFAULT_LAYOUT XKB_DEFAULT_VARIANT XKB_DEFAULT_OPTIONS QT_IM_MODULE

start_x_server
start_accessibility_bus

# run_check BACKEND_OR_NOTHING [-u VARIABLE] [VARIABLE=VALUE...] -- CHECK...: the program, its
# accessibility on and its environment changed as env(1) changes it, on weston's BACKEND where
# one is named (its keyboard br), checked by check_keyboard_ways.py CHECK..., then ended.
run_check() {
  local backend=$1 variables=()
  shift
  while [ "$1" != -- ]; do variables+=("$1"); shift; done
  shift
  if [ -n "$backend" ]; then
    printf '[keyboard]\nkeymap_layout=br\n' >"$work/weston.ini"
    start_process weston --backend="$backend-backend.so" --use-pixman --socket="wayland-$backend" \
      --idle-time=0 --config="$work/weston.ini" >"$work/weston-$backend.log" 2>&1
    within 10 test -S "$XDG_RUNTIME_DIR/wayland-$backend" || fail "weston did not start"
    variables=(-u DISPLAY WAYLAND_DISPLAY="wayland-$backend" QT_QPA_PLATFORM=wayland
      "${variables[@]}")
  fi
  start_process env "${variables[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$zentavo" \
    2>>"$work/zentavo.log"
  ZENTAVO_PID=$last_pid PYTHONPATH=$(dirname "$check_script") PYTHONDONTWRITEBYTECODE=1 \
    timeout 300 "$python" "$check_script" "$@" || fail "$* (it said: $(tail -n 5 "$work/zentavo.log"))"
  kill "$last_pid"
}

step "Brazilian, US international, US, US with Compose, a second group: switched while it runs"
setxkbmap -layout br
run_check "" -- x11

step "a compose file of the user's own, in XCOMPOSEFILE"
printf 'include "%%L"\n<Multi_key> <q> <q> : "\302\266" paragraph\n' >"$work/Compose"
setxkbmap -layout us -option "" -option compose:ralt
run_check "" XCOMPOSEFILE="$work/Compose" -- compose-file "$work/Compose"

command -v weston >/dev/null || { echo "weston is not installed: Wayland is skipped"; exit 0; }
step "natively on Wayland without a seat (weston's headless backend): the system's layout"
run_check headless XKB_DEFAULT_LAYOUT=br -- wayland br system

if [ "$(printf '%s\n' 6.8 "$qt_version" | sort -V | head -n 1)" = 6.8 ]; then
  step "natively on Wayland with a seat (weston on X): the compositor's keymap"
  # The system's layout says otherwise, so only the compositor's keymap gives br's dead tilde.
  setxkbmap -layout br -option ""
  run_check x11 XKB_DEFAULT_LAYOUT=us -- wayland br
else
  echo "Qt $qt_version hands out no Wayland seat: the compositor's keymap is not read"
fi
echo "keyboard layouts: all steps passed"
