"""The toolkit's built-in skin: 68 PNG pictures with alpha, in stored order.

One look throughout: neutral greys for idle parts, the product blue for
focus and selection, white glyphs on the caption buttons (they sit on a
window's own coloured title area), red only for the close button's hot and
pressed looks.
"""

import math

import art
from skin_database import Record

BLUE = "#1E88E5"
BLUE_DARK = "#1565C0"
BLUE_LIGHT = "#E3F0FC"
GREY_BORDER = "#8A96A3"
GREY_HOT = "#5E6B78"
WHITE = "#FFFFFF"
RED = "#E81123"
RED_DARK = "#B50F1F"

STATES = ("正常", "点燃", "按下")  # normal, hot, pressed


# ---------------------------------------------------------------- caption buttons

def caption_background(shapes, width, height, state, close=False):
    if state == "点燃":
        shapes.rect((0, 0, width, height), RED if close else art.rgba(WHITE, 56))
    elif state == "按下":
        shapes.rect((0, 0, width, height), RED_DARK if close else art.rgba("#000000", 48))


def glyph_minimise(s, cx, cy):
    s.line([(cx - 5, cy + 0.5), (cx + 5, cy + 0.5)], WHITE, 1.4)


def glyph_maximise(s, cx, cy):
    s.rounded((cx - 5, cy - 5, cx + 5, cy + 5), 1, outline=WHITE, width=1.4)


def glyph_restore(s, cx, cy):
    # The back window shows only its top and right edges.
    s.line([(cx - 2.5, cy - 5.5), (cx + 5.5, cy - 5.5), (cx + 5.5, cy + 2.5)], art.rgba(WHITE, 210), 1.3)
    s.rounded((cx - 6, cy - 2.5, cx + 2.5, cy + 6), 1, outline=WHITE, width=1.4)


def glyph_close(s, cx, cy):
    s.line([(cx - 4.5, cy - 4.5), (cx + 4.5, cy + 4.5)], WHITE, 1.5)
    s.line([(cx - 4.5, cy + 4.5), (cx + 4.5, cy - 4.5)], WHITE, 1.5)


def glyph_settings(s, cx, cy):
    teeth = []
    for i in range(16):
        angle = math.pi * 2 * i / 16
        radius = 6.2 if i % 2 == 0 else 4.6
        teeth.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    s.polygon(teeth, WHITE)
    s.ellipse((cx - 4.8, cy - 4.8, cx + 4.8, cy + 4.8), fill=WHITE)
    s.ellipse((cx - 2, cy - 2, cx + 2, cy + 2), fill=(0, 0, 0, 0))


def glyph_skin(s, cx, cy):
    # A shirt: the usual sign for "change the look".
    s.polygon([(cx - 3, cy - 6), (cx - 7, cy - 3.5), (cx - 5.5, cy), (cx - 3.5, cy - 1),
               (cx - 3.5, cy + 6), (cx + 3.5, cy + 6), (cx + 3.5, cy - 1), (cx + 5.5, cy),
               (cx + 7, cy - 3.5), (cx + 3, cy - 6), (cx + 1.5, cy - 4.5), (cx - 1.5, cy - 4.5)], WHITE)


def glyph_menu(s, cx, cy):
    for dy in (-4, 0, 4):
        s.line([(cx - 5.5, cy + dy), (cx + 5.5, cy + dy)], WHITE, 1.4)


def glyph_help(s, cx, cy):
    s.ellipse((cx - 6.5, cy - 6.5, cx + 6.5, cy + 6.5), outline=WHITE, width=1.3)
    s.draw.arc(s._box((cx - 2.6, cy - 4.4, cx + 2.6, cy + 0.8)), 180, 90, fill=art.rgba(WHITE),
               width=round(1.4 * art.SUPERSAMPLE))
    s.line([(cx, cy + 0.8), (cx, cy + 1.8)], WHITE, 1.4)
    s.ellipse((cx - 0.9, cy + 3.2, cx + 0.9, cy + 5), fill=WHITE)


def caption_button(glyph, state, width=28, height=20, close=False):
    s = art.Shapes(width, height)
    caption_background(s, width, height, state, close)
    glyph(s, width / 2, height / 2)
    return s.layer()


# ---------------------------------------------------------------- check box and radio button

def check_box(state, checked):
    s = art.Shapes(15, 15)
    if checked:
        fill = {"正常": BLUE, "点燃": "#42A5F5", "按下": BLUE_DARK}[state]
        s.rounded((0.5, 0.5, 14.5, 14.5), 2.5, fill=fill)
        s.line([(3.6, 7.6), (6.2, 10.2), (11.4, 4.6)], WHITE, 1.7)
    else:
        border = {"正常": GREY_BORDER, "点燃": BLUE, "按下": BLUE_DARK}[state]
        fill = {"正常": WHITE, "点燃": BLUE_LIGHT, "按下": "#C7DFF7"}[state]
        s.rounded((0.5, 0.5, 14.5, 14.5), 2.5, fill=fill, outline=border, width=1)
    return s.layer()


def radio_button(state, checked):
    s = art.Shapes(15, 15)
    border = {"正常": GREY_BORDER, "点燃": BLUE, "按下": BLUE_DARK}[state]
    if checked:
        border = {"正常": BLUE, "点燃": "#42A5F5", "按下": BLUE_DARK}[state]
    fill = {"正常": WHITE, "点燃": BLUE_LIGHT, "按下": "#C7DFF7"}[state]
    s.ellipse((0.5, 0.5, 14.5, 14.5), fill=fill, outline=border, width=1.1 if not checked else 1.4)
    if checked:
        s.ellipse((4, 4, 11, 11), fill=border)
    return s.layer()


# ---------------------------------------------------------------- scroll bar

THUMB = {"正常": art.rgba("#A9B2BC", 200), "点燃": art.rgba("#8D97A3", 230), "按下": art.rgba("#6F7A86", 255)}
ARROW = {"正常": art.rgba("#7D8893", 220), "点燃": art.rgba("#55606B", 255), "按下": art.rgba("#1565C0", 255)}


def arrow(s, cx, cy, direction, colour, size=3.0):
    dx, dy = {"up": (0, -1), "down": (0, 1), "left": (-1, 0), "right": (1, 0)}[direction]
    tip = (cx + dx * size * 0.6, cy + dy * size * 0.6)
    # The base is perpendicular to the direction.
    bx, by = -dy, dx
    back = (cx - dx * size * 0.6, cy - dy * size * 0.6)
    s.polygon([tip, (back[0] + bx * size, back[1] + by * size), (back[0] - bx * size, back[1] - by * size)],
              colour)


def scroll_button(width, height, direction, state):
    s = art.Shapes(width, height)
    if state != "正常":
        s.rounded((0, 0, width, height), 2, fill=art.rgba("#000000", 22 if state == "点燃" else 40))
    arrow(s, width / 2, height / 2, direction, ARROW[state], size=2.8)
    return s.layer()


def scroll_thumb(width, height, state):
    s = art.Shapes(width, height)
    radius = min(width, height) / 2 - 1
    s.rounded((1, 1, width - 1, height - 1), radius, fill=THUMB[state])
    return s.layer()


# ---------------------------------------------------------------- the rest

def plus_minus(plus):
    s = art.Shapes(11, 11)
    s.rounded((0.5, 0.5, 10.5, 10.5), 1.5, fill=WHITE, outline=GREY_BORDER, width=1)
    s.line([(3, 5.5), (8, 5.5)], "#404A55", 1.1)
    if plus:
        s.line([(5.5, 3), (5.5, 8)], "#404A55", 1.1)
    return s.layer()


def submenu_arrow():
    s = art.Shapes(23, 23)
    arrow(s, 11.5, 11.5, "right", "#404A55", size=3.6)
    return s.layer()


def tab_arrow(direction):
    s = art.Shapes(17, 17)
    s.ellipse((0.5, 0.5, 16.5, 16.5), fill=WHITE, outline="#B7C0CA", width=1)
    tip, back = (6, 11) if direction == "left" else (11, 6)
    s.line([(back, 4.8), (tip, 8.5), (back, 12.2)], "#404A55", 1.5)
    return s.layer()


def chevron_stripe():
    s = art.Shapes(103, 28)
    for i, x in enumerate(range(4, 103, 12)):
        colour = art.rgba(BLUE, 90 + (i * 165) // 8)
        s.line([(x, 8), (x + 6, 14), (x, 20)], colour, 2.2)
    return s.layer()


def progress_shine():
    """A soft white glow, brightest in its middle, that slides along a bar."""
    width, height = 90, 24
    image = art.blank(width, height)
    for x in range(width):
        across = math.sin(math.pi * (x + 0.5) / width) ** 2
        for y in range(height):
            down = 1.0 - 0.55 * abs((y + 0.5) / height - 0.38) * 2
            image.putpixel((x, y), (255, 255, 255, round(150 * across * max(0.0, down))))
    return image


def slider_track():
    width, height, tile = 2000, 50, 40
    s = art.Shapes(width, height)
    for x in range(5, width, 50):
        s.rounded((x, 5, x + tile, 5 + tile), 8, fill=art.rgba(WHITE, 235), outline=art.rgba("#C9D1DA"), width=1)
    return s.layer()


def message_icon(kind, width=40, height=40):
    s = art.Shapes(width, height)
    cx, cy = width / 2, height / 2
    if kind == "警告":
        s.polygon([(cx, 3), (38, 36), (2, 36)], "#F4B400")
        s.line([(cx, 15), (cx, 25)], WHITE, 3.4)
        s.ellipse((cx - 2, 28.5, cx + 2, 32.5), fill=WHITE)
    else:
        colour = {"询问": BLUE, "信息": BLUE, "错误": "#E53935"}[kind]
        s.ellipse((cx - 18, cy - 18, cx + 18, cy + 18), fill=colour)
        if kind == "信息":
            s.ellipse((cx - 2.2, 9.5, cx + 2.2, 13.9), fill=WHITE)
            s.line([(cx, 18), (cx, 29)], WHITE, 4)
        elif kind == "错误":
            s.line([(cx - 7, cy - 7), (cx + 7, cy + 7)], WHITE, 3.6)
            s.line([(cx - 7, cy + 7), (cx + 7, cy - 7)], WHITE, 3.6)
        else:
            s.draw.arc(s._box((cx - 6.5, 8.5, cx + 6.5, 21.5)), 180, 80, fill=art.rgba(WHITE),
                       width=round(3.4 * art.SUPERSAMPLE))
            s.line([(cx + 1.1, 21), (cx, 24.5)], WHITE, 3.4)
            s.ellipse((cx - 2.3, 27.5, cx + 2.3, 32.1), fill=WHITE)
    return s.layer()


def step_button(double):
    """Three 16 x 16 looks side by side (normal, hot, pressed) of a forward step."""
    s = art.Shapes(48, 16)
    fills = (art.rgba(WHITE, 0), art.rgba(BLUE, 40), art.rgba(BLUE, 90))
    for i, fill in enumerate(fills):
        x = i * 16
        if i:
            s.rounded((x + 0.5, 0.5, x + 15.5, 15.5), 3, fill=fill)
        offsets = (-2.4, 2.4) if double else (0,)
        for dx in offsets:
            s.line([(x + 6.2 + dx, 4.5), (x + 9.8 + dx, 8), (x + 6.2 + dx, 11.5)], "#404A55", 1.4)
    return s.layer()


# ---------------------------------------------------------------- the table

def _caption(name, glyph, close=False, width=28):
    return [(f"{name}_{state}", lambda state=state: caption_button(glyph, state, width=width, close=close))
            for state in STATES]


def _scroll(orientation, part, direction, size):
    width, height = size
    if part == "滚动条体":
        return [(f"滚动条_{orientation}_{part}_{state}", lambda state=state: scroll_thumb(width, height, state))
                for state in STATES]
    return [(f"滚动条_{orientation}_{part}_{state}",
             lambda state=state: scroll_button(width, height, direction, state)) for state in STATES]


def _checks(prefix, draw):
    return [(f"{prefix}_{state}_{mark}", lambda state=state, checked=(mark == "选中"): draw(state, checked))
            for state in STATES for mark in ("正常", "选中")]


def pictures():
    """(name, draw) pairs in stored order."""
    table = [
        ("加号图", lambda: plus_minus(True)),
        ("减号图", lambda: plus_minus(False)),
        *_caption("最小化", glyph_minimise),
        *_caption("最大化", glyph_maximise),
        ("子菜单", submenu_arrow),
        *_checks("选择框", check_box),
        ("选择夹左", lambda: tab_arrow("left")),
        ("选择夹右", lambda: tab_arrow("right")),
        *_caption("设置", glyph_settings),
        *_caption("皮肤", glyph_skin),
        ("连接图片", chevron_stripe),
        ("进度图片", progress_shine),
        *_caption("还原", glyph_restore),
        ("滑块条_背", slider_track),
        *_scroll("纵向", "增加按钮", "down", (10, 9)),
        *_scroll("纵向", "减少按钮", "up", (10, 9)),
        *_scroll("纵向", "滚动条体", None, (10, 34)),
        *_scroll("横向", "增加按钮", "right", (9, 10)),
        *_scroll("横向", "减少按钮", "left", (9, 10)),
        *_scroll("横向", "滚动条体", None, (62, 10)),
        *_caption("关闭", glyph_close, close=True, width=39),
        *_checks("单选框", radio_button),
        *_caption("菜单", glyph_menu),
        *_caption("帮助", glyph_help),
        ("DeVU_询问图标", lambda: message_icon("询问", width=41)),
        ("DeVU_信息图标", lambda: message_icon("信息")),
        ("DeVU_警告图标", lambda: message_icon("警告")),
        ("DeVU_错误图标", lambda: message_icon("错误")),
        ("Year_加", lambda: step_button(True)),
        ("Month_加", lambda: step_button(False)),
    ]
    return table


def records():
    """The 68 records; every picture is stored as an RGBA PNG."""
    return [Record(name, art.png(draw().convert("RGBA"))) for name, draw in pictures()]
