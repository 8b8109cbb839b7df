"""Checks what the windows tell of every one of the 256 codes, with DOS 850 first and with DOS
437 first, against the same details built here from Python's own codecs (cp1252, cp850, cp437,
latin_1, iso8859_15, mac_roman), unicodedata and str.encode, none of which the build's tables
come from; the DOS pictures that are Windows-1252 characters as Windows types them.

usage: check_character_descriptions.py DUMP_PROGRAM
"""
import subprocess
import sys
import unicodedata

PAGES = [(28591, "latin_1", "ISO-8859-1"), (28605, "iso8859_15", "ISO-8859-15"),
         (10000, "mac_roman", "Mac Roman"), (850, "cp850", "DOS 850"), (437, "cp437", "DOS 437")]
# The IBM PC's pictures for bytes 1 to 31 and 127, as MultiByteToWideChar(MB_USEGLYPHCHARS)
# gives them under wine, which DOS shows and Alt+1 to Alt+31 and Alt+127 type.
PICTURES = dict(zip(list(range(1, 32)) + [127],
                    "☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼⌂"))
UNDEFINED = {0x81, 0x8D, 0x8F, 0x90, 0x9D}
NO_GLYPH = {"\u00a0": "NBSP", "\u00ad": "SHY"}


def cp1252(byte):
    return chr(byte) if byte in UNDEFINED else bytes([byte]).decode("cp1252")


def typed(codec, byte):
    if codec in ("cp850", "cp437") and byte in PICTURES:
        return PICTURES[byte]
    return bytes([byte]).decode(codec)


def shown(character, abbreviations):
    code_point = ord(character)
    if 0x80 <= code_point <= 0x9F:
        return "control / controle"
    if character in NO_GLYPH:
        return NO_GLYPH[character]
    if code_point < 0x20 or code_point == 0x7F:
        return abbreviations[code_point]
    if 0xE000 <= code_point <= 0xF8FF:
        return f"U+{code_point:04X}"
    return character


def page_names(numbers):
    names, after_dos = [], False
    for number in numbers:
        name = next(page[2] for page in PAGES if page[0] == number)
        dos = name.startswith("DOS ")
        names.append(name[4:] if dos and after_dos else name)
        after_dos = dos
    return ", ".join(names)


def misread(data, codec, spoken):
    text = ""
    for byte in data:
        character = cp1252(byte) if codec is None else bytes([byte]).decode(codec)
        hidden = ord(character) < 0x20 or 0x7F <= ord(character) <= 0x9F or character in NO_GLYPH
        text += (f" byte {byte:X}" if spoken else f"[{byte:X}]") if hidden else character
    return text


def grouped(values):
    groups = []
    for value, number in values:
        for group in groups:
            if group[0] == value:
                group[1].append(number)
                break
        else:
            groups.append((value, [number]))
    return [f"{value} ({page_names(numbers)})" for value, numbers in groups]


def keystroke_line(code, character, dos_order, separator, types, abbreviations):
    keystrokes = []
    for number in dos_order:
        codec = f"cp{number}"
        for byte in range(256):
            if typed(codec, byte) != character:
                continue
            for keystroke in keystrokes:
                if keystroke[0] == byte:
                    keystroke[1].append(number)
                    break
            else:
                keystrokes.append((byte, [number]))
    items = []
    for byte, numbers in keystrokes:
        item = f"Alt+{byte} (" + ", ".join(map(str, numbers))
        for number in dos_order:
            other = typed(f"cp{number}", byte)
            if number not in numbers and other != character:
                item += f"; {number}{types}{shown(other, abbreviations)}"
        items.append(item + ")")
    return f"Windows: Alt+{code:04d}" + (separator + "DOS: " + separator.join(items) if items else "")


def expected(code, name, dos_order, spoken, abbreviations):
    separator, line_break, types = ((", ", ", ", " types / digita ") if spoken
                                    else (" \u00b7 ", "\n", " \u2192 "))
    character = cp1252(code)
    defined = code not in UNDEFINED
    control = unicodedata.category(character) == "Cc" and defined
    lines = [name if defined else "Undefined in Windows-1252 / N\u00e3o definido no Windows-1252",
             separator.join([str(code), f"&H{code:X}", f"&O{code:o}", f"U+{ord(character):04X}"])]
    if control:
        lines.append("Control character / Caractere de controle")
    elif defined:
        lines.append(keystroke_line(code, character, dos_order, separator, types, abbreviations))
    if defined:
        data = character.encode("utf-8")
        line = "UTF-8: " + data.hex(" ").upper()
        if len(data) > 1:
            line += (separator + "read as Windows-1252: " + misread(data, None, spoken) +
                     separator + "DOS 850: " + misread(data, "cp850", spoken))
        lines.append(line)
        values, lacking = [], []
        for number, codec, _ in PAGES:
            found = [byte for byte in range(256) if bytes([byte]).decode(codec) == character]
            if found == [code]:
                continue
            if not found:
                lacking.append(number)
            else:
                values.append((" ".join(f"{byte:02X}" for byte in found), number))
        items = grouped(values) + ([f"none / nenhum ({page_names(lacking)})"] if lacking else [])
        if items:
            lines.append("Its byte elsewhere / Seu byte em outras p\u00e1ginas: " +
                         separator.join(items))
    values = []
    for number, codec, _ in PAGES:
        other = typed(codec, code)
        if other != character:
            values.append((shown(other, abbreviations), number))
    if values:
        lines.append(f"Byte {code:02X} elsewhere / O byte {code:02X} em outras p\u00e1ginas: " +
                     separator.join(grouped(values)))
    return line_break.join(lines)


def main():
    output = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True,
                            encoding="utf-8").stdout
    rows = [line.split("\t") for line in output.splitlines()]
    names = {int(row[1]): row[2] for row in rows}
    # The abbreviations the character box pictures the C0 controls with, which the Unicode names
    # check verifies: "BEL", "LF".
    abbreviations = {int(row[1]): row[3] for row in rows}
    faults = 0
    for first, code, _, _, spoken, said in rows:
        order = [850, 437] if first == "850" else [437, 850]
        wanted = expected(int(code), names[int(code)], order, spoken == "1", abbreviations)
        said = said.replace("\\n", "\n")
        if said != wanted:
            faults += 1
            print(f"FAULT {first} first, code {code}{' spoken' if spoken == '1' else ''}:\n"
                  f"  said   {said!r}\n  wanted {wanted!r}")
    print(f"{len(rows) - faults} of {len(rows)} descriptions as Python's codecs give them")
    return 1 if faults or len(rows) != 256 * 4 else 0


if __name__ == "__main__":
    sys.exit(main())
