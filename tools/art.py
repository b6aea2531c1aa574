"""Small drawing kit shared by the skin and page generators.

Shapes are drawn four times larger and box-filtered down on premultiplied
alpha, which gives clean anti-aliased edges without depending on a renderer's
own smoothing. Text is drawn at its final size so FreeType's hinting keeps it
crisp. Every output is a pure function of its inputs: no clocks, no randomness.
"""

import io

from PIL import Image, ImageDraw, ImageFont

SUPERSAMPLE = 4
FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"

_fonts = {}


def font(size):
    if size not in _fonts:
        # The basic layout needs no shaping library, so the pictures do not
        # change with whether one happens to be installed.
        _fonts[size] = ImageFont.truetype(FONT_FILE, size, index=0, layout_engine=ImageFont.Layout.BASIC)
    return _fonts[size]


def rgba(colour, alpha=255):
    """'#RRGGBB' or an (r, g, b[, a]) tuple as an RGBA tuple."""
    if isinstance(colour, str):
        value = colour.lstrip("#")
        return (int(value[0:2], 16), int(value[2:4], 16), int(value[4:6], 16), alpha)
    if len(colour) == 3:
        return (*colour, alpha)
    return tuple(colour)


class Shapes:
    """A transparent layer of w x h pixels drawn in supersampled coordinates.

    Callers give coordinates in final pixels (floats allowed); `layer()`
    returns the anti-aliased RGBA result at the final size.
    """

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.image = Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        s = SUPERSAMPLE
        return (round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)

    @staticmethod
    def _points(points):
        return [(round(x * SUPERSAMPLE), round(y * SUPERSAMPLE)) for x, y in points]

    def rect(self, box, fill):
        self.draw.rectangle(self._box(box), fill=rgba(fill))

    def rounded(self, box, radius, fill=None, outline=None, width=1.0):
        self.draw.rounded_rectangle(self._box(box), radius=round(radius * SUPERSAMPLE),
                                    fill=rgba(fill) if fill else None,
                                    outline=rgba(outline) if outline else None,
                                    width=max(1, round(width * SUPERSAMPLE)))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self._box(box), fill=rgba(fill) if fill else None,
                          outline=rgba(outline) if outline else None,
                          width=max(1, round(width * SUPERSAMPLE)))

    def polygon(self, points, fill):
        self.draw.polygon(self._points(points), fill=rgba(fill))

    def line(self, points, colour, width=1.0):
        self.draw.line(self._points(points), fill=rgba(colour), width=max(1, round(width * SUPERSAMPLE)),
                       joint="curve")
        # Round caps: the plain line ends square, which looks harsh on glyphs.
        r = width * SUPERSAMPLE / 2
        for x, y in self._points([points[0], points[-1]]):
            self.draw.ellipse((x - r, y - r, x + r - 1, y + r - 1), fill=rgba(colour))

    def layer(self):
        small = self.image.convert("RGBa").resize((self.width, self.height), Image.BOX)
        return small.convert("RGBA")


def blank(width, height, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", (width, height), rgba(colour))


def over(base, layer, offset=(0, 0)):
    """Composites `layer` onto `base` (both RGBA) in place and returns base."""
    base.alpha_composite(layer, dest=offset)
    return base


def vertical_gradient(width, height, top, bottom):
    mask = Image.linear_gradient("L").resize((width, height), Image.BILINEAR)
    return Image.composite(Image.new("RGBA", (width, height), rgba(bottom)),
                           Image.new("RGBA", (width, height), rgba(top)), mask)


def diagonal_gradient(width, height, start, end):
    """From `start` at the top-left corner to `end` at the bottom-right."""
    side = max(width, height) * 2
    mask = Image.linear_gradient("L").resize((side, side), Image.BILINEAR).rotate(45, resample=Image.BILINEAR)
    mask = mask.resize((width, height), Image.BILINEAR, box=(side / 4, side / 4, side * 3 / 4, side * 3 / 4))
    return Image.composite(Image.new("RGBA", (width, height), rgba(end)),
                           Image.new("RGBA", (width, height), rgba(start)), mask)


def text(base, position, content, size, colour, anchor="la", bold=False):
    """Draws text onto `base` through an alpha mask, so it blends correctly on
    transparent pictures as well as opaque ones. `bold` thickens the strokes
    (the CJK face has a single weight)."""
    mask = Image.new("L", base.size, 0)
    ImageDraw.Draw(mask).text(position, content, fill=255, font=font(size), anchor=anchor,
                              stroke_width=1 if bold else 0, stroke_fill=255)
    colour = rgba(colour)
    if colour[3] != 255:
        mask = mask.point(lambda v: v * colour[3] // 255)
    layer = Image.new("RGBA", base.size, (*colour[:3], 0))
    layer.putalpha(mask)
    base.alpha_composite(layer)
    return base


def text_box(position, content, size, anchor="la", bold=False):
    """The box (left, top, right, bottom) that `text` covers with the same
    arguments."""
    draw = ImageDraw.Draw(Image.new("L", (1, 1)))
    return draw.textbbox(position, content, font=font(size), anchor=anchor, stroke_width=1 if bold else 0)


def png(image):
    """PNG bytes: RGBA stays RGBA (colour type 6), RGB stays RGB; no metadata."""
    out = io.BytesIO()
    image.save(out, format="PNG", optimize=False, compress_level=9)
    return out.getvalue()
