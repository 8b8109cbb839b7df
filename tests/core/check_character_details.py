"""Checks the code page and the character details of all 256 codes against Python's own
cp1252 codec, UTF-8 codec and unicodedata module, which share no data with Zentavo's build, and
the named references of "Copy as" against the html module's own unescaping.

usage: check_character_details.py DUMP_PROGRAM
"""
import html
import html.entities
import subprocess
import sys
import unicodedata


def as_windows1252(byte):
    """What Windows reads a byte as: cp1252, and the C1 control of the same value for the five
    bytes the code page leaves undefined (which Python's codec refuses)."""
    try:
        return bytes([byte]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(byte)


def html_reads_back(character):
    """Whether HTML reads a numeric reference to `character` back as that very character with no
    parse error: HTML makes a null, a carriage return and any control other than a tab, a line
    feed or a form feed a control-character-reference error (and a null reads as U+FFFD)."""
    error = character in "\0\r" or (unicodedata.category(character) == "Cc"
                                     and character not in "\t\n\f")
    return not error and html.unescape(f"&#{ord(character)};") == character


def expected_forms(code, character, defined, keystroke, named):
    forms = [str(code), f"&H{code:X}"]
    if defined:
        numeric = f"&#{ord(character)};" if html_reads_back(character) else ""
        utf8 = character.encode("utf-8").hex(" ").upper()
        for form in (f"U+{ord(character):04X}", named or numeric, numeric,
                     f"\\u{ord(character):04X}", utf8, keystroke):
            if form and form != forms[-1]:
                forms.append(form)
    return forms


def resolves_to(name, character):
    try:
        return unicodedata.lookup(name) == character
    except KeyError:
        return False


def faults_of(row):
    (code, code_point, defined, control, name, abbreviation, keystroke, hexadecimal, octal,
     utf8, misread, forms) = row
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
    encoded = character.encode("utf-8")
    if utf8 != encoded.hex(" ").upper():
        faults.append(f"UTF-8 {utf8!r}, Python gives {encoded.hex(' ').upper()!r}")
    wanted_misread = " ".join(f"{ord(as_windows1252(byte)):04X}" for byte in encoded)
    if misread != wanted_misread:
        faults.append(f"misread as Windows-1252 {misread!r}, expected {wanted_misread!r}")
    forms = forms.split("\x1f")
    named = next((form for form in forms if form.endswith(";") and not form.startswith("&#")), "")
    if named:
        if html.unescape(named) != character:
            faults.append(f"{named} is not the character's named reference")
        familiar = html.entities.codepoint2name.get(ord(character))
        if familiar and named != f"&{familiar};":
            faults.append(f"{named} where HTML 4 names it &{familiar};")
    elif (expected is not None and ord(character) in html.entities.codepoint2name
          and html_reads_back(character)):
        faults.append("no named reference where HTML has one")
    wanted_forms = expected_forms(code, character, expected is not None, wanted_keystroke, named)
    if forms != wanted_forms:
        faults.append(f"copy forms {forms}, expected {wanted_forms}")
    return [f"code {code}: {fault}" for fault in faults]


def main():
    output = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True,
                            encoding="utf-8").stdout
    rows = [line.split("\t") for line in output.splitlines()]
    faults = [] if len(rows) == 256 else [f"{len(rows)} rows, not 256"]
    for row in rows:
        faults += faults_of(row)
    print("\n".join(faults) if faults else
          f"all {len(rows)} codes agree with Python's data, {len(rows) * 12} facts in all")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
