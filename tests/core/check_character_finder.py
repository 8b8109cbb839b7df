"""Checks the character finder against what Python's unicodedata, codecs and html modules, and
the Unicode and CLDR files read here, say: none of these is the table the build generates for
the finder.
- the first answer to a table of queries;
- every Portuguese and English term of CLDR written with accents finds the same first character
  written without them (the accents taken off by Python's own decomposition);
- how many characters a one-word query finds: those with a term that has a word beginning with
  it, gathered here from the data files themselves.

usage: check_character_finder.py DUMP_PROGRAM CLDR_ANNOTATIONS_DIR UNICODE_DATA_DIR
"""
import codecs
import html
import html.entities
import os
import re
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
        ("Alt+0233", bytes([233]).decode("cp1252")),
        # The dump reads DOS keystrokes in 437, then 850, as the C locale has them.
        ("Alt+130", bytes([130]).decode("cp437")),
        ("Alt+198", bytes([198]).decode("cp850")),  # in 437 it types ╞, which 1252 lacks
        ("Alt+386", bytes([386 % 256]).decode("cp437")),
        # Alt+21 types the IBM PC's picture of byte 21, the section sign (MB_USEGLYPHCHARS).
        ("Alt+21", "\u00a7"),
        ("├®", "├®".encode("cp850").decode("utf-8")),
        ("Ôé¼", "Ôé¼".encode("cp850").decode("utf-8")),
        ("‚Äì", "‚Äì".encode("mac_roman").decode("utf-8")),
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


def characters():
    """The code page's 256 characters, the five bytes it leaves undefined as the C1 control of
    the same value, as Windows reads them."""
    found = []
    for byte in range(256):
        try:
            found.append(bytes([byte]).decode("cp1252"))
        except UnicodeDecodeError:
            found.append(chr(byte))
    return found


def terms_by_character(annotations_dir, unicode_dir):
    """Every term each character is known by: its Unicode name, NameAliases' and NamesList's
    aliases, CLDR's short names and keywords in English and Portuguese, and HTML's names."""
    wanted = set(characters())
    terms = {character: [unicodedata.name(character, "")] for character in wanted}
    with open(os.path.join(unicode_dir, "NameAliases.txt"), encoding="utf-8") as aliases:
        for line in aliases:
            fields = line.split(";")
            if len(fields) >= 2 and not line.startswith("#") and chr(int(fields[0], 16)) in wanted:
                terms[chr(int(fields[0], 16))].append(fields[1])
    current = None
    with open(os.path.join(unicode_dir, "NamesList.txt"), encoding="utf-8") as names:
        for line in names:
            heading = re.match(r"([0-9A-F]{4,6})\t", line)
            if heading:
                current = chr(int(heading.group(1), 16))
            elif line.startswith("\t= ") and current in wanted:
                terms[current].append(line[3:].strip())
    for language in ("en", "pt"):
        root = ElementTree.parse(os.path.join(annotations_dir, f"{language}.xml")).getroot()
        for annotation in root.iter("annotation"):
            character = annotation.get("cp")
            if character in wanted and not annotation.get("draft"):
                terms[character].extend(term.strip() for term in (annotation.text or "").split("|"))
    for name, text in html.entities.html5.items():
        if text in wanted:
            terms[text].append(name.rstrip(";"))
    return terms


def without_accents(text):
    return "".join(ch for ch in unicodedata.normalize("NFD", text)
                   if unicodedata.category(ch) != "Mn")


def words_of(term):
    return [word for word in re.split(r"[^0-9A-Za-z\u00C0-\u1FFF]+", without_accents(term).lower())
            if word]


def accent_rows(annotations_dir, terms):
    """Each CLDR term written with accents, beside the same term without them."""
    rows = []
    for character, own in terms.items():
        for term in own:
            plain = without_accents(term)
            if plain != term and len(term) > 1:
                rows.append((term, plain))
    return sorted(set(rows))


def count_rows(terms):
    """One-word queries, each with the number of characters one of whose terms has a word that
    begins with it."""
    rows = []
    for query in ("dash", "travessao", "euro", "seta", "aspas", "acento", "sign"):
        count = sum(1 for own in terms.values()
                    if any(word.startswith(query) for term in own for word in words_of(term)))
        rows.append((query, count))
    return rows


def ask(dump, queries):
    text = "".join(" ".join(f"{ord(ch):X}" for ch in query) + "\n" for query in queries)
    answers = subprocess.run([dump], input=text, capture_output=True, text=True,
                             encoding="utf-8", check=True).stdout.splitlines()
    if len(answers) != len(queries):
        sys.exit(f"FAULT: {len(answers)} answers to {len(queries)} queries")
    return [answer.split("\t", 1)[0].split(" ") for answer in answers]


def check_accents_and_counts(dump, annotations_dir, unicode_dir):
    terms = terms_by_character(annotations_dir, unicode_dir)
    faults = 0
    pairs = accent_rows(annotations_dir, terms)
    answers = ask(dump, [query for pair in pairs for query in pair])
    for index, (term, plain) in enumerate(pairs):
        accented, bare = answers[2 * index][0], answers[2 * index + 1][0]
        if accented != bare:
            print(f"FAULT {term!r} finds {accented} first, {plain!r} finds {bare}")
            faults += 1
    print(f"{len(pairs) - faults} of {len(pairs)} accented terms find the same first character "
          "without their accents")
    counts = count_rows(terms)
    for (query, count), answer in zip(counts, ask(dump, [query for query, _ in counts])):
        ok = int(answer[2]) == count
        print(f"{'ok   ' if ok else 'FAULT'} {query!r}: {answer[2]} matches, the data give {count}")
        faults += 0 if ok else 1
    return faults


def main():
    dump, annotations_dir, unicode_dir = sys.argv[1:4]
    rows = table(annotations_dir)
    queries = "".join(" ".join(f"{ord(ch):X}" for ch in query) + "\n" for query, _ in rows)
    answers = subprocess.run([dump], input=queries, capture_output=True, text=True,
                             encoding="utf-8", check=True).stdout.splitlines()
    faults = 0
    for (query, character), answer in zip(rows, answers):
        first_and_outside, announcement = answer.split("\t", 1)
        first, outside, _count = first_and_outside.split(" ")
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
    faults += check_accents_and_counts(dump, annotations_dir, unicode_dir)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
