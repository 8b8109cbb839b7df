#!/usr/bin/env bash
# What the details tell of typing each character on the keyboard in use, read over AT-SPI from
# the real program: in a private X server whose layout is switched while the program runs
# (setxkbmap, and a group locked as a desktop's switcher locks it), with a compose file of the
# test's own in XCOMPOSEFILE, and natively on Wayland. weston's headless backend offers no seat,
# so there the program names the system's layout; weston on X offers one, whose keymap the
# program reads where the toolkit hands out its seat (Qt 6.8 and later).
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

# start_program [-u VARIABLE] [VARIABLE=VALUE...]: the program, its accessibility on, with the
# environment changed as env(1) changes it; its id in $program_pid.
start_program() {
  start_process env "$@" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$zentavo" 2>>"$work/zentavo.log"
  program_pid=$last_pid
}
end_program() {
  kill "$program_pid"
  within 10 eval '! kill -0 "$program_pid" 2>/dev/null' || fail "the program did not end"
}
check() {
  ZENTAVO_PID=$program_pid PYTHONPATH=$(dirname "$check_script") PYTHONDONTWRITEBYTECODE=1 \
    timeout 300 "$python" "$check_script" "$@" ||
    fail "$* (the program said: $(tail -n 5 "$work/zentavo.log"))"
}

step "Brazilian, US international, US, US with Compose, a second group: switched while it runs"
setxkbmap -layout br
start_program
check x11
end_program

step "a compose file of the user's own, in XCOMPOSEFILE"
cat >"$work/Compose" <<'COMPOSE'
include "%L"
<Multi_key> <q> <q> : "¶" paragraph
COMPOSE
setxkbmap -layout us -option "" -option compose:ralt
start_program XCOMPOSEFILE="$work/Compose"
check compose-file "$work/Compose"
end_program

if ! command -v weston >/dev/null; then
  echo "weston is not installed: the Wayland half is skipped"
  exit 0
fi
printf '[keyboard]\nkeymap_layout=br\n' >"$work/weston.ini"

step "natively on Wayland without a seat (weston's headless backend): the system's layout"
start_process weston --backend=headless-backend.so --use-pixman --socket=wayland-headless \
  --idle-time=0 --config="$work/weston.ini" >"$work/weston-headless.log" 2>&1
within 10 test -S "$XDG_RUNTIME_DIR/wayland-headless" || fail "weston did not start"
start_program -u DISPLAY WAYLAND_DISPLAY=wayland-headless QT_QPA_PLATFORM=wayland \
  XKB_DEFAULT_LAYOUT=br
check wayland br system
end_program

if [ "$(printf '%s\n' 6.8 "$qt_version" | sort -V | head -n 1)" != 6.8 ]; then
  echo "Qt $qt_version hands out no Wayland seat: the compositor's keymap is not read"
  echo "keyboard layouts: all steps passed"
  exit 0
fi
step "natively on Wayland with a seat (weston on X): the compositor's keymap"
setxkbmap -layout br -option ""
start_process weston --backend=x11-backend.so --use-pixman --socket=wayland-seat \
  --idle-time=0 --config="$work/weston.ini" >"$work/weston-x11.log" 2>&1
within 10 test -S "$XDG_RUNTIME_DIR/wayland-seat" || fail "weston did not start"
# The system's layout says otherwise, so only the compositor's keymap gives br's dead tilde.
start_program -u DISPLAY WAYLAND_DISPLAY=wayland-seat QT_QPA_PLATFORM=wayland XKB_DEFAULT_LAYOUT=us
check wayland br
end_program
echo "keyboard layouts: all steps passed"
