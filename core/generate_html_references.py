"""Writes, for every code point of the Basic Multilingual Plane that HTML names, the named
character reference a page author would write, as C++ table rows sorted by code point. The
source is Python's html.entities, a maintained copy of HTML5's list of named references.

The name chosen is HTML 4's where it has one (codepoint2name: "&ndash;", "&nbsp;"), as those
are the names every browser and editor knows; otherwise the shortest of HTML5's names for the
character that end in a semicolon, the alphabetically first among equals.

usage: generate_html_references.py OUTPUT.inc
"""
import html.entities
import sys


def main():
    chosen = {}
    for name, text in html.entities.html5.items():
        if not name.endswith(";") or len(text) != 1 or ord(text) > 0xFFFF:
            continue
        code_point = ord(text)
        if code_point not in chosen or (len(name), name) < (len(chosen[code_point]), chosen[code_point]):
            chosen[code_point] = name
    for code_point, name in html.entities.codepoint2name.items():
        if html.entities.html5.get(name + ";") == chr(code_point):
            chosen[code_point] = name + ";"
    with open(sys.argv[1], "w", encoding="ascii") as output:
        output.write("// Made at build time by generate_html_references.py; not to be edited.\n")
        for code_point in sorted(chosen):
            output.write(f'{{0x{code_point:04X}, "&{chosen[code_point]}"}},\n')


if __name__ == "__main__":
    main()
