"""Windows-1252 as Windows maps it, for the generators: Python's cp1252 codec, which leaves five
bytes undefined, and for those five Windows' own mapping, to the C1 control of the same value, so
that every byte stands for one character and no two for the same. The test under wine compares
the whole table with Windows' MultiByteToWideChar."""

UNDEFINED_IN_CP1252 = (0x81, 0x8D, 0x8F, 0x90, 0x9D)


def code_page():
    """The 256 code points of the code page, in the order of their bytes."""
    return [byte if byte in UNDEFINED_IN_CP1252 else ord(bytes([byte]).decode("cp1252"))
            for byte in range(256)]
