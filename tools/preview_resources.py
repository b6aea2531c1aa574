#!/usr/bin/env python3
"""Pictures for looking at the embedded art: a contact sheet of each skin, the
caption buttons on a title's colour, and the four pages with stand-ins for
the program's controls at their places.

usage: preview_resources.py GENERATED_FOLDER OUTPUT_FOLDER

The stand-ins (folder box, free-space text, progress bar, ticks, buttons,
the custom-install caption and the 30-pixel panel under the window) are drawn
the way the program draws them, closely enough to judge fit and colour; the
real thing is the program on screen.
"""

import io
import pathlib
import struct
import sys

from PIL import Image

import art
import setup_art

# Mid-tone squares, so white glyphs and dark ones both show.
CHECKER = ((150, 160, 174), (128, 139, 154))


def read_skin(path):
    data = path.read_bytes()
    assert data[:17] == b"QxSkinDataBase V2"
    count, header_length = struct.unpack_from("<ii", data, 17)
    at = 25 + header_length
    records = []
    for _ in range(count):
        (length,) = struct.unpack_from("<I", data, at)
        body = data[at + 4:at + 4 + length]
        name_end = body.index(b"\0")
        kind, tag, size = struct.unpack_from("<iii", body, name_end + 1)
        payload = body[name_end + 13:name_end + 13 + size]
        records.append((body[:name_end].decode("gbk"), kind, tag, payload))
        at += 4 + length
    return data[25:25 + header_length].decode("gbk"), records


def checkerboard(width, height, cell=6):
    board = Image.new("RGBA", (width, height), CHECKER[0] + (255,))
    for y in range(0, height, cell):
        for x in range(0, width, cell):
            if (x // cell + y // cell) % 2:
                board.paste(CHECKER[1] + (255,), (x, y, x + cell, y + cell))
    return board


def contact_sheet(title, records, columns=6, cell=(190, 150)):
    cw, ch = cell
    rows = (len(records) + columns - 1) // columns
    sheet = Image.new("RGBA", (columns * cw + 20, rows * ch + 50), (255, 255, 255, 255))
    art.text(sheet, (12, 12), title, 16, "#2E3A46", bold=True)
    for index, (name, kind, tag, data) in enumerate(records):
        x0 = 10 + (index % columns) * cw
        y0 = 44 + (index // columns) * ch
        box_w, box_h = cw - 16, ch - 44
        try:
            picture = Image.open(io.BytesIO(data)).convert("RGBA")
            size = f"{picture.width} x {picture.height}"
            # Small pictures are shown enlarged with hard pixels so their
            # edges can be judged; large ones are shrunk to fit.
            scale = min(box_w / picture.width, box_h / picture.height)
            scale = min(scale, 4) if scale >= 1 else scale
            shown = picture.resize((max(1, round(picture.width * scale)), max(1, round(picture.height * scale))),
                                   Image.NEAREST if scale >= 1 else Image.LANCZOS)
            board = checkerboard(shown.width, shown.height)
            board.alpha_composite(shown)
            sheet.alpha_composite(board, (x0 + (box_w - shown.width) // 2, y0 + (box_h - shown.height) // 2))
        except Exception:
            size = f"{len(data):,} bytes, no picture"
        art.text(sheet, (x0, y0 + box_h + 6), f"{index + 1}. {name}", 12, "#2E3A46")
        art.text(sheet, (x0, y0 + box_h + 22), f"{size}  kind {kind} tag {tag}", 11, "#7D8893")
    return sheet.convert("RGB")


def caption_strip(builtin):
    """The caption buttons in their three looks (rows) on the pages' blue,
    where a window's title area puts them; enlarged to judge the glyphs."""
    kinds = ("菜单", "帮助", "皮肤", "设置", "最小化", "最大化", "还原", "关闭")
    strip = Image.new("RGBA", (420, 90), (21, 96, 176, 255))
    x = 10
    for kind in kinds:
        for row, state in enumerate(("正常", "点燃", "按下")):
            button = picture(builtin, f"{kind}_{state}")
            strip.alpha_composite(button, (x, 5 + row * 28))
        x += button.width + 8
    return strip.resize((strip.width * 2, strip.height * 2), Image.NEAREST).convert("RGB")


def picture(records, name):
    for record_name, _, _, data in records:
        if record_name == name:
            return Image.open(io.BytesIO(data)).convert("RGBA")
    raise KeyError(name)


def caption_buttons(page, builtin):
    close = picture(builtin, "关闭_正常")
    minimise = picture(builtin, "最小化_正常")
    x = setup_art.WIDTH - close.width - 1
    page.alpha_composite(close, (x, 0))
    page.alpha_composite(minimise, (x - minimise.width, 0))


def tick(page, setup, x, y, frame=0):
    strip = picture(setup, "选择钩钩未选取副本")
    page.alpha_composite(strip.crop((frame * 17, 0, frame * 17 + 17, 17)), (x, y))


def toggle_caption(page):
    # As the program draws it at rest: white at alpha 100.
    art.text(page, (10 + 40, 362 + 10), "自定义安装", 12, art.rgba("#FFFFFF", 100), anchor="mm")


def footer_buttons(page, setup, names):
    for name, x in zip(names, (300, 390, 480)):
        if name:
            page.alpha_composite(picture(setup, name), (x, 342))


def mock_welcome(page, setup, builtin):
    page.alpha_composite(picture(setup, "安装按键"), (200, 292))


def mock_selection(page, setup, builtin):
    x, y, w, h = setup_art.FOLDER_BOX
    page.paste((255, 255, 255, 255), (x, y, x + w, y + h))
    art.text(page, (x + 4, y + h / 2), "C:\\Program Files\\LirvoPDF阅读器\\", 16, "#000000", anchor="lm")
    art.text(page, (235, 230), "35.2GB", 15, "#FFFFFF", anchor="lm")
    page.alpha_composite(picture(setup, "选择页面更换目录按键"), (455, 165))
    for (cx, cy), frame in zip(((55, 250), (55, 290), (235, 250)), (0, 1, 2)):
        tick(page, setup, cx, cy, frame)
    footer_buttons(page, setup, ("上一步", "下一步", "取消"))
    toggle_caption(page)


def mock_install(page, setup, builtin):
    x, y, w, h = setup_art.PROGRESS_BAR
    page.paste((255, 255, 255, 255), (x, y, x + w, y + h))
    page.paste((0x84, 0xC2, 0x25, 255), (x + 1, y + 1, x + 1 + int((w - 2) * 0.37), y + h - 1))
    shine = picture(builtin, "进度图片").resize((90, h - 2))
    page.alpha_composite(shine, (x + 1 + int((w - 2) * 0.37) - 90, y + 1))
    art.text(page, (x + w / 2, y + h / 2), "安装中...37%", 16, "#000000", anchor="mm")


def mock_finish(page, setup, builtin):
    for cx, cy in ((55, 145), (55, 180), (55, 215)):
        tick(page, setup, cx, cy)
    footer_buttons(page, setup, (None, None, "完成按键"))
    toggle_caption(page)


def with_panel(page, panel_colour):
    """The window with the custom-install panel shown under it."""
    framed = Image.new("RGB", (page.width, page.height + 30), panel_colour[:3])
    framed.paste(page.convert("RGB"), (0, 0))
    return framed


def panel_colour(selection):
    """The colour the panel gets: the page drawn into one pixel with
    nearest-neighbour sampling, so one pixel of the page's field."""
    return selection.convert("RGB").resize((1, 1), Image.NEAREST).getpixel((0, 0))


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    source, out = pathlib.Path(argv[1]), pathlib.Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)
    _, builtin = read_skin(source / "builtin_skin.qxskin")
    header, setup = read_skin(source / "setup_skin.qxskin")
    contact_sheet("内置皮肤 BuiltinSkinData (68)", builtin, columns=8, cell=(170, 120)).save(out / "builtin_skin.png")
    contact_sheet(f"安装程序皮肤 SkinData “{header}” (25)", setup, columns=5, cell=(240, 200)).save(
        out / "setup_skin.png")
    caption_strip(builtin).save(out / "caption_buttons.png")

    mockups = {"welcome": mock_welcome, "selection": mock_selection, "install": mock_install,
               "finish": mock_finish}
    selection = Image.open(source / "selection.png")
    colour = panel_colour(selection)
    shots = []
    for name, mock in mockups.items():
        page = Image.open(source / f"{name}.png").convert("RGBA")
        caption_buttons(page, builtin)
        mock(page, setup, builtin)
        shot = with_panel(page, colour) if name == "selection" else page.convert("RGB")
        shot.save(out / f"page_{name}.png")
        shots.append(shot)
    grid = Image.new("RGB", (2 * 600 + 30, 2 * 422 + 30), (255, 255, 255))
    for index, shot in enumerate(shots):
        grid.paste(shot, (10 + (index % 2) * 610, 10 + (index // 2) * 432))
    grid.save(out / "pages.png")
    print(f"panel colour {colour}; pictures in {out}")


if __name__ == "__main__":
    main(sys.argv)
