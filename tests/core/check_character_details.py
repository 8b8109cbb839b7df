"""Checks the code page and the character details of all 256 codes against Python's own
cp1252 codec and unicodedata module, which share no data with Zentavo's build.

usage: check_character_details.py DUMP_PROGRAM
"""
import subprocess
import sys
import unicodedata


def resolves_to(name, character):
    try:
        return unicodedata.lookup(name) == character
    except KeyError:
        return False


def faults_of(row):
    code, code_point, defined, control, name, abbreviation, keystroke, hexadecimal, octal = row
    code = int(code)
    character = chr(int(code_point, 16))
    try:
        expected = bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        expected = None  # one of the five codes the code page leaves undefined
    faults = []
    if expected is None:
        if character != chr(code) or defined != "0" or name:
            faults.append("an undefined code must hold the C1 control of its value, unnamed")
    elif character != expected:
        faults.append(f"holds U+{ord(character):04X}, cp1252 gives U+{ord(expected):04X}")
    is_control = unicodedata.category(character) == "Cc" and expected is not None
    if control != ("1" if is_control else "0"):
        faults.append("control flag is wrong")
    if expected is not None and not is_control and name != unicodedata.name(character, ""):
        faults.append(f"name {name!r}, unicodedata gives {unicodedata.name(character, '')!r}")
    if is_control:
        # A control has no Unicode name; its alias must resolve to it, and a Unicode 1.0 name
        # such as "LINE FEED (LF)" is an alias followed by its abbreviation.
        alias, _, rest = name.partition(" (")
        if not resolves_to(alias, character) or (rest and not resolves_to(rest[:-1], character)):
            faults.append(f"control name {name!r} does not resolve to the character")
    if abbreviation and not resolves_to(abbreviation, character):
        faults.append(f"abbreviation {abbreviation!r} does not resolve to the character")
    if (is_control or character in "\u00a0\u00ad") and not abbreviation:
        faults.append("a character without a visible glyph needs its abbreviation")
    wanted_keystroke = f"Alt+{code:04d}" if expected is not None and not is_control else ""
    if keystroke != wanted_keystroke:
        faults.append(f"keystroke {keystroke!r}, expected {wanted_keystroke!r}")
    if hexadecimal != f"&H{code:X}" or octal != f"&O{code:o}":
        faults.append(f"notations {hexadecimal} {octal}")
    return [f"code {code}: {fault}" for fault in faults]


def main():
    output = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True).stdout
    rows = [line.split("\t") for line in output.splitlines()]
    faults = [] if len(rows) == 256 else [f"{len(rows)} rows, not 256"]
    for row in rows:
        faults += faults_of(row)
    print("\n".join(faults) if faults else f"all {len(rows)} codes agree with Python's data")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
