#!/usr/bin/env python3
"""Draws the program's pictures and writes the embedded data files.

usage: generate_resources.py TEXTS_JSON OUTPUT_FOLDER

Writes builtin_skin.qxskin (the toolkit's built-in skin), setup_skin.qxskin
(the setup program's skin), the four page backgrounds welcome.png,
selection.png, install.png and finish.png, and setup_texts.h, the words those
pictures show, for the names screen readers read out. The same inputs always
give the same bytes: nothing depends on the clock, the machine or chance.
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


def c_string(text):
    # The sources are UTF-8, as is every other text of the program; JSON's
    # escapes for quotes, backslashes and control characters are C's too.
    return json.dumps(text, ensure_ascii=False)


def texts_header(texts):
    """The words drawn into the pictures, as the program names its controls:
    the controls show them only as pixels, and a screen reader needs them as
    text. Written from the same file the pictures are drawn from, so the two
    cannot drift apart."""
    buttons = texts["buttons"]
    selection = [option["text"] for option in texts["selection"]["options"]]
    finish = [option["text"] for option in texts["finish"]["options"]]
    names = [
        ("kInstall", buttons["安装按键"]),
        ("kChangeFolder", buttons["选择页面更换目录按键"]),
        ("kPrevious", buttons["上一步"]),
        ("kNext", buttons["下一步"]),
        ("kCancel", buttons["取消"]),
        ("kFinish", buttons["完成按键"]),
        ("kFolderBox", texts["selection"]["folder_caption"]),
        ("kDesktopShortcut", selection[0]),
        ("kStartMenuGroup", selection[1]),
        ("kNoNetwork", selection[2]),
        ("kPdfAssociation", finish[0]),
        ("kLaunchReader", finish[1]),
        ("kUninstallNote", finish[2]),
        ("kProgress", texts["install"]["progress_caption"]),
    ]
    lines = [
        "#pragma once",
        "// Written by tools/generate_resources.py from resources/texts.json: the",
        "// words the setup's pictures show. Do not edit.",
        "",
        "namespace lirvo::setup::picture_text {",
    ]
    lines += [f"inline constexpr char {name}[] = {c_string(text)};" for name, text in names]
    lines += ["}  // namespace lirvo::setup::picture_text", ""]
    return "\n".join(lines).encode("utf-8")


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
    write_if_changed(out / "setup_texts.h", texts_header(texts))


if __name__ == "__main__":
    main(sys.argv)
