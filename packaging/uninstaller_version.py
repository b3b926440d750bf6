#!/usr/bin/env python3
"""Gives the NSIS uninstaller a version resource of its own.

NSIS writes the uninstaller from the installer's own header, so Explorer would describe
uninstall.exe as the installer. makensis runs this on the uninstaller it has just made
(`!uninstfinalize`, before embedding it): in every string table of the version resource,
FileDescription "Installation de ..." becomes "Désinstallation de ...", OriginalFilename becomes
"uninstall.exe" and Comments (the installer's) goes. The new resource is written over the old
one, which must be at least as long: the installer's Comments leave the room. Then the NSIS
integrity check (CRC-32 of everything past the first 512 bytes, stored in the last 4) and the
PE checksum are computed anew.

Usage: uninstaller_version.py UNINSTALLER.exe
"""
import struct
import sys
import zlib

RT_VERSION = 16


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.checksum_at = optional + 64
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} is in no section")

    def version_entries(self):
        """The offsets of the IMAGE_RESOURCE_DATA_ENTRY of every RT_VERSION resource."""
        root = self.offset(self.resource_rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                yield name, target

        found = []
        for kind, target in entries(root):
            if kind != RT_VERSION or not target & 0x80000000:
                continue
            for _, names in entries(root + (target & 0x7FFFFFFF)):
                for _, language in entries(root + (names & 0x7FFFFFFF)):
                    found.append(root + language)
        return found


def parse(data, at=0):
    """One node of a VS_VERSIONINFO tree: (key, type, value bytes, children)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = (value_at + value_size + 3) & ~3
    while child < end:
        node, child_end = parse(data, child)
        children.append(node)
        child = (child_end + 3) & ~3
    return (key, kind, value, children), end


def serialise(node):
    key, kind, value, children = node
    out = bytearray(6) + (key + "\0").encode("utf-16-le")
    out += b"\0" * (-len(out) % 4) + value
    for child in children:
        out += b"\0" * (-len(out) % 4) + serialise(child)
    value_length = len(value) // 2 if kind == 1 else len(value)
    struct.pack_into("<HHH", out, 0, len(out), value_length, kind)
    return bytes(out)


def text(value):
    return (value + "\0").encode("utf-16-le")


def for_uninstaller(node):
    key, kind, value, children = node
    if key == "StringFileInfo":
        tables = []
        for table_key, table_kind, table_value, strings in children:
            kept = []
            for name, string_kind, string, _ in strings:
                current = string.decode("utf-16-le").rstrip("\0")
                if name == "Comments":
                    continue
                if name == "FileDescription":
                    if not current.startswith("Installation de "):
                        raise ValueError(f"unexpected FileDescription: {current!r}")
                    string = text("Désinstallation de " + current[len("Installation de "):])
                elif name == "OriginalFilename":
                    string = text("uninstall.exe")
                kept.append((name, string_kind, string, []))
            tables.append((table_key, table_kind, table_value, kept))
        return (key, kind, value, tables)
    return (key, kind, value, [for_uninstaller(child) for child in children])


def pe_checksum(data, checksum_at):
    total = 0
    padded = data + b"\0" * (len(data) % 2)
    for i in range(0, len(padded), 2):
        if i in (checksum_at, checksum_at + 2):
            continue
        total += padded[i] | padded[i + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def main(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    if struct.unpack_from("<I", data, len(data) - 4)[0] != zlib.crc32(data[512:-4]):
        raise ValueError("the uninstaller's integrity check is not where it is expected")
    pe = PeFile(data)
    entries = pe.version_entries()
    if not entries:
        raise ValueError("the uninstaller has no version resource")
    for entry in entries:
        rva, size = struct.unpack_from("<II", data, entry)
        at = pe.offset(rva)
        old = bytes(data[at:at + size])
        tree, length = parse(old)
        if serialise(tree) != old[:length]:
            raise ValueError("the version resource does not read back as written")
        new = serialise(for_uninstaller(tree))
        if len(new) > size:
            raise ValueError(f"the uninstaller's version resource ({len(new)} bytes) does not "
                             f"fit in the installer's ({size} bytes)")
        data[at:at + size] = new + b"\0" * (size - len(new))
        struct.pack_into("<I", data, entry + 4, len(new))
    if pe.checksum_at + 4 > 512:
        raise ValueError("the PE checksum lies inside the integrity check")
    struct.pack_into("<I", data, len(data) - 4, zlib.crc32(data[512:-4]))
    if struct.unpack_from("<I", data, pe.checksum_at)[0] != 0:
        struct.pack_into("<I", data, pe.checksum_at, pe_checksum(bytes(data), pe.checksum_at))
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
