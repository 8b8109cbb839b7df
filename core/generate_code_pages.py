"""Writes Windows-1252 and the single-byte code pages people still meet, as C++ tables of what
each byte stands for, with each page's kind, from Python's codecs, which are made from the
unicode.org mapping files (see the header of Python's encodings/cp437.py):

     1252  Windows-1252  cp1252, with Windows' own mapping of its five undefined bytes
    28591  ISO-8859-1    latin_1
    28605  ISO-8859-15   iso8859_15
    10000  Mac Roman     mac_roman (Apple's current table: DB is the euro sign)
      850  DOS 850       cp850
      437  DOS 437       cp437

Neither Python's codecs nor glibc's charmaps give the pictures the IBM PC shows for bytes 1 to 31
and 127, which Windows types for Alt+1 to Alt+31 and Alt+127 and gives with MB_USEGLYPHCHARS;
they read those bytes as control characters. The pictures are the IBM PC's graphic characters as
unicode.org's VENDORS/MISC/IBMGRAPH.TXT maps them, the same for every DOS code page, and the
Windows test checks them against Windows' own MultiByteToWideChar(MB_USEGLYPHCHARS), byte by byte.

usage: generate_code_pages.py OUTPUT.inc
"""
import sys

from windows1252_table import code_page

# The pages besides Windows-1252, in the order the details list them, with their kinds.
PAGES = [(28591, "latin_1", "Iso"), (28605, "iso8859_15", "Iso"), (10000, "mac_roman", "Mac"),
         (850, "cp850", "Dos"), (437, "cp437", "Dos")]

# IBMGRAPH.TXT: the IBM PC's pictures for bytes 0x01-0x1F, then for 0x7F.
IBM_PC_PICTURES = [
    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8,  # 01-08
    0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA,  # 09-10
    0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8, 0x2191,  # 11-18
    0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,          # 19-1F
]
IBM_PC_PICTURE_OF_7F = 0x2302
NO_CHARACTER = 0xFFFFFFFF


def table(codec):
    characters = []
    for byte in range(256):
        try:
            text = bytes([byte]).decode(codec)
        except UnicodeDecodeError:
            characters.append(NO_CHARACTER)
            continue
        if len(text) != 1:
            sys.exit(f"{codec} gives byte {byte:02X} {len(text)} characters")
        characters.append(ord(text))
    return characters


def rows(values):
    return "".join(f"    /* 0x{row:02X} */ " + ", ".join(f"0x{value:04X}" for value in values[row:row + 8])
                   + ",\n" for row in range(0, len(values), 8))


def main():
    with open(sys.argv[1], "w", encoding="ascii") as output:
        output.write("// Made at build time by generate_code_pages.py; not to be edited.\n")
        output.write("// clang-format off\n#ifdef ZENTAVO_WINDOWS_1252\n")
        output.write(rows(code_page()))
        output.write("#endif\n#ifdef ZENTAVO_CODE_PAGE_TABLES\n")
        for number, codec, kind in PAGES:
            output.write(f"  {{{number}, CodePageKind::{kind}, {{{{\n{rows(table(codec))}  }}}}}},\n")
        output.write("#endif\n#ifdef ZENTAVO_IBM_PC_PICTURES\n")
        output.write(rows([0] + IBM_PC_PICTURES))
        output.write(f"#endif\n#ifdef ZENTAVO_IBM_PC_PICTURE_OF_7F\n0x{IBM_PC_PICTURE_OF_7F:04X}\n")
        output.write("#endif\n// clang-format on\n")


if __name__ == "__main__":
    main()
