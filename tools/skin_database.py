"""Writes the toolkit's serialised skin database ("QxSkinDataBase V2").

Layout, all integers little-endian: the 17-byte magic, the record count, the
header length and header bytes, then per record its length (name + data + 13),
the name with a zero byte, kind, tag, data length and the data.
"""

import struct

MAGIC = b"QxSkinDataBase V2"


class Record:
    def __init__(self, name, data, kind=0, tag=0):
        self.name = name
        self.data = bytes(data)
        self.kind = kind
        self.tag = tag


def encode_text(text):
    """Names and header texts are ANSI bytes of code page 936."""
    encoded = text.encode("gbk")
    if b"\0" in encoded:
        raise ValueError(f"text holds a zero byte: {text!r}")
    return encoded


def serialise(header, records):
    header_bytes = encode_text(header)
    out = bytearray(MAGIC)
    out += struct.pack("<ii", len(records), len(header_bytes))
    out += header_bytes
    for record in records:
        name = encode_text(record.name)
        out += struct.pack("<I", len(name) + len(record.data) + 13)
        out += name + b"\0"
        out += struct.pack("<iii", record.kind, record.tag, len(record.data))
        out += record.data
    return bytes(out)
