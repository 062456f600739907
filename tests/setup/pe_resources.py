#!/usr/bin/env python3
"""Lists the resources of one type in a PE file: pe_resources.py FILE TYPE
TYPE is a type name ("MYDATA") or number (14 for icon groups). Prints "NAME SIZE" per
resource, one a line; numbered resources print their number."""
import struct
import sys


def main(path, wanted):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    rsrc_file = None
    section_list = []
    for i in range(sections):
        base = table + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, base + 8)
        section_list.append((va, max(vsize, rawsize), rawptr))
        if va <= rsrc_rva < va + max(vsize, rawsize):
            rsrc_file = rawptr + (rsrc_rva - va)
    if rsrc_file is None:
        return

    def to_file(rva):
        for va, size, rawptr in section_list:
            if va <= rva < va + size:
                return rawptr + rva - va
        raise ValueError("address outside the sections")

    def name_of(entry_name):
        at = rsrc_file + (entry_name & 0x7FFFFFFF)
        length = struct.unpack_from("<H", data, at)[0]
        return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, rsrc_file + offset + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, rsrc_file + offset + 16 + 8 * i)
            key = name_of(name) if name & 0x80000000 else name
            yield key, target

    for type_key, type_target in entries(0):
        if type_key != wanted:
            continue
        for name_key, name_target in entries(type_target & 0x7FFFFFFF):
            for _, language_target in entries(name_target & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, rsrc_file + language_target)
                to_file(rva)
                print(name_key, size)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if sys.argv[2].isdigit() else sys.argv[2])
