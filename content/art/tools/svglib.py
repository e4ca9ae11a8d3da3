"""Small SVG writing kit shared by the picture generators.

Everything the guide's renderer draws must stay inside the SVG Tiny subset it understands:
shapes, paths, text, linear and radial gradients, groups with transforms and opacity.
No filters, masks, clip paths or patterns.
"""

import math


def unchanged(path, content):
    """Whether the file at PATH already holds CONTENT (a missing file does not)."""
    try:
        with open(path, encoding="utf-8") as f:
            return f.read() == content
    except FileNotFoundError:
        return False

# The guide's palette.
NAVY_DEEP = "#0b1524"
NAVY = "#12233a"
NAVY_MID = "#1b3352"
STEEL = "#2c4c6e"
SLATE = "#3d4f66"
CHARCOAL = "#1c222b"
BLUE = "#21a3d9"          # the guide's accent, rgb(33, 163, 217)
BLUE_LIGHT = "#7fd0f2"
BLUE_DARK = "#146f98"
WARM = "#f2a33a"          # warm accent: Viennese gold
WARM_LIGHT = "#f8cb7a"
WARM_DARK = "#c0771b"
RED = "#d8343e"
WHITE = "#ffffff"
MIST = "#c9d5e2"
GREY = "#8796a8"
PAPER = "#fbfaf6"
INK = "#1d2633"

STROKE = 2          # one stroke weight at 1x for icons and controls
RADIUS = 6          # one corner radius for panels, buttons and tiles
FONT = "Liberation Sans"


def fmt(value):
    """A number as short, stable text."""
    if isinstance(value, str):
        return value
    if isinstance(value, int):
        return str(value)
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def attrs(**kw):
    parts = []
    for key, value in kw.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        if name == "href":
            name = "xlink:href"
        text = fmt(value)
        text = text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")
        parts.append(f'{name}="{text}"')
    return " ".join(parts)


def el(tag, content=None, **kw):
    a = attrs(**kw)
    head = f"<{tag} {a}" if a else f"<{tag}"
    if content is None:
        return head + "/>"
    return f"{head}>{content}</{tag}>"


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def pts(points):
    return " ".join(f"{fmt(x)},{fmt(y)}" for x, y in points)


class Svg:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.defs = []
        self.body = []
        self._next = 0

    def uid(self, prefix):
        self._next += 1
        return f"{prefix}{self._next}"

    def add(self, *elements):
        for e in elements:
            if isinstance(e, (list, tuple)):
                self.add(*e)
            elif e:
                self.body.append(e)
        return self

    def lin(self, stops, x1, y1, x2, y2):
        """A user-space linear gradient; stops are (offset, colour) or (offset, colour, opacity)."""
        gid = self.uid("g")
        self.defs.append(el("linearGradient", "".join(_stop(s) for s in stops), id=gid,
                            gradientUnits="userSpaceOnUse", x1=x1, y1=y1, x2=x2, y2=y2))
        return f"url(#{gid})"

    def rad(self, stops, cx, cy, r, fx=None, fy=None):
        gid = self.uid("g")
        self.defs.append(el("radialGradient", "".join(_stop(s) for s in stops), id=gid,
                            gradientUnits="userSpaceOnUse", cx=cx, cy=cy, r=r,
                            fx=fx if fx is not None else cx, fy=fy if fy is not None else cy))
        return f"url(#{gid})"

    def vgrad(self, top, bottom, y1=0, y2=None):
        return self.lin([(0, top), (1, bottom)], 0, y1, 0, self.height if y2 is None else y2)

    def text(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                f'version="1.2" baseProfile="tiny" width="{self.width}" height="{self.height}" '
                f'viewBox="0 0 {self.width} {self.height}">')
        lines = [head]
        if self.defs:
            lines.append("<defs>")
            lines.extend(self.defs)
            lines.append("</defs>")
        lines.extend(self.body)
        lines.append("</svg>")
        return "\n".join(lines) + "\n"


def _stop(s):
    if len(s) == 2:
        return el("stop", offset=s[0], stop_color=s[1])
    return el("stop", offset=s[0], stop_color=s[1], stop_opacity=s[2])


# ---- shapes -------------------------------------------------------------------------------------

def rect(x, y, w, h, fill="none", rx=None, **kw):
    return el("rect", x=x, y=y, width=w, height=h, rx=rx, ry=rx, fill=fill, **kw)


def circle(cx, cy, r, fill="none", **kw):
    return el("circle", cx=cx, cy=cy, r=r, fill=fill, **kw)


def ellipse(cx, cy, rx, ry, fill="none", **kw):
    return el("ellipse", cx=cx, cy=cy, rx=rx, ry=ry, fill=fill, **kw)


def line(x1, y1, x2, y2, stroke=WHITE, width=STROKE, **kw):
    kw.setdefault("stroke_linecap", "round")
    return el("line", x1=x1, y1=y1, x2=x2, y2=y2, stroke=stroke, stroke_width=width, **kw)


def path(d, fill="none", **kw):
    return el("path", d=d, fill=fill, **kw)


def poly(points, fill="none", **kw):
    return el("polygon", points=pts(points), fill=fill, **kw)


def polyline(points, stroke=WHITE, width=STROKE, **kw):
    kw.setdefault("stroke_linecap", "round")
    kw.setdefault("stroke_linejoin", "round")
    return el("polyline", points=pts(points), fill="none", stroke=stroke, stroke_width=width, **kw)


def stroked(d, stroke=WHITE, width=STROKE, fill="none", **kw):
    """An outline path in the icon style: round caps and joins."""
    kw.setdefault("stroke_linecap", "round")
    kw.setdefault("stroke_linejoin", "round")
    return el("path", d=d, fill=fill, stroke=stroke, stroke_width=width, **kw)


def group(children, **kw):
    if isinstance(children, (list, tuple)):
        children = "".join(c for c in children if c)
    return el("g", children, **kw)


def text(x, y, content, size=12, fill=WHITE, anchor="start", weight=None, family=FONT, **kw):
    return el("text", esc(content), x=x, y=y, font_family=family, font_size=size,
              font_weight=weight, fill=fill, text_anchor=anchor, **kw)


def star_points(cx, cy, r_out, r_in, n=5, rot=-90):
    points = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180 / n)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def arc_path(cx, cy, r, a0, a1):
    """An open circular arc from angle a0 to a1 (degrees, clockwise on screen)."""
    x0 = cx + r * math.cos(math.radians(a0))
    y0 = cy + r * math.sin(math.radians(a0))
    x1 = cx + r * math.cos(math.radians(a1))
    y1 = cy + r * math.sin(math.radians(a1))
    large = 1 if (a1 - a0) % 360 > 180 else 0
    return f"M{fmt(x0)},{fmt(y0)} A{fmt(r)},{fmt(r)} 0 {large} 1 {fmt(x1)},{fmt(y1)}"


def rrect_path(x, y, w, h, r):
    return (f"M{fmt(x + r)},{fmt(y)} H{fmt(x + w - r)} Q{fmt(x + w)},{fmt(y)} {fmt(x + w)},{fmt(y + r)} "
            f"V{fmt(y + h - r)} Q{fmt(x + w)},{fmt(y + h)} {fmt(x + w - r)},{fmt(y + h)} "
            f"H{fmt(x + r)} Q{fmt(x)},{fmt(y + h)} {fmt(x)},{fmt(y + h - r)} "
            f"V{fmt(y + r)} Q{fmt(x)},{fmt(y)} {fmt(x + r)},{fmt(y)} Z")


class Rng:
    """A tiny deterministic generator so that the written SVGs never change between runs."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x & 0xFFFFFFFF
        return self.state / 0x100000000

    def uniform(self, a, b):
        return a + (b - a) * self.next()

    def choice(self, items):
        return items[int(self.next() * len(items)) % len(items)]
