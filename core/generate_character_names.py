"""Writes the names of the 256 Windows-1252 characters, as the Unicode Character Database gives
them, into a C++ table indexed by code.

A character's name is its Unicode name, or its correction alias where Unicode has one. A control
character has none: it gets its first control alias from NameAliases.txt, in the longer form of
its Unicode 1.0 name where that only adds the abbreviation ("LINE FEED" becomes "LINE FEED
(LF)"). The 1.0 name is not taken alone, as some now name other characters ("BELL" is U+1F514;
U+0007 is ALERT). The abbreviation is the first "abbreviation" alias ("LF", "NBSP"), if any.

The names are kept in one string, each row giving where its two lie in it: a table of offsets
needs no relocation as the program loads, where a table of pointers would need one a name.

usage: generate_character_names.py UNICODE_DIR OUTPUT.inc
"""
import os
import sys

from windows1252_table import code_page


def read_names(unicode_dir, wanted):
    names, unicode1_names, abbreviations = {}, {}, {}
    path = f"{unicode_dir}/UnicodeData.txt"
    if not os.path.exists(path):
        sys.exit(f"{path} is missing: install Debian's unicode-data package, or point "
                 "ZENTAVO_UNICODE_DATA_DIR at the Unicode data files.")
    with open(path, encoding="utf-8") as records:
        for record in records:
            fields = record.split(";")
            code_point = int(fields[0], 16)
            if code_point in wanted:
                names[code_point] = "" if fields[1] == "<control>" else fields[1]
                unicode1_names[code_point] = fields[10]
    with open(f"{unicode_dir}/NameAliases.txt", encoding="utf-8") as aliases:
        for line in aliases:
            if line.startswith("#") or not line.strip():
                continue
            hex_digits, alias, kind = line.strip().split(";")[:3]
            code_point = int(hex_digits, 16)
            if code_point not in wanted:
                continue
            if kind == "correction":
                names[code_point] = alias
            elif kind in ("control", "figment") and not names[code_point]:
                longer = unicode1_names[code_point]
                names[code_point] = longer if longer.startswith(alias + " (") else alias
            elif kind == "abbreviation":
                abbreviations.setdefault(code_point, alias)
    return names, abbreviations


def main():
    unicode_dir, output_path = sys.argv[1:3]
    code_points = code_page()
    names, abbreviations = read_names(unicode_dir, set(code_points))
    text, rows, at = "", "", 0
    for code, code_point in enumerate(code_points):
        name, abbreviation = names.get(code_point, ""), abbreviations.get(code_point, "")
        if not name:
            sys.exit(f"The Unicode data files give no name for U+{code_point:04X}")
        text += f'    "{name}{abbreviation}"\n'
        rows += f"    /* {code} */ {{{at}, {len(name)}, {at + len(name)}, {len(abbreviation)}}},\n"
        at += len(name) + len(abbreviation)
    written = ("// Generated at build time from UnicodeData.txt and NameAliases.txt; do not edit.\n"
               f"// clang-format off\n#ifdef ZENTAVO_CHARACTER_NAME_TEXT\n{text}#endif\n"
               f"#ifdef ZENTAVO_CHARACTER_NAMES\n{rows}#endif\n// clang-format on\n")
    # Rewriting an unchanged table would rebuild everything that includes it.
    if not os.path.exists(output_path) or open(output_path, encoding="ascii").read() != written:
        with open(output_path, "w", encoding="ascii") as output:
            output.write(written)


if __name__ == "__main__":
    main()
