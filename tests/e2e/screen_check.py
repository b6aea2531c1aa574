#!/usr/bin/env python3
"""Reads what the setup window put on the X screen, from a screenshot of the
whole screen (`import -window root`), and checks it. Places are given in
window pixels together with where the window's top-left corner was (WX, WY).

usage: screen_check.py contrast SHOT PAGE WX WY [--toggle normal|hot|pressed|none]
           every caption of the page against what lies around it on screen:
           one line per caption, and a failure for a ratio below 4.5; with
           --toggle none SHOT is the page picture alone, without controls
       screen_check.py pictures FOLDER
           the same for the words of the four page pictures in FOLDER alone
       screen_check.py same SHOT X Y W H COLOUR [TOLERANCE]
           every pixel of the rectangle (screen pixels) is COLOUR (RRGGBB)
       screen_check.py differs SHOT_A SHOT_B X Y W H [MINIMUM]
           the rectangle (screen pixels) changed by at least MINIMUM (sum of
           the three channels) somewhere between the two screenshots
       screen_check.py matches SHOT_A SHOT_B X Y W H [TOLERANCE]
           the rectangle (screen pixels) is the same in both screenshots
       screen_check.py picture SHOT PICTURE WX WY X Y W H [TOLERANCE]
           the window shows the page picture PICTURE unchanged in the
           rectangle (window pixels)
       screen_check.py progress SHOT WX WY
           the install page's bar is filled in 84C225 from its left end to a
           fill edge strictly inside it, and white beyond; prints the share
       screen_check.py colour SHOT X Y
           prints the colour at a screen pixel
       screen_check.py focus SHOT WX WY X Y W H
           the focus ring round the control at the rectangle (window pixels):
           two pixels of one colour, one pixel clear of the control, and at
           least 3:1 against the pixels just outside it and just inside it
Exits 1 with a line that starts with "FAILED" when a check does not hold.
"""

import json
import pathlib
import statistics
import sys

from PIL import Image

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

import setup_art  # noqa: E402  (the page pictures' own record of their words)

MINIMUM_CONTRAST = 4.5
PROGRESS_BAR = setup_art.PROGRESS_BAR
PROGRESS_FILL = (0x84, 0xC2, 0x25)

# Where the program puts its buttons on each page, and their pictures' looks.
BUTTONS = {
    "welcome": [("安装按键", setup_art.INSTALL_BUTTON, "install")],
    "selection": [("选择页面更换目录按键", setup_art.BROWSE_BUTTON, "ghost"), ("上一步", (300, 342, 80, 34), "secondary"),
                  ("下一步", (390, 342, 80, 34), "primary"), ("取消", (480, 342, 80, 34), "secondary")],
    "install": [],
    "finish": [("完成按键", (480, 342, 80, 34), "primary")],
}
BUTTON_TEXT_SIZE = {look: values[4] for look, values in setup_art.BUTTON_LOOKS.items()}

# The words the program writes itself: the control's rectangle and the text's
# colour; the toggle's by its look.
TOGGLE = (10, 362, 80, 20)
TOGGLE_LOOKS = {"normal": (255, 255, 255, 100), "hot": (0, 0, 0, 200), "pressed": (0, 0, 0, 250)}
PROGRAM_TEXTS = {
    "selection": [("folder box", (55, 165, 395, 40), (0, 0, 0, 255)),
                  ("free-space label", (235, 220, 100, 20), (255, 255, 255, 255))],
    "install": [("progress text", PROGRESS_BAR, (0, 0, 0, 254))],
}
TOGGLE_PAGES = ("selection", "finish")
# The toggle's looks at rest (white at alpha 100) and pressed (black at alpha
# 250 over a white veil of alpha 50) reach 4.5:1 on no colour beneath them: at
# rest 3.7:1 at most, on near-black, and a colour that serves both leaves each
# about 3.2:1. They are held to 3:1, which only a footer chosen for them gives
# (a light one leaves the caption at rest at 1.1:1).
LEAST_CONTRAST = {"自定义安装 (normal)": 3.0, "自定义安装 (pressed)": 3.0}


def linear(channel):
    c = channel / 255
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def luminance(rgb):
    r, g, b = (linear(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def over(colour, below):
    """An RGBA colour laid over an opaque RGB one."""
    alpha = colour[3] / 255
    return tuple(round(c * alpha + b * (1 - alpha)) for c, b in zip(colour[:3], below))


def median(pixels):
    return tuple(round(statistics.median(p[i] for p in pixels)) for i in range(3))


def pixels_in(shot, box, exclude=None):
    left, top, right, bottom = box
    out = []
    for y in range(max(top, 0), min(bottom, shot.height)):
        for x in range(max(left, 0), min(right, shot.width)):
            if exclude and exclude[0] <= x < exclude[2] and exclude[1] <= y < exclude[3]:
                continue
            out.append(shot.getpixel((x, y)))
    return out


def ring(shot, box, inner=2, outer=4):
    """The pixels between INNER and OUTER pixels outside a box."""
    left, top, right, bottom = box
    return pixels_in(shot, (left - outer, top - outer, right + outer, bottom + outer),
                     exclude=(left - inner, top - inner, right + inner, bottom + inner))


def ink_box(shot, rect, background):
    """The box round the pixels of a rectangle that stand out of its background."""
    left, top, width, height = rect
    found = [(x, y) for y in range(top, top + height) for x in range(left, left + width)
             if sum(abs(a - b) for a, b in zip(shot.getpixel((x, y)), background)) > 60]
    if not found:
        return None
    xs, ys = [p[0] for p in found], [p[1] for p in found]
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1)


def shifted(box, wx, wy):
    return (round(box[0]) + wx, round(box[1]) + wy, round(box[2]) + wx, round(box[3]) + wy)


def texts():
    return json.loads((ROOT / "resources" / "texts.json").read_text(encoding="utf-8"))


def caption_rows(shot, page, wx, wy, toggle):
    """(caption, text on screen, background on screen) of every caption; a
    toggle of None: the page picture alone, without controls."""
    rows = []
    # Words of the page picture: the ring round each.
    for caption in setup_art.page_captions(texts(), page):
        background = median(ring(shot, shifted(caption["box"], wx, wy)))
        rows.append((caption["text"], over(caption["colour"], background), background))
    if toggle is None:
        return rows
    # Captions of the button pictures: the ring round each, on the button.
    captions = texts()["buttons"]
    for name, (x, y, w, h), look in BUTTONS[page]:
        box = setup_art.art.text_box((w / 2, h / 2), captions[name], BUTTON_TEXT_SIZE[look], "mm", look == "install")
        background = median(ring(shot, shifted(box, x + wx, y + wy), 1, 3))
        ink = setup_art.art.rgba(setup_art.BUTTON_LOOKS[look][3])
        rows.append((f"button {captions[name]}", over(ink, background), background))
    # The program's own words: what surrounds the ink in the control.
    for name, rect, colour in PROGRAM_TEXTS.get(page, []):
        rows.append(program_row(shot, name, rect, colour, wx, wy))
    if page in TOGGLE_PAGES:
        rows.append(program_row(shot, f"自定义安装 ({toggle})", TOGGLE, TOGGLE_LOOKS[toggle], wx, wy))
    return rows


def program_row(shot, name, rect, colour, wx, wy):
    # Two pixels in from the edges, which are the control's outline (or, in
    # the last row and column, not drawn by it).
    x, y, w, h = rect[0] + 2, rect[1] + 2, rect[2] - 4, rect[3] - 4
    box = (x + wx, y + wy, x + w + wx, y + h + wy)
    whole = median(pixels_in(shot, box))
    ink = ink_box(shot, (box[0], box[1], w, h), whole) or box
    grown = (ink[0] - 1, ink[1] - 1, ink[2] + 1, ink[3] + 1)
    around = pixels_in(shot, box, exclude=grown) or ring(shot, box)
    # A fill the control lays under its words is in these pixels already.
    background = median(around)
    return (name, over(colour, background), background)


def contrast_table(shot, page, wx, wy, toggle):
    """Prints one line per caption; returns those below their least contrast."""
    low = []
    for name, text, background in caption_rows(shot, page, wx, wy, toggle):
        ratio = contrast(text, background)
        least = LEAST_CONTRAST.get(name, MINIMUM_CONTRAST)
        print(f"contrast {page:9} {ratio:5.2f}:1 (at least {least})  text {hex_colour(text)} on "
              f"{hex_colour(background)}  {name}")
        if ratio < least:
            low.append(f"{name} {ratio:.2f}:1")
    return low


def hex_colour(rgb):
    return "".join(f"{c:02X}" for c in rgb[:3])


def load(path):
    return Image.open(path).convert("RGB")


def fail(message):
    print(f"FAILED: {message}")
    sys.exit(1)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    command, args = argv[1], argv[2:]
    if command == "contrast":
        shot, page, wx, wy = load(args[0]), args[1], int(args[2]), int(args[3])
        toggle = args[5] if len(args) > 5 and args[4] == "--toggle" else "normal"
        low = contrast_table(shot, page, wx, wy, None if toggle == "none" else toggle)
        if low:
            fail(f"on the {page} page, below the least contrast: " + "; ".join(low))
    elif command == "pictures":
        low = []
        for page in setup_art.PAGES:
            low += contrast_table(load(pathlib.Path(args[0]) / f"{page}.png"), page, 0, 0, None)
        if low:
            fail("below the least contrast: " + "; ".join(low))
    elif command == "same":
        shot = load(args[0])
        x, y, w, h = (int(v) for v in args[1:5])
        want = tuple(int(args[5][i:i + 2], 16) for i in (0, 2, 4))
        tolerance = int(args[6]) if len(args) > 6 else 2
        for px in pixels_in(shot, (x, y, x + w, y + h)):
            if max(abs(a - b) for a, b in zip(px, want)) > tolerance:
                fail(f"the screen shows {hex_colour(px)} in {w}x{h}+{x}+{y}, not {args[5]}")
        print(f"{w}x{h}+{x}+{y} is {args[5]}")
    elif command == "differs":
        a, b = load(args[0]), load(args[1])
        x, y, w, h = (int(v) for v in args[2:6])
        minimum = int(args[6]) if len(args) > 6 else 30
        box = (x, y, x + w, y + h)
        change = max(sum(abs(p - q) for p, q in zip(pa, pb)) for pa, pb in zip(pixels_in(a, box), pixels_in(b, box)))
        if change < minimum:
            fail(f"{w}x{h}+{x}+{y} changed by {change} at most, less than {minimum}")
        print(f"{w}x{h}+{x}+{y} changed by up to {change}")
    elif command == "matches":
        a, b = load(args[0]), load(args[1])
        x, y, w, h = (int(v) for v in args[2:6])
        tolerance = int(args[6]) if len(args) > 6 else 3
        box = (x, y, x + w, y + h)
        for i, (pa, pb) in enumerate(zip(pixels_in(a, box), pixels_in(b, box))):
            if max(abs(p - q) for p, q in zip(pa, pb)) > tolerance:
                fail(f"at ({x + i % w}, {y + i // w}) the screen shows {hex_colour(pb)}, earlier {hex_colour(pa)}")
        print(f"{w}x{h}+{x}+{y} as before")
    elif command == "picture":
        shot, picture = load(args[0]), load(args[1])
        wx, wy, x, y, w, h = (int(v) for v in args[2:8])
        tolerance = int(args[8]) if len(args) > 8 else 3
        for py in range(y, y + h):
            for px in range(x, x + w):
                seen, drawn = shot.getpixel((px + wx, py + wy)), picture.getpixel((px, py))
                if max(abs(a - b) for a, b in zip(seen, drawn)) > tolerance:
                    fail(f"at ({px}, {py}) the window shows {hex_colour(seen)}, the page picture {hex_colour(drawn)}")
        print(f"{w}x{h}+{x}+{y} shows the page picture")
    elif command == "progress":
        shot, wx, wy = load(args[0]), int(args[1]), int(args[2])
        x, y, w, h = PROGRESS_BAR
        # Above the gloss band and the shine, below the outlines: the fill alone.
        row = y + 4 + wy
        columns = [shot.getpixel((x + i + wx, row)) for i in range(w)]
        edge = next((i for i in range(3, w) if max(abs(a - b) for a, b in zip(columns[i], PROGRESS_FILL)) > 8), w)
        if not 3 < edge < w - 3:
            fail(f"the progress bar shows no fill edge inside it (edge at {edge} of {w}): "
                 f"{hex_colour(columns[4])} at its left end")
        # The words in the middle of the bar are left out.
        for i in list(range(3, min(edge - 3, 150))):
            if max(abs(a - b) for a, b in zip(columns[i], PROGRESS_FILL)) > 2:
                fail(f"the progress fill shows {hex_colour(columns[i])} at {i}, not 84C225")
        for i in range(edge + 4, min(w - 4, edge + 60)):
            if 150 <= i <= w - 150:
                continue
            if max(abs(a - b) for a, b in zip(columns[i], (255, 255, 255))) > 2:
                fail(f"past the fill edge ({edge}) the bar shows {hex_colour(columns[i])} at {i}, not white")
        print(f"progress fill 84C225 up to {edge} of {w} pixels ({edge * 100 / w:.0f}%)")
    elif command == "focus":
        shot = load(args[0])
        wx, wy, x, y, w, h = (int(v) for v in args[1:7])
        box = (x + wx, y + wy, x + w + wx, y + h + wy)
        # The ring's corners are left clear; its sides are what is looked at.
        sides = [p for p in ring(shot, box, inner=1, outer=3)]
        colour = median(sides)
        stray = [p for p in sides if max(abs(a - b) for a, b in zip(p, colour)) > 8]
        # Four corner pixels are clear, and the ring's own corners may blend.
        if len(stray) > 8:
            fail(f"the ring round {w}x{h}+{x}+{y} is not of one colour: {len(stray)} pixels differ from "
                 f"{hex_colour(colour)}")
        outside = ring(shot, box, inner=3, outer=4)
        inside = ring(shot, box, inner=0, outer=1)
        least = min(contrast(colour, p) for p in outside + inside)
        if least < 3:
            fail(f"the ring {hex_colour(colour)} round {w}x{h}+{x}+{y} stands out only {least:.2f}:1")
        print(f"focus ring {hex_colour(colour)} round {w}x{h}+{x}+{y}, at least {least:.2f}:1 against its surroundings")
    elif command == "colour":
        print(hex_colour(load(args[0]).getpixel((int(args[1]), int(args[2])))))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
