#!/usr/bin/env python3
"""Draws the program icons of the reader and the uninstaller.

usage: generate_icons.py READER.ico UNINSTALLER.ico

The reader's icon is the product mark (a page with a red PDF band); the
uninstaller's adds a round badge with a cross. Each icon holds the sizes
Windows asks for, every one drawn at its own size.
"""

import io
import pathlib
import sys

from PIL import Image

import art

SIZES = (16, 24, 32, 48, 256)


def mark(size, badge):
    u = size / 32  # the drawing is laid out on a 32-unit grid
    s = art.Shapes(size, size)
    x0, y0, x1, y1 = 5 * u, 1.5 * u, 26 * u, 30.5 * u
    fold = 7 * u
    s.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], "#FFFFFF")
    s.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], "#C9D6E6")
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1), (x0, y0)]
    s.line(outline, "#7D8FA6", max(0.6, 0.9 * u))
    if size >= 24:
        for i in range(3):
            y = y0 + (8 + i * 3.4) * u
            s.line([(x0 + 4 * u, y), (x1 - 4 * u - (i == 2) * 5 * u, y)], "#C4CFDC", 1.2 * u)
    s.rounded((2 * u, 18 * u, 22 * u, 27 * u), 1.6 * u, fill="#E53935")
    if badge:
        s.ellipse((17 * u, 17 * u, 31.5 * u, 31.5 * u), fill="#1565C0", outline="#FFFFFF", width=1.2 * u)
        s.line([(21.2 * u, 21.2 * u), (27.3 * u, 27.3 * u)], "#FFFFFF", 1.8 * u)
        s.line([(21.2 * u, 27.3 * u), (27.3 * u, 21.2 * u)], "#FFFFFF", 1.8 * u)
    image = s.layer()
    if size >= 48 and not badge:
        art.text(image, (12 * u, 22.6 * u), "PDF", round(7 * u), "#FFFFFF", anchor="mm", bold=size >= 128)
    return image


def icon(badge):
    """ICO bytes: one PNG-compressed picture per size, largest last."""
    pictures = [art.png(mark(size, badge)) for size in SIZES]
    header = bytearray(len(pictures).to_bytes(2, "little").rjust(6, b"\0"))
    header[2:4] = (1).to_bytes(2, "little")  # type: icon
    entries = bytearray()
    offset = 6 + 16 * len(pictures)
    for size, data in zip(SIZES, pictures):
        side = 0 if size == 256 else size
        entries += bytes([side, side, 0, 0]) + (1).to_bytes(2, "little") + (32).to_bytes(2, "little")
        entries += len(data).to_bytes(4, "little") + offset.to_bytes(4, "little")
        offset += len(data)
    return bytes(header) + bytes(entries) + b"".join(pictures)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    for path, badge in ((argv[1], False), (argv[2], True)):
        data = icon(badge)
        target = pathlib.Path(path)
        target.parent.mkdir(parents=True, exist_ok=True)
        if not target.exists() or target.read_bytes() != data:
            target.write_bytes(data)


if __name__ == "__main__":
    main(sys.argv)
