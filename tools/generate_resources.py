#!/usr/bin/env python3
"""Draws the program's pictures and writes the embedded data files.

usage: generate_resources.py TEXTS_JSON OUTPUT_FOLDER

Writes builtin_skin.qxskin (the toolkit's built-in skin), setup_skin.qxskin
(the setup program's skin) and the four page backgrounds welcome.png,
selection.png, install.png and finish.png. The same inputs always give the
same bytes: nothing depends on the clock, the machine or chance.
"""

import json
import pathlib
import sys

import art
import builtin_skin
import setup_art
import skin_database


def write_if_changed(path, data):
    # Leaving an unchanged file alone keeps its time stamp, so the build does
    # not recompile what embeds it.
    if path.exists() and path.read_bytes() == data:
        return
    path.write_bytes(data)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    texts = json.loads(pathlib.Path(argv[1]).read_text(encoding="utf-8"))
    out = pathlib.Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)

    write_if_changed(out / "builtin_skin.qxskin", skin_database.serialise("", builtin_skin.records()))

    page_images = setup_art.pages(texts)
    for name, image in page_images.items():
        write_if_changed(out / f"{name}.png", art.png(image))
    setup_skin = skin_database.serialise("新资源包", setup_art.skin_records(texts, page_images))
    write_if_changed(out / "setup_skin.qxskin", setup_skin)


if __name__ == "__main__":
    main(sys.argv)
