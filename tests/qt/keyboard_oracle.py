"""How a layout types a character, from what the program does not use: `xkbcli how-to-type` and
`compile-keymap`, the keysyms' code points in xkbcommon's header, the compose file's own lines; a
way written as the program writes it, a key named by what it types alone."""
import functools
import re
import subprocess

X11_LOCALES = "/usr/share/X11/locale"
MODIFIERS = {"Shift": "Shift+", "Mod5": "AltGr+"}
# No X server sends a keycode past 255, and no keyboard xkeyboard-config's virtual keys
# (keycodes/evdev: "Fake keycodes for virtual keys").
VIRTUAL_KEYS = {"LVL3", "MDSW", "ALT", "META", "SUPR", "HYPR"}


@functools.cache
def keysym_characters():
    """keysym name -> the character the header's comment gives it."""
    header = open("/usr/include/xkbcommon/xkbcommon-keysyms.h", encoding="utf-8").read()
    found = re.findall(r"#define XKB_KEY_(\w+)\s+0x[0-9a-f]+\s*/\*\s*U\+([0-9A-F]{4,6})\b", header)
    return {name: chr(int(code, 16)) for name, code in reversed(found)}


def compose_file_of(locale):
    for line in open(f"{X11_LOCALES}/compose.dir", encoding="utf-8"):
        parts = line.split()
        if len(parts) == 2 and parts[1].rstrip(":") == locale:
            return f"{X11_LOCALES}/{parts[0]}"
    return None


def compose_entries(path, locale, depth=0):
    """[(keysym names, result)] of a compose file, its includes followed."""
    entries = []
    for line in open(path, encoding="utf-8"):
        include = re.match(r'\s*include\s+"([^"]+)"', line)
        if include and depth < 5:
            entries += compose_entries(include[1].replace("%L", compose_file_of(locale) or ""),
                                       locale, depth + 1)
        elif match := re.match(r'\s*((?:<\w+>\s*)+):\s*"((?:[^"\\]|\\.)*)"', line):
            entries.append((re.findall(r"<(\w+)>", match[1]), match[2]))
    return entries


class Layout:
    def __init__(self, layout, variant, options, compose):
        self.arguments = ["--layout", layout, "--variant", variant, "--options", options]
        self.compose = compose

    @functools.cached_property
    def first_levels(self):
        """key name -> the keysym its first level gives in the first layout."""
        keymap = subprocess.run(["xkbcli", "compile-keymap", *self.arguments], check=True,
                                capture_output=True, text=True).stdout
        return {key: re.search(r"\[\s*(\w+)", re.sub(r"symbols\[Group1\]\s*=", "", body))[1]
                for key, body in re.findall(r"key <(\w+)>\s*\{([^}]*\[[^}]*)\}", keymap)}

    @functools.cache
    def presses(self, what, keysym=False):
        """Every press of a real key giving a code point (or keysym), fewest modifiers first."""
        table = subprocess.run(["xkbcli", "how-to-type", *self.arguments, *(["--keysym"] * keysym),
                                what], capture_output=True, text=True).stdout
        presses = []
        for keycode, key, modifiers in re.findall(
                r"^(\d+)\s+(\w+)\s+1\s+.*?\s\d+\s+\[([^\]]*)\]", table, re.M):
            modifiers = modifiers.split()
            if int(keycode) <= 255 and key not in VIRTUAL_KEYS and set(modifiers) <= set(MODIFIERS):
                held = "".join(MODIFIERS[m] for m in MODIFIERS if m in modifiers)
                presses.append((len(modifiers), held + self.key_name(self.first_levels[key])))
        return [press for _, press in sorted(presses)]

    def key_name(self, keysym):
        if keysym.startswith("dead_"):
            for then in (keysym, "space"):
                typed = [result for keys, result in self.compose if keys == [keysym, then]]
                if typed:
                    return typed[0]
        names = {"Multi_key": "Compose", "space": "Space"}
        return names.get(keysym) or keysym_characters().get(keysym, keysym)

    def ways(self, character):
        """Each press of the character's own, and each compose run all of whose keys have one."""
        found = set(self.presses(f"0x{ord(character):x}"))
        for keysyms, result in self.compose:
            run = [self.presses(k, keysym=True) for k in keysyms] if result == character else []
            if run and all(run):
                found.add(" ".join(press[0] for press in run))
        return found
