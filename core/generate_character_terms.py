"""Writes what the character finder matches a query against: for each of the 256 Windows-1252
codes, its terms, and the table that folds a query's letters to their base letters. Everything
comes from Debian's data files at build time:

- the Unicode name (UnicodeData.txt), and every alias NameAliases.txt gives (corrections, the
  controls' names, alternates, figments, abbreviations such as NBSP and SHY);
- NamesList.txt's informal aliases, its "=" lines ("paragraph sign");
- CLDR's annotations in English and Portuguese (unicode-cldr-core): the short name
  (type="tts") and the keywords, draft entries left out;
- HTML's named references for the character (Python's copy of HTML5's list), without the
  ampersand and the semicolon.

Unicode's own names (the first two) are Name; NamesList's aliases and CLDR's short names are
OtherName; CLDR's keywords are Keyword; HTML's references are Html, read case and all where a
query is written as one ("&ndash;") and otherwise matched as keywords.

usage: generate_character_terms.py UNICODE_DIR CLDR_ANNOTATIONS_DIR OUTPUT.inc
"""
import html.entities
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

from windows1252_table import code_page


def unicode_records(unicode_dir):
    records = {}
    with open(os.path.join(unicode_dir, "UnicodeData.txt"), encoding="utf-8") as data:
        for line in data:
            fields = line.rstrip("\n").split(";")
            records[int(fields[0], 16)] = fields
    return records


def folding_table(records):
    """Each letter below U+2000 that has a canonical decomposition or a lowercase mapping, to
    the lowercase of its first decomposed character: what matching ignores (case, accents)."""

    def base(code_point):
        fields = records.get(code_point)
        if fields is None:
            return code_point
        decomposition = fields[5]
        if decomposition and not decomposition.startswith("<"):
            return base(int(decomposition.split()[0], 16))
        return code_point

    def lower(code_point):
        fields = records.get(code_point)
        return int(fields[13], 16) if fields and fields[13] else code_point

    folded = {}
    for code_point in records:
        if code_point >= 0x2000:
            continue
        target = lower(base(lower(code_point)))
        if target != code_point and target < 0x10000:
            folded[code_point] = target
    return folded


def names_list_aliases(unicode_dir, wanted):
    aliases = {}
    current = None
    with open(os.path.join(unicode_dir, "NamesList.txt"), encoding="utf-8") as names:
        for line in names:
            heading = re.match(r"^([0-9A-F]{4,6})\t", line)
            if heading:
                current = int(heading.group(1), 16)
                continue
            alias = re.match(r"^\t= (.+)$", line.rstrip("\n"))
            if alias and current in wanted:
                aliases.setdefault(current, []).append(alias.group(1).strip())
    return aliases


def name_aliases(unicode_dir, wanted):
    aliases = {}
    with open(os.path.join(unicode_dir, "NameAliases.txt"), encoding="utf-8") as data:
        for line in data:
            if not line.strip() or line.startswith("#"):
                continue
            code_point, alias, _kind = line.rstrip("\n").split(";")[:3]
            if int(code_point, 16) in wanted:
                aliases.setdefault(int(code_point, 16), []).append(alias)
    return aliases


def cldr_annotations(annotations_dir, language, wanted):
    names, keywords = {}, {}
    root = ElementTree.parse(os.path.join(annotations_dir, f"{language}.xml")).getroot()
    for annotation in root.iter("annotation"):
        text = annotation.get("cp", "")
        if len(text) != 1 or ord(text) not in wanted or annotation.get("draft"):
            continue
        if annotation.get("type") == "tts":
            names.setdefault(ord(text), []).append(annotation.text.strip())
        else:
            words = [word.strip() for word in (annotation.text or "").split("|")]
            keywords.setdefault(ord(text), []).extend(word for word in words if word)
    return names, keywords


def html_names(wanted):
    found = {}
    for name, text in html.entities.html5.items():
        if len(text) == 1 and ord(text) in wanted:
            found.setdefault(ord(text), set()).add(name.rstrip(";"))
    return {code_point: sorted(names) for code_point, names in found.items()}


def literal(text):
    escaped = "".join(
        ch if 0x20 <= ord(ch) < 0x7F and ch not in '"\\' else f"\\u{ord(ch):04X}" for ch in text)
    return f'u"{escaped}"'


def main():
    unicode_dir, annotations_dir, output_path = sys.argv[1:4]
    code_points = code_page()
    wanted = set(code_points)
    records = unicode_records(unicode_dir)
    aliases = name_aliases(unicode_dir, wanted)
    informal = names_list_aliases(unicode_dir, wanted)
    html_references = html_names(wanted)
    cldr = [cldr_annotations(annotations_dir, language, wanted) for language in ("en", "pt")]
    rows = []
    for code, code_point in enumerate(code_points):
        terms = []

        def add(kind, text):
            if text and (kind, text) not in terms:
                terms.append((kind, text))

        name = records.get(code_point, ["", ""])[1]
        if not name.startswith("<"):
            add("Name", name)
        for alias in aliases.get(code_point, []):
            add("Name", alias)
        for alias in informal.get(code_point, []):
            add("OtherName", alias)
        for names, _ in cldr:
            for short_name in names.get(code_point, []):
                add("OtherName", short_name)
        for _, keywords in cldr:
            for keyword in keywords.get(code_point, []):
                add("Keyword", keyword)
        for reference in html_references.get(code_point, []):
            add("Html", reference)
        rows.extend((code, kind, text) for kind, text in terms)
    folded = folding_table(records)
    # The terms are kept in one string, each row giving where its text lies in it: a table of
    # offsets needs no relocation as the program loads, where one of pointers needs a relocation
    # for every term.
    with open(output_path, "w", encoding="ascii") as output:
        output.write("// Made at build time by generate_character_terms.py; not to be edited.\n")
        output.write("#ifdef ZENTAVO_CHARACTER_TERM_TEXT\n")
        for _, _, text in rows:
            output.write(literal(text) + "\n")
        output.write("#endif\n#ifdef ZENTAVO_CHARACTER_TERMS\n")
        at = 0
        for code, kind, text in rows:
            output.write(f"{{{code}, TermKind::{kind}, {len(text)}, {at}}},\n")
            at += len(text)
        output.write("#endif\n#ifdef ZENTAVO_FOLDED_LETTERS\n")
        for code_point in sorted(folded):
            output.write(f"{{0x{code_point:04X}, 0x{folded[code_point]:04X}}},\n")
        output.write("#endif\n")


if __name__ == "__main__":
    main()
