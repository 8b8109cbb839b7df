"""What the running Zentavo (ZENTAVO_PID) tells of typing on the keyboard in use, read over AT-SPI
as a screen reader reads it, against the layouts' own data (keyboard_oracle.py): every way told
is real, the first among the shortest, none where the layout has none, the known ways first.
usage: check_keyboard_ways.py x11 | compose-file FILE | wayland LAYOUT [system]
"""
import ctypes
import os
import re
import subprocess
import sys
import time

import pyatspi

from keyboard_oracle import Layout, compose_entries, compose_file_of

LOCALE = "C.UTF-8"
PATIENCE = 20  # seconds: a layout is read after a switch, on a thread of its own
TITLE = re.compile(r"This keyboard( \(system layout\))? / Este teclado(?: \(layout do sistema\))?: "
                   r"(.*?), Windows: ")

# (layout, variant, options, locked group): code -> the first way told, from xkeyboard-config's
# symbols (ABNT2's dead keys and AltGr keys, US international's), None where none types it. Each
# layout's first code tells something, so the switch has been read before a code that tells none.
X11_LAYOUTS = [
    (("br", "", "", 0), {227: "~ a", 167: "AltGr+=", 170: "AltGr+[", 231: "ç", 233: "´ e",
                         128: None}),
    (("us", "intl", "", 0), {233: "AltGr+e", 167: "Shift+AltGr+s", 128: "AltGr+5",
                             227: "Shift+` a"}),
    (("us", "", "", 0), {65: "Shift+a", 233: None}),
    (("us", "", "compose:ralt", 0), {169: "Compose o c", 233: "Compose ' e"}),
    (("us,br", "", "", 1), {167: "AltGr+="}),
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
    x11.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    x11.XkbLockGroup(display, 0x100, group)  # XkbUseCoreKbd
    x11.XCloseDisplay(display)


def within_patience(condition):
    deadline = time.monotonic() + PATIENCE
    while not condition() and time.monotonic() < deadline:
        time.sleep(0.05)
    return condition()

class Check:
    def __init__(self):
        self.boxes = zentavo_boxes()  # in the window's reading order: txtDeASCII first
        self.faults = []

    def told(self):
        """(the ways told, whether of the system's layout), or None where none is told."""
        match = TITLE.search(self.boxes[0].description)
        return match and ([way.replace(" then / depois ", " ")
                           for way in match[2].split(" or / ou ")], bool(match[1]))

    def row(self, layout, code, first, system_layout=False):
        self.boxes[0].queryEditableText().setTextContents(str(code))
        within_patience(lambda: (self.told() or [[None]])[0][0] == first)
        told, known = self.told(), layout.ways(bytes([code]).decode("cp1252"))
        where = f"{' '.join(layout.arguments)}, {code}"
        shortest = min((len(way.split()) for way in known), default=0)
        if first is None and (told or known):
            self.faults.append(f"{where}: told {told}, the layout has {sorted(known)}")
        elif first is not None and (not told or told[0][0] != first or told[1] != system_layout
                                    or not set(told[0]) <= known or len(told[0]) > 3
                                    or len(told[0][0].split()) != shortest):
            self.faults.append(f"{where}: told {told}, not {first!r} first; has {sorted(known)}")
        else:
            print(f"ok: {where}: {' · '.join(told[0]) if told else 'nothing'}")

    def typed_back(self, keys, code):
        """Real keys in txtDeCar give `code` in txtParaASCII: the program takes what it tells."""
        window = subprocess.run(["xdotool", "search", "--name", "^Tolvek Zentavo$"],
                                capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        self.boxes[2].queryComponent().grabFocus()
        self.boxes[2].queryEditableText().setTextContents("")
        subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
        shown = lambda: self.boxes[3].queryText().getText(0, -1)
        if not within_patience(lambda: shown() == str(code)):
            self.faults.append(f"typing {' '.join(keys)} gave {shown()}, not {code}")
        print(f"ok: typing {' '.join(keys)} in the lower row gives {shown()}")


def main(mode, *arguments):
    check = Check()
    compose = compose_entries(compose_file_of(LOCALE), LOCALE)
    if mode == "x11":
        for (layout, variant, options, group), firsts in X11_LAYOUTS:
            subprocess.run(["setxkbmap", "-layout", layout, "-variant", variant, "-option", "",
                            "-option", options], check=True)
            if group:
                lock_group(group)
            for code, first in firsts.items():
                check.row(Layout(layout.split(",")[group], variant, options, compose), code, first)
        subprocess.run(["setxkbmap", "-layout", "br", "-option", ""], check=True)
        check.typed_back(["dead_tilde", "a"], 227)
        check.typed_back(["ISO_Level3_Shift+equal"], 167)
    elif mode == "compose-file":
        layout = Layout("us", "", "compose:ralt", compose_entries(arguments[0], LOCALE))
        check.row(layout, 182, "Compose q q")
        check.row(layout, 169, "Compose o c")
    elif mode == "wayland":
        check.row(Layout(arguments[0], "", "", compose), 227, "~ a", arguments[1:] == ("system",))
    print("".join(f"FAULT: {fault}\n" for fault in check.faults), end="")
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
