"""Checks the code page and the character details of all 256 codes against Python's own
cp1252 codec, UTF-8 codec and unicodedata module, which share no data with Zentavo's build, and
reads every form "Copy as" offers back with Python's own decoders: the html module's unescaping,
the unicode_escape and UTF-8 codecs, int() and cp1252.

usage: check_character_details.py DUMP_PROGRAM
"""
import codecs
import html
import html.entities
import re
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


# The kinds of form, in the order the menu lists them, each with how Python reads it back.
FORM_KINDS = [
    ("code", re.compile(r"[0-9]+$"), lambda form: bytes([int(form)]).decode("cp1252")),
    ("&H code", re.compile(r"&H[0-9A-F]+$"), lambda form: bytes([int(form[2:], 16)]).decode("cp1252")),
    ("code point", re.compile(r"U\+[0-9A-F]{4,}$"), lambda form: chr(int(form[2:], 16))),
    ("named reference", re.compile(r"&[A-Za-z][A-Za-z0-9]*;$"), html.unescape),
    ("numeric reference", re.compile(r"&#[0-9]+;$"), html.unescape),
    ("escape", re.compile(r"\\u[0-9A-F]{4}$"), lambda form: codecs.decode(form, "unicode_escape")),
    ("UTF-8", re.compile(r"[0-9A-F]{2}( [0-9A-F]{2})*$"), lambda form: bytes.fromhex(form).decode("utf-8")),
    ("keystroke", re.compile(r"Alt\+0[0-9]{3}$"), lambda form: bytes([int(form[4:])]).decode("cp1252")),
    ("DOS keystroke", re.compile(r"Alt\+[1-9][0-9]*$"), None),
]

# The IBM PC's pictures DOS gives bytes 1 to 31 and 127, which Windows types for Alt+1 to Alt+31
# and Alt+127: of them, only these three are Windows-1252 characters (measured under wine with
# MultiByteToWideChar's MB_USEGLYPHCHARS; the tables themselves are checked against Windows').
DOS_PICTURES_IN_WINDOWS_1252 = {7: "\u2022", 20: "\u00b6", 21: "\u00a7"}


def dos_keystrokes(character):
    """The DOS keystrokes that type `character`, in DOS 850 and then DOS 437, as the details list
    them where 850 comes first."""
    if unicodedata.category(character) == "Cc":
        return []
    keystrokes = []
    for codec in ("cp850", "cp437"):
        for byte in range(256):
            typed = DOS_PICTURES_IN_WINDOWS_1252.get(byte) if 0 < byte < 32 or byte == 127 else None
            if typed is None:
                typed = bytes([byte]).decode(codec)
                if byte < 32 or byte == 127:
                    typed = None  # a picture that is no Windows-1252 character
            if typed == character and f"Alt+{byte}" not in keystrokes:
                keystrokes.append(f"Alt+{byte}")
    return keystrokes


def kind_of(form):
    """The kind of a form after the first two, which are the code and its &H form: a byte of
    UTF-8 ("41") would read as a code too."""
    for rank, (_, pattern, _) in enumerate(FORM_KINDS[2:], start=2):
        if pattern.match(form):
            return rank
    return None


def form_faults(code, character, defined, control, forms):
    faults = []
    if forms[:2] != [str(code), f"&H{code:X}"]:
        faults.append(f"copy forms begin {forms[:2]}, not the code and its &H form")
    ranks = [0, 1] + [kind_of(form) for form in forms[2:]]
    if None in ranks:
        faults.append(f"a copy form of no known kind: {forms}")
        return faults
    if ranks != sorted(ranks) or len(set(forms)) != len(forms):
        faults.append(f"copy forms out of order or repeated: {forms}")
    dos = [form for form, rank in zip(forms, ranks) if FORM_KINDS[rank][0] == "DOS keystroke"]
    if dos != dos_keystrokes(character):
        faults.append(f"DOS keystrokes {dos}, cp850 and cp437 give {dos_keystrokes(character)}")
    for form, rank in zip(forms[2:], ranks[2:]):
        kind, _, read = FORM_KINDS[rank]
        if read is None:
            continue
        try:
            back = read(form)
        except (UnicodeDecodeError, ValueError):
            back = None
        if back != character:
            faults.append(f"{kind} {form!r} reads back as {back!r}, not the character")
    if not defined:
        if len(forms) != 2:
            faults.append(f"an undefined code has only its code, not {forms}")
        return faults
    present = {FORM_KINDS[rank][0] for rank in ranks}
    wanted = {"code point", "escape", "UTF-8"}
    if html_reads_back(character):
        wanted.add("numeric reference")
        if ord(character) in html.entities.codepoint2name or any(
                value == character for value in html.entities.html5.values()):
            wanted.add("named reference")
    if not control:
        wanted.add("keystroke")
    if dos_keystrokes(character):
        wanted.add("DOS keystroke")
    missing = wanted - present
    extra = present - wanted - {"code", "&H code"}
    if missing or extra:
        faults.append(f"copy forms lack {sorted(missing)} or have {sorted(extra)}: {forms}")
    return faults


def resolves_to(name, character):
    try:
        return unicodedata.lookup(name) == character
    except KeyError:
        return False


def faults_of(row):
    (code, code_point, defined, control, name, abbreviation, hexadecimal, octal, utf8, misread,
     forms) = row
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
    faults += form_faults(code, character, expected is not None, is_control, forms)
    return [f"code {code}: {fault}" for fault in faults]


def main():
    output = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True,
                            encoding="utf-8").stdout
    rows = [line.split("\t") for line in output.splitlines()]
    faults = [] if len(rows) == 256 else [f"{len(rows)} rows, not 256"]
    for row in rows:
        faults += faults_of(row)
    print("\n".join(faults) if faults else
          f"all {len(rows)} codes agree with Python's data, {len(rows) * 11} facts in all")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
