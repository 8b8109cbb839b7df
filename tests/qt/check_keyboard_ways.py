"""What the running Zentavo tells of typing a character on the keyboard in use, read over AT-SPI
as a screen reader reads it (txtDeASCII's description), against the layouts' own data
(keyboard_oracle.py): every way it tells is a real way of the layout, the first is among the
shortest, none is told where the layout has none, and the ways people know come first.

usage: check_keyboard_ways.py x11                 the layouts below, switched while it runs
       check_keyboard_ways.py compose-file FILE   us with Compose on right Alt, and FILE as
                                                  the program's XCOMPOSEFILE
       check_keyboard_ways.py wayland LAYOUT SYSTEM?  the compositor's LAYOUT, or the
                                                  system's where SYSTEM is "system"
(with DISPLAY or WAYLAND_DISPLAY, and the session bus of a running Zentavo)
"""
import ctypes
import os
import re
import subprocess
import sys
import time

import pyatspi

import keyboard_oracle

LOCALE = "C.UTF-8"
PATIENCE = 20  # seconds: the layout is read after a switch, on a thread of its own
TITLE = re.compile(r"This keyboard( \(system layout\))? / Este teclado( \(layout do sistema\))?: "
                   r"(.*?), Windows: ")

# layout, variant, options, locked group, code typed in the upper row, the first way told (from
# xkeyboard-config's symbols files: ABNT2's dead keys and AltGr keys, US international's), or
# None where the layout cannot type it. Each layout's first row tells something, so the switch
# has been read before a row that expects nothing.
X11_ROWS = [
    ("br", "", "", 0, 227, "~ a"),
    ("br", "", "", 0, 167, "AltGr+="),
    ("br", "", "", 0, 170, "AltGr+["),
    ("br", "", "", 0, 231, "ç"),
    ("br", "", "", 0, 233, "´ e"),
    ("br", "", "", 0, 128, None),
    ("us", "intl", "", 0, 233, "AltGr+e"),
    ("us", "intl", "", 0, 167, "Shift+AltGr+s"),
    ("us", "intl", "", 0, 128, "AltGr+5"),
    ("us", "intl", "", 0, 227, "Shift+` a"),
    ("us", "", "", 0, 65, "Shift+a"),
    ("us", "", "", 0, 233, None),
    ("us", "", "compose:ralt", 0, 169, "Compose o c"),
    ("us", "", "compose:ralt", 0, 233, "Compose ' e"),
    ("us,br", "", "", 1, 167, "AltGr+="),
]


def zentavo_boxes():
    """The four boxes of the program whose id is ZENTAVO_PID, once it is on the bus."""
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == int(os.environ["ZENTAVO_PID"]):
                    boxes = [c for c in app[0] if c.getRole() == pyatspi.ROLE_TEXT]
                    if len(boxes) == 4:
                        return boxes
            except Exception:  # an application leaving the bus as it is asked
                pass
        time.sleep(0.1)
    raise SystemExit("Zentavo is not on the accessibility bus")


def lock_group(group):
    """What a desktop's layout switcher does: locks the keyboard's group."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = x11.XOpenDisplay(None)
    x11.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
    x11.XkbLockGroup(display, 0x100, group)  # XkbUseCoreKbd
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay(display)


def told_ways(description):
    """(the ways told, whether of the system's layout), or None where none is told."""
    match = TITLE.search(description)
    if not match:
        return None
    return [way.replace(" then / depois ", " ") for way in match[3].split(" or / ou ")], bool(match[1])


class Check:
    def __init__(self):
        self.code_box = zentavo_boxes()[0]  # txtDeASCII, the first in the window's reading order
        self.faults = []

    def ways_for(self, code, wanted):
        """Types `code` into the upper row, then waits for what `wanted` says of the details."""
        self.code_box.queryEditableText().setTextContents(str(code))
        deadline = time.monotonic() + PATIENCE
        while True:
            told = told_ways(self.code_box.description)
            if wanted(told) or time.monotonic() > deadline:
                return told
            time.sleep(0.05)

    def row(self, layout, code, first, system_layout=False):
        character = bytes([code]).decode("cp1252")
        if first is None:
            told = self.ways_for(code, lambda told: told is None)
        else:
            told = self.ways_for(code, lambda told: told is not None and told[0][0] == first)
        known = layout.ways(character)
        where = f"{' '.join(layout.arguments)}, {character} ({code})"
        if first is None:
            if told is not None or known:
                self.faults.append(f"{where}: told {told}, the layout has {sorted(known)}")
            return
        if told is None or told[0][0] != first or told[1] != system_layout:
            self.faults.append(f"{where}: told {told}, not {first!r} first")
            return
        ways = told[0]
        fewest = min(len(way.split()) for way in known) if known else 0
        if not set(ways) <= known or len(ways) > 3 or len(ways[0].split()) != fewest:
            self.faults.append(f"{where}: told {ways}; the layout has {sorted(known)}")
        print(f"ok: {where}: {' · '.join(ways)}")


def typed_back(check, keys, code):
    """Presses `keys` with real key events in txtDeCar and reads the code txtParaASCII shows:
    what the details tell is what the program takes."""
    boxes = zentavo_boxes()
    window = subprocess.run(["xdotool", "search", "--name", "^Tolvek Zentavo$"],
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    boxes[2].queryComponent().grabFocus()
    boxes[2].queryEditableText().setTextContents("")
    subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
    deadline = time.monotonic() + PATIENCE
    while boxes[3].queryText().getText(0, -1) != str(code) and time.monotonic() < deadline:
        time.sleep(0.05)
    shown = boxes[3].queryText().getText(0, -1)
    if shown != str(code):
        check.faults.append(f"typing {' '.join(keys)} gave {shown}, not {code}")
    else:
        print(f"ok: typing {' '.join(keys)} in the lower row gives {code}")


def main(mode, *arguments):
    check = Check()
    compose = keyboard_oracle.compose_entries(keyboard_oracle.compose_file_of(LOCALE), LOCALE)
    if mode == "x11":
        current = None
        for layout, variant, options, group, code, first in X11_ROWS:
            if current != (layout, variant, options, group):
                subprocess.run(["setxkbmap", "-layout", layout, "-variant", variant, "-option", "",
                                "-option", options], check=True)
                if group:
                    lock_group(group)
                current = (layout, variant, options, group)
            in_group = layout.split(",")[group]
            check.row(keyboard_oracle.Layout(in_group, variant, options, compose), code, first)
        subprocess.run(["setxkbmap", "-layout", "br", "-option", ""], check=True)
        typed_back(check, ["dead_tilde", "a"], 227)
        typed_back(check, ["ISO_Level3_Shift+equal"], 167)
    elif mode == "compose-file":
        entries = keyboard_oracle.compose_entries(arguments[0], LOCALE)
        layout = keyboard_oracle.Layout("us", "", "compose:ralt", entries)
        check.row(layout, 182, "Compose q q")
        check.row(layout, 169, "Compose o c")
    elif mode == "wayland":
        system = len(arguments) > 1 and arguments[1] == "system"
        check.row(keyboard_oracle.Layout(arguments[0], "", "", compose), 227, "~ a", system)
    for fault in check.faults:
        print(f"FAULT: {fault}")
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
