"""The setup program's pictures: the four page backgrounds and the setup skin.

The program writes only the folder text, the free-space text and the
progress text; every other word on a page is drawn here, next to the place
where the program puts its controls. Those places are fixed by the program,
so they are constants here as well (x, y, width, height in window pixels).
"""

import struct

from PIL import ImageChops

import art
from skin_database import Record

WIDTH, HEIGHT = 600, 392

# Where the program puts its controls.
FOLDER_BOX = (55, 165, 395, 40)
BROWSE_BUTTON = (455, 165, 100, 43)
FREE_SPACE_LABEL = (235, 220, 100, 20)
INSTALL_BUTTON = (200, 292, 200, 56)
PROGRESS_BAR = (55, 170, 488, 37)
CHECK_SIZE = 17
FOOTER_TOP = 326

BODY_TOP = "#0E4C92"
BODY_BOTTOM = "#1A73C8"
# The program writes the custom-install caption on the footer, in white at
# alpha 100 when at rest and in black at alpha 250 over a white veil of alpha
# 50 while pressed: on a light footer the first is unreadable, on a black one
# the second. This slate keeps both near the best either can have on one
# colour (about 3.2:1; white at alpha 100 reaches 3.7:1 at most, on any).
FOOTER = "#24374E"
FOOTER_LINE = "#3D5675"
WHITE = "#FFFFFF"
BLUE = "#1E88E5"
BLUE_DARK = "#1565C0"
GREEN = "#84C225"
INK = "#2E3A46"


# ---------------------------------------------------------------- page parts

# While `page_captions` runs: the words drawn so far on the page being drawn.
_noted = None


def words(image, position, content, size, colour, anchor="la", bold=False):
    """Draws words on a page, noting where they went and in which colour."""
    if _noted is not None:
        _noted.append({"text": content, "box": art.text_box(position, content, size, anchor, bold),
                       "colour": art.rgba(colour)})
    return art.text(image, position, content, size, colour, anchor=anchor, bold=bold)


def body():
    image = art.diagonal_gradient(WIDTH, HEIGHT, BODY_TOP, BODY_BOTTOM)
    # Two large, faint rings on the right give the flat colour some depth.
    s = art.Shapes(WIDTH, HEIGHT)
    s.ellipse((380, -140, 760, 240), outline=art.rgba(WHITE, 18), width=36)
    s.ellipse((470, 150, 700, 380), fill=art.rgba(WHITE, 10))
    return art.over(image, s.layer())


def footer(image):
    s = art.Shapes(WIDTH, HEIGHT)
    s.rect((0, FOOTER_TOP, WIDTH, HEIGHT), FOOTER)
    s.rect((0, FOOTER_TOP, WIDTH, FOOTER_TOP + 1), FOOTER_LINE)
    return art.over(image, s.layer())


def window_title(image, texts):
    return words(image, (14, 10), texts["window_title"], 12, art.rgba(WHITE, 225))


def heading(image, title, intro):
    words(image, (55, 34), title, 24, WHITE, bold=True)
    return words(image, (55, 78), intro, 13, art.rgba(WHITE, 215))


def field_glow(image, box, radius=4, fill_place=True):
    """A faint halo round the place of a white control, so it sits in the page.

    The folder box's place keeps the page colour: the box covers it whole,
    and the page's middle, which lies under it, is where a one-pixel
    sampling of the page (the custom-install panel's colour) may look."""
    x, y, w, h = box
    s = art.Shapes(WIDTH, HEIGHT)
    s.rounded((x - 3, y - 3, x + w + 3, y + h + 3), radius + 2, fill=art.rgba(WHITE, 34))
    s.rect((x, y, x + w, y + h), (0, 0, 0, 0))
    layer = s.layer()
    art.over(image, layer)
    if fill_place:
        image.paste(art.rgba(WHITE), (x, y, x + w, y + h))
    return image


def empty_check(shapes, x, y):
    shapes.rounded((x, y, x + CHECK_SIZE, y + CHECK_SIZE), 3,
                   fill=art.rgba(WHITE, 36), outline=art.rgba(WHITE, 235), width=1.2)


def options(image, entries):
    """Each entry: the check mark's place, its caption to the right, and
    whether the page shows an empty box where the tick is drawn."""
    s = art.Shapes(WIDTH, HEIGHT)
    for entry in entries:
        x, y = entry["check"]
        if entry.get("box", True):
            empty_check(s, x, y)
    art.over(image, s.layer())
    for entry in entries:
        x, y = entry["check"]
        words(image, (x + CHECK_SIZE + 8, y + CHECK_SIZE / 2), entry["text"], 13, WHITE, anchor="lm")
    return image


def document_logo(image, cx, top, scale=1.0):
    """The product's mark: a page with a folded corner and a red PDF band."""
    w, h = 74 * scale, 92 * scale
    x0, y0 = cx - w / 2, top
    fold = 22 * scale
    s = art.Shapes(WIDTH, HEIGHT)
    s.rounded((x0 + 3, y0 + 5, x0 + w + 3, y0 + h + 5), 8 * scale, fill=art.rgba("#000000", 45))
    s.polygon([(x0, y0), (x0 + w - fold, y0), (x0 + w, y0 + fold), (x0 + w, y0 + h), (x0, y0 + h)], WHITE)
    s.polygon([(x0 + w - fold, y0), (x0 + w - fold, y0 + fold), (x0 + w, y0 + fold)], "#C9D6E6")
    for i in range(3):
        ly = y0 + (30 + i * 11) * scale
        s.line([(x0 + 14 * scale, ly), (x0 + w - 14 * scale - (i == 2) * 16 * scale, ly)], "#C4CFDC", 3 * scale)
    s.rounded((x0 - 10 * scale, y0 + 60 * scale, x0 + w - 14 * scale, y0 + 84 * scale), 4 * scale, fill="#C62828")
    art.over(image, s.layer())
    words(image, (x0 - 10 * scale + (w - 4 * scale) / 2, y0 + 72 * scale), "PDF", round(17 * scale), WHITE,
             anchor="mm", bold=True)
    return image


# ---------------------------------------------------------------- the four pages

def welcome(texts):
    image = window_title(body(), texts)
    document_logo(image, WIDTH / 2, 58)
    words(image, (WIDTH / 2, 190), texts["product"], 32, WHITE, anchor="mm", bold=True)
    words(image, (WIDTH / 2, 232), texts["welcome"]["tagline"], 15, art.rgba(WHITE, 215), anchor="mm")
    words(image, (WIDTH - 14, HEIGHT - 12), texts["welcome"]["version"], 11, art.rgba(WHITE, 235), anchor="rs")
    return image


def selection(texts):
    page = texts["selection"]
    image = footer(window_title(body(), texts))
    heading(image, page["heading"], page["intro"])
    fx, fy, _, _ = FOLDER_BOX
    words(image, (fx, fy - 8), page["folder_caption"], 13, WHITE, anchor="ls")
    field_glow(image, FOLDER_BOX, fill_place=False)
    lx, ly, _, lh = FREE_SPACE_LABEL
    words(image, (lx - 3, ly + lh / 2), page["free_space_caption"], 12, art.rgba(WHITE, 225), anchor="rm")
    return options(image, page["options"])


def install(texts):
    page = texts["install"]
    image = footer(window_title(body(), texts))
    heading(image, page["heading"], page["intro"])
    px, py, _, _ = PROGRESS_BAR
    words(image, (px, py - 8), page["progress_caption"], 13, WHITE, anchor="ls")
    return field_glow(image, PROGRESS_BAR)


def finish(texts):
    page = texts["finish"]
    image = footer(window_title(body(), texts))
    heading(image, page["heading"], page["intro"])
    s = art.Shapes(WIDTH, HEIGHT)
    s.ellipse((460, 120, 540, 200), fill=GREEN)
    s.line([(480, 161), (494, 175), (521, 146)], WHITE, 7)
    art.over(image, s.layer())
    return options(image, page["options"])


def page_captions(texts, page):
    """The words the picture of a page ("welcome", "selection", "install" or
    "finish") carries: a list of {"text", "box": (left, top, right, bottom) in
    window pixels, "colour": RGBA}."""
    global _noted
    _noted = []
    try:
        PAGES[page](texts)
        return _noted
    finally:
        _noted = None


PAGES = {"welcome": welcome, "selection": selection, "install": install, "finish": finish}


def pages(texts):
    """The four page backgrounds as opaque RGB pictures, by page name."""
    return {name: draw(texts).convert("RGB") for name, draw in PAGES.items()}


# ---------------------------------------------------------------- buttons and small pictures

BUTTON_LOOKS = {
    # name: (fill top, fill bottom, border, text colour, text size)
    # White words need a fill no lighter than these to stay readable.
    "primary": ("#1A6DC6", "#1459A8", "#0F4A8C", WHITE, 14),
    "secondary": ("#FFFFFF", "#EEF2F6", "#C3CCD6", INK, 14),
    "install": ("#3B8A2A", "#2D7320", "#24611A", WHITE, 22),
    "ghost": (art.rgba(WHITE, 18), art.rgba(WHITE, 10), art.rgba(WHITE, 220), WHITE, 14),
    "danger": ("#C62828", "#B71C1C", "#9A1616", WHITE, 16),
}


def button(width, height, caption, look):
    top, bottom, border, ink, size = BUTTON_LOOKS[look]
    radius = 6 if height > 40 else 4
    mask = art.Shapes(width, height)
    mask.rounded((0.5, 0.5, width - 0.5, height - 0.5), radius, fill=WHITE)
    fill = art.vertical_gradient(width, height, top, bottom)
    fill.putalpha(ImageChops.multiply(fill.getchannel("A"), mask.layer().getchannel("A")))
    s = art.Shapes(width, height)
    s.rounded((0.5, 0.5, width - 0.5, height - 0.5), radius, outline=border, width=1)
    image = art.over(fill, s.layer())
    return art.text(image, (width / 2, height / 2), caption, size, ink, anchor="mm", bold=look == "install")


def tick_frame(look, ticked=True):
    size = CHECK_SIZE
    fill, border, tick = {
        "normal": (WHITE, WHITE, BLUE),
        "hot": ("#E3F0FC", "#90CAF9", BLUE),
        "pressed": ("#BBDEFB", "#64B5F6", BLUE_DARK),
    }[look]
    s = art.Shapes(size, size)
    if ticked:
        s.rounded((0, 0, size, size), 3, fill=fill, outline=border, width=1.2)
        s.line([(4.2, 8.8), (7.2, 11.8), (12.8, 5.4)], tick, 2.0)
    else:
        alpha = {"normal": 36, "hot": 80, "pressed": 120}[look]
        s.rounded((0, 0, size, size), 3, fill=art.rgba(WHITE, alpha),
                  outline=art.rgba(WHITE, 235), width=1.2)
    return s.layer()


def tick_strip(ticked):
    """Three 17 x 17 looks side by side: normal, hot, pressed."""
    strip = art.blank(CHECK_SIZE * 3, CHECK_SIZE)
    for i, look in enumerate(("normal", "hot", "pressed")):
        art.over(strip, tick_frame(look, ticked), (i * CHECK_SIZE, 0))
    return strip


def close_key(ring):
    s = art.Shapes(30, 30)
    if ring:
        s.ellipse((3, 3, 27, 27), fill=art.rgba(WHITE, 40), outline=art.rgba(WHITE, 200), width=1.2)
    s.line([(10.5, 10.5), (19.5, 19.5)], WHITE, 1.8)
    s.line([(10.5, 19.5), (19.5, 10.5)], WHITE, 1.8)
    return s.layer()


def shrink_key():
    s = art.Shapes(30, 5)
    s.rounded((2, 1, 28, 4), 1.5, fill=WHITE)
    return s.layer()


def progress_picture(fraction):
    width, height = 500, 37
    s = art.Shapes(width, height)
    s.rounded((0.5, 0.5, width - 0.5, height - 0.5), 4, fill=WHITE, outline="#D5DDE6", width=1)
    if fraction > 0:
        s.rounded((3, 3, 3 + (width - 6) * fraction, height - 3), 3, fill=GREEN)
    return s.layer()


def info_dot():
    s = art.Shapes(20, 20)
    s.ellipse((1, 1, 19, 19), fill=BLUE)
    s.ellipse((8.8, 4.6, 11.2, 7), fill=WHITE)
    s.line([(10, 9.2), (10, 14.8)], WHITE, 2.2)
    return s.layer()


def big_tick():
    s = art.Shapes(30, 30)
    s.ellipse((1, 1, 29, 29), fill=GREEN)
    s.line([(8.5, 15.5), (13, 20), (21.5, 10.5)], WHITE, 2.6)
    return s.layer()


def thumbnail_cache():
    """48,128 bytes in the layout of a file browser's thumbnail cache: a
    compound-file header followed by empty 512-byte sectors. Not a picture."""
    sector = 512
    header = bytearray(sector)
    header[0:8] = bytes.fromhex("D0CF11E0A1B11AE1")
    struct.pack_into("<HHHH", header, 24, 0x3E, 3, 0xFFFE, 9)  # minor, major version, byte order, sector shift
    struct.pack_into("<H", header, 32, 6)  # mini-sector shift
    struct.pack_into("<I", header, 44, 1)  # sectors in the allocation table
    struct.pack_into("<I", header, 48, 0)  # first directory sector
    struct.pack_into("<I", header, 56, 4096)  # mini-stream cut-off
    struct.pack_into("<IIII", header, 60, 0xFFFFFFFE, 0, 0xFFFFFFFE, 0)
    for i in range(109):
        struct.pack_into("<I", header, 76 + 4 * i, 1 if i == 0 else 0xFFFFFFFF)
    data = bytes(header) + bytes(48128 - sector)
    assert len(data) == 48128
    return data


def background_variants():
    plain = body()
    with_footer = footer(body())
    marked = footer(body())
    document_logo(marked, 520, 130, scale=0.8)
    return plain, with_footer, marked


def skin_records(texts, page_images):
    """The 25 records of the setup skin in stored order. The first carries
    kind 0, every other one kind -1, as the skin editor wrote them."""
    captions = texts["buttons"]
    plain, with_footer, marked = background_variants()
    pictures = [
        ("4完成", page_images["finish"]),
        ("1欢迎", page_images["welcome"]),
        ("2选择", page_images["selection"]),
        ("3安装", page_images["install"]),
        ("Thumbs", None),
        ("上一步", button(80, 34, captions["上一步"], "secondary")),
        ("下一步", button(80, 34, captions["下一步"], "primary")),
        ("卸载", button(150, 42, captions["卸载"], "danger")),
        ("取消", button(80, 34, captions["取消"], "secondary")),
        ("安装按键", button(200, 56, captions["安装按键"], "install")),
        ("安装页面关闭键", close_key(ring=False)),
        ("安装页面背景", plain.convert("RGB")),
        ("安装页面背景1", with_footer.convert("RGB")),
        ("安装页面背景2", marked.convert("RGB")),
        ("安装页面进度", progress_picture(0.5)),
        ("完成按键", button(80, 34, captions["完成按键"], "primary")),
        ("完成页面进度", progress_picture(1.0)),
        ("未标题-1", info_dot()),
        ("选择钩钩", big_tick()),
        ("选择钩钩未选取副本", tick_strip(ticked=True)),
        ("选择钩钩未选取副本1", tick_strip(ticked=False)),
        ("选择页面关闭按键", close_key(ring=True)),
        ("选择页面更换目录按键", button(100, 43, captions["选择页面更换目录按键"], "ghost")),
        ("选择页面缩小按键", shrink_key()),
        ("选择页面进度", progress_picture(0.0)),
    ]
    records = []
    for index, (name, picture) in enumerate(pictures):
        data = thumbnail_cache() if picture is None else art.png(picture)
        records.append(Record(name, data, kind=0 if index == 0 else -1))
    return records
