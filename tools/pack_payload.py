#!/usr/bin/env python3
"""Packs the reader's files into the payload archive the setup program carries.

usage: pack_payload.py OUTPUT.zip NAME=FILE [NAME=FILE ...]

Entries go into the archive root in the order given. Every entry is deflated
(method 8) with general-purpose flags 0, "version needed" 2.0, "made by"
version 3.1 on host 0 (FAT), external attributes 0x20 (archive) and the time
14 July 2015 10:00:00; names are stored as GBK bytes without the UTF-8 flag,
which is what the setup program's ANSI extraction expects. There is no
archive comment. Python's zipfile cannot be told all of this (it sets the
UTF-8 flag for such names and its own "made by"), so the structures are
written here directly.
"""

import pathlib
import struct
import sys
import zlib

MADE_BY = 31  # version 3.1, host 0 (FAT) in the high byte
NEEDED = 20
FLAGS = 0
DEFLATED = 8
ARCHIVE_ATTRIBUTE = 0x20
DOS_TIME = (10 << 11) | (0 << 5) | (0 // 2)
DOS_DATE = ((2015 - 1980) << 9) | (7 << 5) | 14


def deflate(data):
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15, 9, zlib.Z_DEFAULT_STRATEGY)
    return compressor.compress(data) + compressor.flush()


def pack(entries):
    archive = bytearray()
    directory = bytearray()
    for name, data in entries:
        encoded = name.encode("gbk")
        packed = deflate(data)
        crc = zlib.crc32(data)
        offset = len(archive)
        archive += struct.pack("<IHHHHHIIIHH", 0x04034B50, NEEDED, FLAGS, DEFLATED, DOS_TIME, DOS_DATE,
                               crc, len(packed), len(data), len(encoded), 0)
        archive += encoded + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, MADE_BY, NEEDED, FLAGS, DEFLATED,
                                 DOS_TIME, DOS_DATE, crc, len(packed), len(data), len(encoded), 0, 0, 0, 0,
                                 ARCHIVE_ATTRIBUTE, offset)
        directory += encoded
    directory_offset = len(archive)
    archive += directory
    archive += struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory),
                           directory_offset, 0)
    return bytes(archive)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    entries = []
    for argument in argv[2:]:
        name, _, path = argument.partition("=")
        entries.append((name, pathlib.Path(path).read_bytes()))
    data = pack(entries)
    output = pathlib.Path(argv[1])
    if not output.exists() or output.read_bytes() != data:
        output.write_bytes(data)


if __name__ == "__main__":
    main(sys.argv)
