#!/usr/bin/env python3
"""Checks that a 32-bit Windows program imports only functions that Windows XP
SP2's system DLLs export (the list in scripts/xp-sp2-exports.txt, one
"dll function" a line). Prints each import that is missing and exits 1.

Usage: check_xp_imports.py <program.exe> [exports-list]
       check_xp_imports.py --list <program.exe>   (prints the imports)
"""
import os
import struct
import sys


def rva_to_offset(sections, rva):
    for virtual_address, virtual_size, raw_offset, raw_size in sections:
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            return raw_offset + rva - virtual_address
    raise ValueError("address 0x%x lies in no section" % rva)


def read_string(data, offset):
    end = data.index(b"\0", offset)
    return data[offset:end].decode("ascii")


def imports(path):
    """The (dll, function) pairs a PE file imports; functions by ordinal as '#n'."""
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        raise ValueError("%s is not a Windows program" % path)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("%s has no PE header" % path)
    sections_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    pe32_plus = magic == 0x20B
    directories = optional + (112 if pe32_plus else 96)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    sections = []
    table = optional + optional_size
    for i in range(sections_count):
        s = table + 40 * i
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from("<IIII", data, s + 8)
        sections.append((virtual_address, virtual_size, raw_offset, raw_size))
    result = []
    if import_rva == 0:
        return result
    descriptor = rva_to_offset(sections, import_rva)
    thunk_size = 8 if pe32_plus else 4
    ordinal_flag = 1 << (63 if pe32_plus else 31)
    while True:
        lookup, _, _, name_rva, address = struct.unpack_from("<IIIII", data, descriptor)
        if name_rva == 0:
            break
        dll = read_string(data, rva_to_offset(sections, name_rva)).lower()
        thunk = rva_to_offset(sections, lookup or address)
        while True:
            entry = struct.unpack_from("<Q" if pe32_plus else "<I", data, thunk)[0]
            if entry == 0:
                break
            if entry & ordinal_flag:
                result.append((dll, "#%d" % (entry & 0xFFFF)))
            else:
                result.append((dll, read_string(data, rva_to_offset(sections, entry & 0x7FFFFFFF) + 2)))
            thunk += thunk_size
        descriptor += 20
    return result


def load_list(path):
    known = set()
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0].strip() if not line.startswith("#") else ""
        if line:
            dll, function = line.split()
            known.add((dll.lower(), function))
    return known


def main(argv):
    if len(argv) >= 3 and argv[1] == "--list":
        for dll, function in sorted(set(imports(argv[2]))):
            print(dll, function)
        return 0
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    listed = argv[2] if len(argv) > 2 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "xp-sp2-exports.txt")
    known = load_list(listed)
    found = sorted(set(imports(argv[1])))
    missing = [(dll, f) for dll, f in found if (dll, f) not in known]
    for dll, function in missing:
        print("not exported by Windows XP SP2: %s %s" % (dll, function))
    print("%s: %d imports, %d not on Windows XP SP2" % (os.path.basename(argv[1]), len(found), len(missing)))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
