"""Checks what the windows tell of the codes: a dozen codes chosen for their edges against the
golden file, written from the code-page charts, with DOS 850 first and with DOS 437 first; and,
for all 256 codes, that every byte a description names reads back to what it says through
Python's codecs (cp850, cp437, latin_1, iso8859_15, mac_roman, utf-8), which the build's tables do
not come from, and the IBM PC's pictures for Alt+1 to Alt+31 and Alt+127 (unicode.org's
IBMGRAPH.TXT).

usage: check_character_descriptions.py DUMP_PROGRAM GOLDEN_FILE
"""
import re
import subprocess
import sys

CODECS = {"ISO-8859-1": "latin_1", "ISO-8859-15": "iso8859_15", "Mac Roman": "mac_roman",
          "DOS 850": "cp850", "DOS 437": "cp437"}
PICTURES = dict(zip(list(range(1, 32)) + [127], "☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼⌂"))
SHOWN_AS_WORDS = {"NBSP": "\u00a0", "SHY": "\u00ad", "U+F8FF": "\uf8ff"}


def golden(path):
    text = open(path, encoding="utf-8").read()
    return {key: body.strip("\n") for key, body in re.findall(r"(?m)^== (.*)\n((?:[^=#].*\n?)*)", text)}


def pages(names):
    """"ISO-8859-1, DOS 850, 437" -> the pages it names."""
    named, after = [], ""
    for name in names.split(", "):
        named.append(after + name if name.isdigit() else name)
        after = "DOS " if named[-1].startswith("DOS ") else ""
    return named


def decoded(page, byte, typed=False):
    if typed and page.startswith("DOS ") and byte in PICTURES:
        return PICTURES[byte]
    return bytes([byte]).decode(CODECS[page], errors="replace")


def claims(character, code, tooltip):
    """Each byte the tooltip names, as (what it says, what the codec reads)."""
    for line in tooltip.split("\n"):
        body = line.partition(": ")[2]
        if line.startswith("UTF-8: "):
            said = bytes.fromhex(body.split(" \u00b7 ")[0])
            yield f"UTF-8 of {code}", said.decode("utf-8"), character
        for item in body.split(" \u00b7 ") if "elsewhere" in line else []:
            value, names = re.fullmatch(r"(.*) \((.*)\)", item).groups()
            for page in pages(names):
                if line.startswith("Its byte"):
                    found = [b for b in range(256) if decoded(page, b) == character]
                    said = [] if value == "none / nenhum" else [int(b, 16) for b in value.split()]
                    yield f"{page} bytes of {code}", said, found
                elif value != "control / controle":
                    yield f"{page} byte {code:02X}", SHOWN_AS_WORDS.get(value, value), \
                        decoded(page, code, typed=True)
        for byte, inside in re.findall(r"Alt\+(\d+) \(([^)]*)\)", body if "DOS: " in line else ""):
            here, _, others = inside.partition("; ")
            for page in pages("DOS " + here):
                yield f"Alt+{byte} in {page}", decoded(page, int(byte), True), character
            for other in filter(None, others.split("; ")):
                number, _, shown = other.partition(" \u2192 ")
                yield f"Alt+{byte} in {number}", decoded(f"DOS {number}", int(byte), True), \
                    SHOWN_AS_WORDS.get(shown, shown)


def main(dump, golden_path):
    output = subprocess.run([dump], capture_output=True, text=True, check=True,
                            encoding="utf-8").stdout
    faults, told, checked = [], {}, 0
    for first, code, said in (line.split("\t") for line in output.splitlines()):
        told[f"{first} first, {code}"] = said.replace("\\n", "\n")
    for key, wanted in golden(golden_path).items():
        if told.get(key) != wanted:
            faults.append(f"{key}:\n  told   {told.get(key)!r}\n  golden {wanted!r}")
    for key, tooltip in told.items():
        code = int(key.split(", ")[1])
        character = chr(code) if code in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else \
            bytes([code]).decode("cp1252")
        for what, said, read in claims(character, code, tooltip):
            checked += 1
            if said != read:
                faults.append(f"{key}: {what} says {said!r}, the codec reads {read!r}")
    print("\n".join(f"FAULT {fault}" for fault in faults))
    print(f"{len(golden(golden_path))} golden descriptions, {checked} bytes named, "
          f"{len(faults)} faults")
    return 1 if faults or len(told) != 512 else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
