"""How a layout types a character, from sources the program does not use: xkbcommon's own
`xkbcli how-to-type` and `compile-keymap`, the keysyms' code points as xkbcommon's header
comments give them, and the compose file's own lines. Each way is written as the program writes
it: presses one after another with a blank, modifiers joined with "+", a key named by what it
types alone.
"""
import functools
import re
import subprocess

KEYSYMS_HEADER = "/usr/include/xkbcommon/xkbcommon-keysyms.h"
X11_LOCALES = "/usr/share/X11/locale"
MODIFIER_WORDS = {"Shift": "Shift+", "Mod5": "AltGr+"}


@functools.cache
def keysym_characters():
    """keysym name -> the character the header's comment gives it."""
    found = {}
    with open(KEYSYMS_HEADER, encoding="utf-8") as header:
        for line in header:
            match = re.match(r"#define XKB_KEY_(\w+)\s+0x[0-9a-f]+\s*/\*\s*U\+([0-9A-F]{4,6})\b", line)
            if match:
                found.setdefault(match[1], chr(int(match[2], 16)))
    return found


def compose_file_of(locale):
    with open(f"{X11_LOCALES}/compose.dir", encoding="utf-8") as listing:
        for line in listing:
            parts = line.split()
            if len(parts) == 2 and parts[1].rstrip(":") == locale:
                return f"{X11_LOCALES}/{parts[0]}"
    return None


def compose_entries(path, locale, depth=0):
    """[(keysym names, result)] of a compose file, its includes followed."""
    entries = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            include = re.match(r'\s*include\s+"([^"]+)"', line)
            if include and depth < 5:
                target = include[1].replace("%L", compose_file_of(locale) or "")
                entries += compose_entries(target, locale, depth + 1)
                continue
            match = re.match(r'\s*((?:<\w+>\s*)+):\s*"((?:[^"\\]|\\.)*)"', line)
            if match:
                entries.append((re.findall(r"<(\w+)>", match[1]), match[2]))
    return entries


class Layout:
    def __init__(self, layout, variant="", options="", compose_entries_=()):
        self.arguments = ["--layout", layout, "--variant", variant, "--options", options]
        self.compose = list(compose_entries_)

    @functools.cached_property
    def first_levels(self):
        """key name -> the keysym its first level gives in the first layout."""
        keymap = subprocess.run(["xkbcli", "compile-keymap", *self.arguments], check=True,
                                capture_output=True, text=True).stdout
        levels = {}
        for key in re.finditer(r"key <(\w+)>\s*\{([^}]*)\}", keymap):
            body = re.sub(r"symbols\[Group1\]\s*=", "", key[2])
            first = re.search(r"\[\s*(\w+)", body)
            if first:
                levels[key[1]] = first[1]
        return levels

    @functools.cache
    def presses(self, what, keysym=False):
        """Every press that gives a code point (or a keysym) on a real key, fewest modifiers first."""
        command = ["xkbcli", "how-to-type", *self.arguments] + (["--keysym"] if keysym else [])
        table = subprocess.run(command + [what], capture_output=True, text=True).stdout
        presses = []
        for row in re.finditer(r"^(\d+)\s+(\w+)\s+1\s+.*?\s(\d+)\s+\[([^\]]*)\]", table, re.M):
            keycode, key, modifiers = int(row[1]), row[2], row[4].split()
            # No X server sends a keycode past 255, and no keyboard sends xkeyboard-config's
            # virtual keys (keycodes/evdev: "Fake keycodes for virtual keys").
            if keycode > 255 or key in ("LVL3", "MDSW", "ALT", "META", "SUPR", "HYPR"):
                continue
            if any(m not in MODIFIER_WORDS for m in modifiers):
                continue
            prefix = "".join(MODIFIER_WORDS[m] for m in ("Shift", "Mod5") if m in modifiers)
            presses.append((len(modifiers), prefix + self.key_name(self.first_levels.get(key, ""))))
        return [press for _, press in sorted(presses)]

    def key_name(self, keysym):
        if keysym == "Multi_key":
            return "Compose"
        if keysym == "space":
            return "Space"
        if keysym.startswith("dead_"):
            for then in (keysym, "space"):
                typed = [r for k, r in self.compose if k == [keysym, then]]
                if typed:
                    return typed[0]
        return keysym_characters().get(keysym, keysym)

    def ways(self, character):
        """Every way to type `character`: each press of its own, and each compose run whose
        keys all have a press."""
        found = set(self.presses(f"0x{ord(character):x}"))
        for keysyms, result in self.compose:
            if result != character:
                continue
            run = [self.presses(k, keysym=True) for k in keysyms]
            if all(run):
                found.add(" ".join(press[0] for press in run))
        return found
