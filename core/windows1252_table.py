"""The Windows-1252 code page as the generators read it: from its one definition, the table in
windows1252.cpp, so that no generated table can drift from it."""
import re
import sys


def code_page(source_path):
    """The 256 code points of the code page, in the order of their bytes."""
    source = open(source_path, encoding="utf-8").read()
    table = re.search(r"kCharacterForCode = {([^}]*)}", source).group(1)
    table = re.sub(r"/\*[^*]*\*/", "", table)
    code_points = [int(hex_digits, 16) for hex_digits in re.findall(r"0x([0-9A-F]{4})", table)]
    if len(code_points) != 256:
        sys.exit(f"found {len(code_points)} code points in {source_path}, not 256")
    return code_points
