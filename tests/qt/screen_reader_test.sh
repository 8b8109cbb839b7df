#!/usr/bin/env bash
# Zentavo with the Orca screen reader, as a blind user runs it: a private X server, session bus
# and accessibility bus, a window manager, the program, and Orca writing what it would say to
# its debug log. Checks what Orca speaks, that the program keeps answering where the toolkit's
# own text interface used to spin, then sweeps every text query over AT-SPI.
#   screen_reader_test.sh ZENTAVO ATSPI_QUERY_SWEEP
# Every wait is bounded, and every process this starts is ended by its id.
set -euo pipefail
zentavo=$1
sweep=$2
python=/usr/bin/python3  # Debian's, which has pyatspi

source "$(dirname "$0")/../x11_session.sh"
before_end_session() {
  [ "$1" -eq 0 ] || { echo "--- what Orca said, the focus changes it handled, where it held the focus:"
    grep -aE "SPEECH OUTPUT|OBJECT EVENT: object:state-changed:focused|locusOfFocus" "$work/orca.log" |
      tail -n 60 || true; }
}

export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY SESSION_MANAGER

start_x_server

start_accessibility_bus
start_window_manager  # without a window manager no window is active

start_process env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$zentavo" 2>"$work/zentavo.log"
zentavo_pid=$last_pid
within 10 xdotool search --name '^Tolvek Zentavo$' >/dev/null || fail "no Zentavo window"
window=$(xdotool search --name '^Tolvek Zentavo$' | head -n 1)
within 10 eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]' ||
  fail "the window manager did not make Zentavo's window active"

# Speech goes only to the log, through a server that makes no sound: with speech-dispatcher,
# Orca stalls on a machine with no sound card, and with speech off it says no announcements.
mkdir -p "$work/orca"
export PYTHONPATH=$(dirname "$0") PYTHONDONTWRITEBYTECODE=1  # no cache left in the tree
cat >"$work/orca/user-settings.conf" <<'SETTINGS'
{"general": {"enableSpeech": true, "speechServerFactory": "silent_speech_server",
             "speechServerInfo": ["Silent", "silent"], "enableBraille": false, "enableSound": false},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
SETTINGS
# Orca writes its log line by line only to a terminal.
start_process script -q -f -c "exec orca --replace -u '$work/orca' --debug-file /dev/tty" \
  "$work/orca.log" >/dev/null 2>&1 </dev/null

mark=0
mark_now() { mark=$(stat -c %s "$work/orca.log"); }
spoken_since_mark() { tail -c +$((mark + 1)) "$work/orca.log" | grep -a 'SPEECH OUTPUT' || true; }
heard() { spoken_since_mark | grep -aiqE "$1"; }

# The window had the focus before Orca listened, so Orca may never hear of it: once Orca says it
# is on, the focus goes to the next box and back, events Orca hears whenever it started. The way
# back waits until Orca has spoken the way there: Orca drops a focus event that a later one in
# its queue makes obsolete, so with both keys at once it skipped txtParaCar and then found the
# focus back on the box it already held, and said nothing.
within 60 grep -aq "SPEECH OUTPUT: 'Screen reader on" "$work/orca.log" || fail "Orca did not start"
for attempt in 1 2 3; do
  mark_now; xdotool key Tab
  within 10 heard "Caracter" || true  # Shift+Tab follows either way
  mark_now; xdotool key shift+Tab
  within 20 heard "SPEECH OUTPUT: 'Write ASCii code to translate" && break
  [ "$attempt" -lt 3 ] || fail "Orca did not speak the focused box"
done
expect_speech() {  # PATTERN WHAT
  within 30 heard "$1" || fail "$2: Orca did not say /$1/; it said: $(spoken_since_mark | tail -n 8)"
  echo "ok: $2: $(spoken_since_mark | grep -aiE "$1" | head -n 1 | sed "s/.*SPEECH OUTPUT: //")"
}
answering() {  # TEXT: whether txtParaCar holds TEXT, asked by a fresh client each time: one
               # that saw a call time out may answer from its cache
  timeout 10 "$python" -c '
import pyatspi, sys
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "Zentavo":
        boxes = [c for c in app[0] if c.getRole() == pyatspi.ROLE_TEXT and c.name == "Caracter"]
        sys.exit(0 if boxes and boxes[0].queryText().getText(0, -1) == sys.argv[1] else 1)
sys.exit(1)' "$1" 2>/dev/null
}
# Each step waits for what Orca says in answer to it, never for a fixed time.
said_after_mark() {  # PATTERN WHAT: waits for PATTERN, quietly
  within 20 heard "$1" || fail "$2: Orca did not say /$1/; it said: $(spoken_since_mark | tail -n 8)"
}
clear_box() { mark_now; keys ctrl+a BackSpace; said_after_mark "NULL" "clearing the box"; }
focus_moves_to() { mark_now; xdotool key "$@"; }

mark_now; xdotool type --delay 120 150
expect_speech "EN DASH" "typing 150 announces the character"
clear_box; mark_now; xdotool type --delay 120 10
expect_speech "LINE FEED" "typing 10 announces the character"
clear_box; mark_now; xdotool type --delay 120 65
said_after_mark "LATIN CAPITAL LETTER A" "typing 65"
mark_now; xdotool key Up
expect_speech "66, LATIN CAPITAL LETTER B" "Up steps to 66 and says the new code"
mark_now; xdotool key Down
expect_speech "65, LATIN CAPITAL LETTER A" "Down steps back to 65 and says so"
# Orca 48 keeps what it read of an object's description until its generator next clears its
# store, every two seconds, and txtDeASCII's changed while it was typed in: where this Orca keeps
# one, wait until it has let go of what it read before going back.
orca_dir=$(dirname "$("$python" -c 'import importlib.util; print(importlib.util.find_spec("orca").origin)')")
orca_lets_go() {
  grep -q "GENERATOR: Clearing cache" "$orca_dir/generator.py" || return 0
  within 10 eval 'tail -c +$((mark + 1)) "$work/orca.log" | grep -aq "GENERATOR: Clearing cache"' ||
    fail "Orca did not let go of the descriptions it read"
}
# Orca 48 now and then lets a focus change right after another go unspoken: a user would move
# again, and so does this, three times at most.
for attempt in 1 2 3; do
  focus_moves_to Tab; said_after_mark "Caracter" "Tab to txtParaCar"
  orca_lets_go
  focus_moves_to shift+Tab
  within 10 heard "SPEECH OUTPUT: 'Write ASCii" && break
  [ "$attempt" -lt 3 ] || fail "Orca did not speak txtDeASCII when it took the focus back, three times"
done
expect_speech "SPEECH OUTPUT: '65( selected\.)?'" "focusing the box holding 65 reads 65 whole"
! heard "SPEECH OUTPUT: '6 selected" || fail "Orca dropped the last character of 65"
expect_speech "LATIN CAPITAL LETTER A" "the focused box describes its row's character"
expect_speech "LATIN CAPITAL LETTER A.*65.*U.0041.*Windows.*Alt.0065.*DOS.*Alt.65 .437, 850" \
  "the description gives the keystrokes after the name and codes, DOS 437's first in the C locale"
focus_moves_to Tab Tab; said_after_mark "Write a keyboard" "Tab to txtDeCar"
mark_now; xdotool type --delay 120 'é'
expect_speech "233" "é in the lower row announces its code"

# Home in txtParaCar holding the en dash spun the toolkit's text interface for ever. Orca asks
# for the word at the cursor after each of these keys; the x typed after them shows in the box,
# read over AT-SPI by a fresh client, only if the program got past every query.
focus_moves_to shift+Tab shift+Tab; said_after_mark "Write ASCii" "back to txtDeASCII"
clear_box; mark_now; xdotool type --delay 120 150; said_after_mark "EN DASH" "typing 150 again"
focus_moves_to Tab; said_after_mark "Caracter" "Tab to txtParaCar holding U+2013"
xdotool key Home End Home ctrl+Right ctrl+Left
xdotool type x
within 30 answering "x–" || fail "Zentavo stopped answering after Home in txtParaCar"
cpu=$(ps -o pcpu= -p "$zentavo_pid" | tr -d ' ')
echo "ok: Zentavo answers after Home in txtParaCar holding U+2013 (CPU ${cpu}%)"

# The finder: Ctrl+F opens it; Orca hears the count and the first match of each query, and the
# match used converts in the upper row as a typed code does.
focus_moves_to shift+Tab; said_after_mark "Write ASCii" "back to txtDeASCII for the finder"
mark_now; xdotool key ctrl+f
said_after_mark "Find character" "Ctrl+F opens the finder"
mark_now; xdotool type --delay 120 'dash en'
expect_speech "1 match / 1 resultado: 150, EN DASH" "the finder says how many it found and the first"
mark_now; xdotool key ctrl+a; xdotool type --delay 120 'euro'
expect_speech "1 match / 1 resultado: 128, EURO SIGN" "a new query, a new count"
mark_now; xdotool key Return
expect_speech "EURO SIGN" "Enter uses the match: txtDeASCII holds 128 and says its character"
within 30 answering "€" || fail "the match used did not convert"

timeout 600 "$python" "$sweep" || fail "the AT-SPI query sweep failed"
kill -0 "$zentavo_pid" || fail "Zentavo is gone"
echo "screen reader test passed"
