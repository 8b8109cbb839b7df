"""Reads Zentavo.exe back and checks what Windows will see of it: a 64-bit GUI program that
imports only Windows' own DLLs, with its version record, its icon of every size and a manifest
declaring per-monitor DPI awareness.

usage: check_windows_executable.py ZENTAVO_EXE VERSION
"""
import sys

import pefile

WINDOWS_OWN = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "imm32.dll",
               "msvcrt.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
               "oleacc.dll", "uxtheme.dll"}
PRODUCT_STRINGS = {"CompanyName": "Tolvek", "InternalName": "Zentavo",
                   "OriginalFilename": "Zentavo.exe", "ProductName": "Zentavo"}
RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


def resources_of(pe, type_id):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == type_id:
            for name in entry.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    yield name.id, pe.get_data(data.OffsetToData, data.Size)


def main():
    pe = pefile.PE(sys.argv[1])
    version = sys.argv[2]  # "1.00": the project's, as the version record must say it
    major, minor = (int(part) for part in version.split("."))
    faults = []
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]:
        faults.append("not an x86-64 program")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        faults.append("not a GUI-subsystem program")
    imports = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
    foreign = [dll for dll in imports if dll not in WINDOWS_OWN]
    if foreign:
        faults.append(f"imports DLLs that are not Windows' own: {foreign}")

    fixed = pe.VS_FIXEDFILEINFO[0]
    if (fixed.FileVersionMS, fixed.FileVersionLS) != (major << 16 | minor, 0) or \
            (fixed.ProductVersionMS, fixed.ProductVersionLS) != (major << 16 | minor, 0):
        faults.append(f"file or product version is not {major}.{minor}.0.0")
    if fixed.FileOS != 0x4 or fixed.FileType != 0x1:
        faults.append("not marked a 32-bit Windows application (VOS__WINDOWS32, VFT_APP)")
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            if table.LangID.decode().upper() == "040904B0":
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    if strings != {**PRODUCT_STRINGS, "FileVersion": version, "ProductVersion": version}:
        faults.append(f"version strings under 040904B0 are {strings}")

    groups = list(resources_of(pe, RT_GROUP_ICON))
    images = list(resources_of(pe, RT_ICON))
    # Every size Windows shows an icon at, and the classic images: 32 and 16 px in 16 colours
    # (4 bits a pixel), 32 px in 2 (1 bit).
    wanted_sizes = sorted([16, 20, 24, 32, 40, 48, 64, 256] + [32, 16, 32])
    classic = {(32, 4), (16, 4), (32, 1)}
    if len(groups) != 1 or len(images) != len(wanted_sizes):
        faults.append(f"{len(groups)} icon groups and {len(images)} icon images, "
                      f"not 1 and {len(wanted_sizes)}")
    else:
        count = int.from_bytes(groups[0][1][4:6], "little")
        entries = [groups[0][1][6 + 14 * i: 20 + 14 * i] for i in range(count)]
        sizes = sorted(entry[0] or 256 for entry in entries)  # a width of 0 means 256
        if sizes != wanted_sizes:
            faults.append(f"icon images are {sizes} px, not {wanted_sizes}")
        depths = {(entry[0], int.from_bytes(entry[6:8], "little")) for entry in entries}
        if not classic <= depths:
            faults.append(f"no classic image of {sorted(classic - depths)} (size, bits)")

    manifests = list(resources_of(pe, RT_MANIFEST))
    manifest = manifests[0][1].decode() if manifests else ""
    if not manifests or manifests[0][0] != 1:
        faults.append("no application manifest (resource 1 of type 24)")
    for wanted in ("PerMonitorV2", "Microsoft.Windows.Common-Controls"):
        if wanted not in manifest:
            faults.append(f"the manifest does not name {wanted}")

    print(f"{sys.argv[1]}: {pe.OPTIONAL_HEADER.SizeOfImage} bytes mapped; imports {imports}")
    for fault in faults:
        print("FAULT:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
