#!/usr/bin/env python3
"""Prints the target path a Windows shortcut (.lnk) points to, read from its
LinkInfo's local base path (ANSI bytes in code page 936), as UTF-8.
usage: lnk_target.py FILE.lnk"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO = 0x1, 0x2


def target(data: bytes) -> str:
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shell link")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if not flags & HAS_LINK_INFO:
        raise ValueError("the link has no LinkInfo")
    base_path_offset = struct.unpack_from("<I", data, at + 16)[0]
    start = at + base_path_offset
    end = data.index(b"\0", start)
    return data[start:end].decode("gbk")


if __name__ == "__main__":
    try:
        with open(sys.argv[1], "rb") as link:
            print(target(link.read()))
    except (OSError, ValueError, struct.error) as error:
        print(f"lnk_target: {sys.argv[1]}: {error}", file=sys.stderr)
        sys.exit(1)
