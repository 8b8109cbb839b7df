"""Checks the character finder's first answer to a table of queries against what Python's
unicodedata, codecs and html modules, and CLDR's annotations read here, say the query names:
none of these is the table the build generates for the finder.

usage: check_character_finder.py DUMP_PROGRAM CLDR_ANNOTATIONS_DIR
"""
import codecs
import html
import os
import subprocess
import sys
import unicodedata
import xml.etree.ElementTree as ElementTree


def code_of(character):
    """The Windows-1252 code of `character`, or None where the code page has none."""
    try:
        return character.encode("cp1252")[0]
    except UnicodeEncodeError:
        return None


def cldr_short_name(annotations_dir, language, wanted):
    root = ElementTree.parse(os.path.join(annotations_dir, f"{language}.xml")).getroot()
    for annotation in root.iter("annotation"):
        if annotation.get("type") == "tts" and annotation.text == wanted:
            return annotation.get("cp")
    raise LookupError(f"CLDR {language} has no short name {wanted!r}")


def table(annotations_dir):
    name = unicodedata.lookup
    em_dash = cldr_short_name(annotations_dir, "pt", "travessão")
    en_dash = cldr_short_name(annotations_dir, "pt", "meia-risca")
    return [
        ("dash en", name("EN DASH")),
        ("dash", name("EN DASH")),
        ("euro", name("EURO SIGN")),
        ("plus", name("PLUS SIGN")),
        ("pilcrow", name("PILCROW SIGN")),
        ("travessão", em_dash),
        ("travessao", em_dash),
        ("TRAVESSÃO", em_dash),
        ("meia risca", en_dash),
        ("c cedilla", name("LATIN SMALL LETTER C WITH CEDILLA")),
        ("C cedilla", name("LATIN CAPITAL LETTER C WITH CEDILLA")),
        ("cedilla c", name("LATIN SMALL LETTER C WITH CEDILLA")),
        ("e acute", name("LATIN SMALL LETTER E WITH ACUTE")),
        ("nbsp", html.unescape("&nbsp;")),
        ("U+2013", chr(0x2013)),
        ("u+00e9", chr(0xE9)),
        ("&ndash;", html.unescape("&ndash;")),
        ("&#150;", html.unescape("&#150;")),
        ("&#8211;", html.unescape("&#8211;")),
        ("&#x2013;", html.unescape("&#x2013;")),
        ("&eacute", html.unescape("&eacute;")),
        ("0x96", bytes([0x96]).decode("cp1252")),
        ("&H96", bytes([0x96]).decode("cp1252")),
        ("&O226", bytes([0o226]).decode("cp1252")),
        ("Alt+0150", bytes([150]).decode("cp1252")),
        ("\\u2013", codecs.decode("\\u2013", "unicode_escape")),
        ("E2 80 93", bytes.fromhex("E2 80 93").decode("utf-8")),
        ("â€“", "â€“".encode("cp1252").decode("utf-8")),
        ("Ã©", "Ã©".encode("cp1252").decode("utf-8")),
        ("–", "–"),
        ("150", bytes([150]).decode("cp1252")),
        ("U+2192", chr(0x2192)),
        ("→", "→"),
        ("😀", "😀"),
        ("xyzzy", None),
        ("", None),
    ]


def main():
    dump, annotations_dir = sys.argv[1:3]
    rows = table(annotations_dir)
    queries = "".join(" ".join(f"{ord(ch):X}" for ch in query) + "\n" for query, _ in rows)
    answers = subprocess.run([dump], input=queries, capture_output=True, text=True,
                             encoding="utf-8", check=True).stdout.splitlines()
    faults = 0
    for (query, character), answer in zip(rows, answers):
        first_and_outside, announcement = answer.split("\t", 1)
        first, outside = first_and_outside.split(" ")
        if character is None:
            wanted = ("-", "-")
        elif code_of(character) is None:
            wanted = ("-", f"{ord(character):X}")
        else:
            wanted = (str(code_of(character)), outside)
        ok = (first, outside) == wanted
        print(f"{'ok   ' if ok else 'FAULT'} {query!r}: {first} {outside}  {announcement}")
        if not ok:
            print(f"      expected {wanted[0]} {wanted[1]}")
            faults += 1
    if len(answers) != len(rows):
        print(f"FAULT: {len(answers)} answers to {len(rows)} queries")
        faults += 1
    print(f"{len(rows) - faults} queries answered as the independent sources say, {faults} not")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
