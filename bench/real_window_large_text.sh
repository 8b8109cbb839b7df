#!/usr/bin/env bash
# What a huge text costs in the real program, in a real X window (Xvfb with a window manager):
# a paste from the clipboard (xclip) into txtDeASCII, one keystroke, one undo, and the CPU while
# the program idles, with its peak memory. A step is timed from the key until the program's CPU
# time has stood still for a quiet spell, less that spell. Prints numbers, asserts nothing.
#   bench/real_window_large_text.sh PROGRAM [SIZE_KIB...]
set -euo pipefail
program=$(realpath "$1")
shift
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(64 1024 10240)

source "$(dirname "$0")/../tests/x11_session.sh"
start_x_server
start_process openbox 2>"$work/openbox.log"  # without a window manager no window is active

clock_ticks=$(getconf CLK_TCK)
# These set `ticks` and `now` without starting a process (no command substitution), so that
# polling takes no core from the program.
read_cpu_ticks() {
  local stat fields
  read -r stat <"/proc/$1/stat"
  read -r -a fields <<<"${stat##*) }"  # the fields after the command name
  ticks=$((fields[11] + fields[12]))  # utime and stime, fields 14 and 15 of the whole line
}
read_now_ms() {
  local micro=${EPOCHREALTIME/[.,]/}
  now=$((micro / 1000))
}
cpu_ticks() {
  read_cpu_ticks "$1"
  echo "$ticks"
}
now_ms() {
  read_now_ms
  echo "$now"
}

exec {sleeper}<> <(:)  # a pipe nothing is written to: reading it only waits

# quiet_after PID START_MS: waits (at most 120 s) until the CPU time of PID has not moved for
# 200 ms and prints the milliseconds from START_MS to the last movement.
quiet_after() {
  local pid=$1 start=$2 last_ticks last_change ticks now
  read_cpu_ticks "$pid"
  last_ticks=$ticks
  read_now_ms
  last_change=$now
  while :; do
    read -r -t 0.01 -u "$sleeper" || true  # a 10 ms wait without starting sleep(1)
    read_now_ms
    read_cpu_ticks "$pid"
    if [ "$ticks" != "$last_ticks" ]; then
      last_ticks=$ticks
      last_change=$now
    elif ((now - last_change >= 200 || now - start >= 120000)); then
      echo $((last_change - start))
      return
    fi
  done
}

printf '%-9s %9s %12s %8s %10s %13s\n' size "paste ms" "keystroke ms" "undo ms" "idle CPU %" "peak RSS MiB"
for kib in "${sizes[@]}"; do
  { printf 65; head -c $((kib * 1024 - 2)) /dev/zero | tr '\0' ' '; } >"$work/text"
  xclip -selection clipboard -target UTF8_STRING -i "$work/text"
  start_process "$program"
  pid=$last_pid
  within 20 eval 'xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1' ||
    fail "the window did not appear"
  window=$(xdotool search --onlyvisible --pid "$pid" | head -n 1)
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  quiet_after "$pid" "$(now_ms)" >/dev/null

  start=$(now_ms); xdotool key --clearmodifiers ctrl+v; paste=$(quiet_after "$pid" "$start")
  start=$(now_ms); xdotool key --clearmodifiers space; keystroke=$(quiet_after "$pid" "$start")
  start=$(now_ms); xdotool key --clearmodifiers ctrl+z; undo=$(quiet_after "$pid" "$start")
  xdotool key --clearmodifiers ctrl+shift+z; quiet_after "$pid" "$(now_ms)" >/dev/null
  before=$(cpu_ticks "$pid"); sleep 3; after=$(cpu_ticks "$pid")
  idle=$(awk -v t=$((after - before)) -v hz="$clock_ticks" 'BEGIN { printf "%.1f", 100 * t / hz / 3 }')
  # A failure report would have taken the keys: only the main window may be showing.
  [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -eq 1 ] || fail "a dialog opened"
  peak=$(awk '/^VmHWM:/ { printf "%d", $2 / 1024 }' "/proc/$pid/status")
  printf '%-9s %9s %12s %8s %10s %13s\n' "$kib KiB" "$paste" "$keystroke" "$undo" "$idle" "$peak"
  kill "$pid"
done
