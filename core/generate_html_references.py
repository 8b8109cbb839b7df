"""Writes, for every Windows-1252 character that HTML names, the named character reference a
page author would write, as C++ table rows sorted by code point. The source is Python's
html.entities, a maintained copy of HTML5's list of named references.

The name chosen is HTML 4's where it has one (codepoint2name: "&ndash;", "&nbsp;"), as those
are the names every browser and editor knows; otherwise the shortest of HTML5's names for the
character that end in a semicolon, the alphabetically first among equals.

The names are written as one string and the rows give where each lies in it: a table of offsets
needs no relocation as the program loads.

usage: generate_html_references.py OUTPUT.inc
"""
import html.entities
import sys

from windows1252_table import code_page


def main():
    wanted = set(code_page())
    chosen = {}
    for name, text in html.entities.html5.items():
        if not name.endswith(";") or len(text) != 1 or ord(text) not in wanted:
            continue
        code_point = ord(text)
        if code_point not in chosen or (len(name), name) < (len(chosen[code_point]), chosen[code_point]):
            chosen[code_point] = name
    for code_point, name in html.entities.codepoint2name.items():
        if code_point in wanted and html.entities.html5.get(name + ";") == chr(code_point):
            chosen[code_point] = name + ";"
    with open(sys.argv[1], "w", encoding="ascii") as output:
        output.write("// Made at build time by generate_html_references.py; not to be edited.\n")
        output.write("#ifdef ZENTAVO_HTML_REFERENCE_TEXT\n")
        for code_point in sorted(chosen):
            output.write(f'"&{chosen[code_point]}"\n')
        output.write("#endif\n#ifdef ZENTAVO_HTML_REFERENCES\n")
        at = 0
        for code_point in sorted(chosen):
            output.write(f"{{0x{code_point:04X}, {at}, {len(chosen[code_point]) + 1}}},\n")
            at += len(chosen[code_point]) + 1
        output.write("#endif\n")


if __name__ == "__main__":
    main()
