#!/usr/bin/env python3
"""Writes the neutral pictures a new edition starts with (tools/edition/neutral/*.svg).

    generate.py            write every SVG next to this script (unchanged files are left alone)
    generate.py --check    exit 1 when an SVG here differs from what this script writes
    generate.py --list     print the names with their sizes

`cityguide-edition new` copies these into a new edition in place of the Vienna demo's pictures, so
nothing here may belong to one city: no skyline, no landmark, no city name. The start-up picture
carries the placeholder {{CITY}} in a single <text> element; the edition tool puts the real name
there (escaped for XML) before the picture is rendered.

The look follows the demo's: dark navy dusk, white text on top, the guide's blue and warm gold as
accents. Instead of rooftops the backgrounds carry an abstract street plan (a slightly turned grid,
a few avenues, a river) and one quiet motif per page. Only the SVG Tiny subset the guide's renderer
draws is used: shapes, paths, text, linear and radial gradients, groups with transforms and opacity.
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The demo's SVG kit, for what both generators do alike.
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "content", "art", "tools"))
import svglib  # noqa: E402

# ---- palette (the guide's, without the city-specific names) -----------------------------------

BLUE = "#21a3d9"          # the guide's accent, rgb(33, 163, 217)
BLUE_LIGHT = "#7fd0f2"
WARM = "#f2a33a"
WARM_LIGHT = "#f8cb7a"
WHITE = "#ffffff"
BLACK = "#000000"
FONT = "Liberation Sans"
STROKE = 2                # the icon stroke weight at 1x

# The start-up lettering: 38-point bold Liberation Sans takes about 270 points for a 14-letter
# name in mixed case, which leaves a margin on a 320-point screen.
CITY_PLACEHOLDER = "{{CITY}}"
CITY_FONT_SIZE = 38


# ---- SVG writing: the demo artwork's helpers, with this set's own defaults ---------------------

sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "content", "art", "tools"))
import svglib  # noqa: E402
from svglib import Rng, circle, el, esc, fmt, line, path, poly, pts, rect, star_points, stroked  # noqa: E402,F401


class Svg(svglib.Svg):
    def glow(self, cx, cy, r, colour, opacity):
        """A soft round light that fades to nothing at radius r."""
        return rect(0, 0, self.width, self.height,
                    self.rad([(0, colour, opacity), (1, colour, 0)], cx, cy, r))


def group(children, **kw):
    return svglib.group(list(children), **kw)


def text(x, y, content, size=12, fill=WHITE, anchor="middle", weight=None, **kw):
    return svglib.text(x, y, content, size=size, fill=fill, anchor=anchor, weight=weight, **kw)


# ---- shared pieces ----------------------------------------------------------------------------

def pin_path(cx, top, r):
    """A map pin's outline: round head of radius about r, point at (cx, top + 4.2 r)."""
    def p(dx, dy):
        return f"{fmt(cx + dx * r)},{fmt(top + dy * r)}"
    return (f"M{p(0, 0)} C{p(-1.15, 0)} {p(-1.9, 0.85)} {p(-1.9, 1.7)} "
            f"C{p(-1.9, 2.9)} {p(0, 4.2)} {p(0, 4.2)} C{p(0, 4.2)} {p(1.9, 2.9)} {p(1.9, 1.7)} "
            f"C{p(1.9, 0.85)} {p(1.15, 0)} {p(0, 0)} Z")


def compass_rose(cx, cy, r, colour, opacity, accent=None):
    """A compass rose: two rings, eight points (the four main ones long), north in the accent."""
    parts = [circle(cx, cy, r, "none", stroke=colour, stroke_width=max(1, r / 60)),
             circle(cx, cy, r * 0.86, "none", stroke=colour, stroke_width=max(0.6, r / 120))]
    for i in range(72):
        a = math.radians(i * 5)
        inner = r * (0.78 if i % 9 == 0 else 0.82)
        parts.append(line(cx + inner * math.cos(a), cy + inner * math.sin(a),
                          cx + r * 0.86 * math.cos(a), cy + r * 0.86 * math.sin(a), colour,
                          max(0.6, r / 140), stroke_linecap="butt"))
    for i in range(8):
        a = math.radians(i * 45 - 90)
        length = r * (1.0 if i % 2 == 0 else 0.55)
        half = r * (0.13 if i % 2 == 0 else 0.09)
        tip = (cx + length * math.cos(a), cy + length * math.sin(a))
        left = (cx + half * math.cos(a - math.pi / 2), cy + half * math.sin(a - math.pi / 2))
        right = (cx + half * math.cos(a + math.pi / 2), cy + half * math.sin(a + math.pi / 2))
        fill = accent if (accent and i == 0) else colour
        # Each point in two halves, one solid and one half-lit, as on a printed rose.
        parts.append(poly([(cx, cy), left, tip], fill))
        parts.append(poly([(cx, cy), tip, right], fill, fill_opacity=0.45))
    parts.append(circle(cx, cy, r * 0.05, colour))
    return group(parts, opacity=opacity)


def street_plan(s, seed, opacity, angle=-14, river=True, flip=False, cx=None, cy=None):
    """A faint plan of an imaginary town: an irregular, slightly turned street grid, two avenues
    across it, a few park blocks, and a river that winds through (from the top left, or with
    `flip` from the top right)."""
    rng = Rng(seed)
    cx = s.width / 2 if cx is None else cx
    cy = s.height / 2 if cy is None else cy
    reach = max(s.width, s.height) * 0.85          # enough to cover the picture once turned
    x0, x1 = cx - reach, cx + reach
    y0, y1 = cy - reach, cy + reach

    def stops(a, b):
        out, v = [], a
        while v < b:
            out.append(round(v, 1))
            v += rng.uniform(26, 46)
        return out

    xs, ys = stops(x0, x1), stops(y0, y1)
    parts = []
    # Parks first, so the streets run over their edges.
    for _ in range(7):
        i = int(rng.uniform(0, len(xs) - 2))
        j = int(rng.uniform(0, len(ys) - 2))
        parts.append(rect(xs[i] + 2, ys[j] + 2, xs[i + 1] - xs[i] - 4, ys[j + 1] - ys[j] - 4, WHITE,
                          rx=2, fill_opacity=opacity * 0.7))
    for x in xs:
        parts.append(line(x, y0, x, y1, WHITE, 1, stroke_opacity=opacity, stroke_linecap="butt"))
    for y in ys:
        parts.append(line(x0, y, x1, y, WHITE, 1, stroke_opacity=opacity, stroke_linecap="butt"))
    # Two avenues that ignore the grid.
    parts.append(line(x0, cy + reach * 0.55, x1, cy - reach * 0.35, WHITE, 2.5,
                      stroke_opacity=opacity * 0.8, stroke_linecap="butt"))
    parts.append(line(cx - reach * 0.25, y0, cx + reach * 0.3, y1, WHITE, 2,
                      stroke_opacity=opacity * 0.8, stroke_linecap="butt"))
    plan = group(parts, transform=f"rotate({fmt(angle)} {fmt(cx)} {fmt(cy)})")
    if not river:
        return plan
    w, h = s.width, s.height
    bend = rng.uniform(-30, 30)
    d = (f"M-20,{fmt(h * 0.18)} C{fmt(w * 0.3)},{fmt(h * 0.12 + bend)} {fmt(w * 0.45)},{fmt(h * 0.42)} "
         f"{fmt(w * 0.62)},{fmt(h * 0.5)} S{fmt(w * 0.95)},{fmt(h * 0.62 - bend)} {fmt(w + 20)},{fmt(h * 0.8)}")
    water = group([path(d, stroke=BLUE, stroke_width=16, stroke_opacity=opacity * 2.2),
                   path(d, stroke=BLUE_LIGHT, stroke_width=1, stroke_opacity=opacity * 1.6)],
                  transform=f"matrix(-1 0 0 1 {w} 0)" if flip else None)
    return group([plan, water])


def sky(s, top, mid, bottom, mid_at=0.55):
    s.add(rect(0, 0, s.width, s.height, s.lin([(0, top), (mid_at, mid), (1, bottom)], 0, 0, 0, s.height)))


def finish(s, strength=0.5):
    """A vignette, and a darker foot where the guide lays its half-black strip and tool bar."""
    s.add(rect(0, 0, s.width, s.height,
               s.rad([(0, BLACK, 0), (0.62, BLACK, 0), (1, BLACK, strength)], s.width / 2, s.height * 0.42,
                     s.height * 0.75)))
    s.add(rect(0, s.height * 0.7, s.width, s.height * 0.3,
               s.lin([(0, BLACK, 0), (1, BLACK, 0.35)], 0, s.height * 0.7, 0, s.height)))


def stars(rng, count, x0, y0, x1, y1, colour=WHITE, keep_clear=None):
    """Faint stars; none falls inside keep_clear (x0, y0, x1, y1), where lettering goes."""
    parts = []
    for _ in range(count):
        x, y = round(rng.uniform(x0, x1), 1), round(rng.uniform(y0, y1), 1)
        r, o = round(rng.uniform(0.4, 1.1), 2), round(rng.uniform(0.2, 0.7), 2)
        if keep_clear and keep_clear[0] <= x <= keep_clear[2] and keep_clear[1] <= y <= keep_clear[3]:
            continue
        parts.append(circle(x, y, r, colour, fill_opacity=o))
    return group(parts)


# ---- the map plane ------------------------------------------------------------------------------

class Ground:
    """A street map laid flat under a dusk sky, seen from a little above.

    A ground point (x, z) -- x across, z into the picture -- lands on the screen at
    (middle + x * k * spread / z, horizon + k / z); z = 1 is the picture's foot, where one unit across
    is k * spread points. A larger spread looks at the plane from lower down."""

    def __init__(self, s, horizon, spread=1.0):
        self.s = s
        self.horizon = horizon
        self.k = s.height - horizon
        self.spread = spread
        self.mid = s.width / 2

    def at(self, x, z):
        return (self.mid + x * self.k * self.spread / z, self.horizon + self.k / z)

    def depth_of(self, y):
        return self.k / (y - self.horizon)

    def fade(self, colour, near, far=0.0):
        """A vertical gradient for strokes and fills on the plane: `near` at the foot, `far` at the
        horizon, so that everything melts into the distance."""
        return self.s.lin([(0, colour, far), (0.25, colour, (far + near) / 3), (1, colour, near)],
                          0, self.horizon, 0, self.s.height)

    def streets(self, seed, colour, opacity, far=14.0):
        """Irregular blocks, two avenues and a few lit squares."""
        rng = Rng(seed)
        stroke = self.fade(colour, opacity)
        xs, x = [], -0.05
        while x < 9:
            xs.append(round(x, 3))
            x += rng.uniform(0.2, 0.36)
        xs = [-v for v in reversed(xs[1:])] + xs
        zs, z = [], 0.72
        while z < far:
            zs.append(round(z, 3))
            z += rng.uniform(0.2, 0.36) * (1 + z * 0.06)
        parts = []
        for _ in range(9):
            i = int(rng.uniform(len(xs) / 2 - 5, len(xs) / 2 + 5))
            j = int(rng.uniform(0, min(len(zs) - 2, 10)))
            quad = [self.at(xs[i] + 0.02, zs[j] + 0.02), self.at(xs[i + 1] - 0.02, zs[j] + 0.02),
                    self.at(xs[i + 1] - 0.02, zs[j + 1] - 0.02), self.at(xs[i] + 0.02, zs[j + 1] - 0.02)]
            parts.append(poly(quad, colour, fill_opacity=round(opacity * rng.uniform(0.25, 0.45), 3)))
        for x in xs:
            (ax, ay), (bx, by) = self.at(x, far), self.at(x, 0.7)
            parts.append(line(ax, ay, bx, by, stroke, 1, stroke_linecap="butt"))
        for z in zs:
            ay = self.at(0, z)[1]
            parts.append(line(-5, ay, self.s.width + 5, ay, stroke, 1, stroke_linecap="butt"))
        for x0, slope in ((-2.2, 0.55), (3.0, -0.35)):
            (ax, ay), (bx, by) = self.at(x0 + slope * far, far), self.at(x0 + slope * 0.7, 0.7)
            parts.append(line(ax, ay, bx, by, stroke, 2.5, stroke_linecap="butt"))
        return group(parts)

    def river(self, centre, width, opacity=0.5, near=0.7, far=60.0):
        """A river whose middle runs along x = centre(z), `width` units wide."""
        steps = 64
        zs = [near * (far / near) ** (i / steps) for i in range(steps + 1)]
        left = [self.at(centre(z) - width / 2, z) for z in zs]
        right = [self.at(centre(z) + width / 2, z) for z in reversed(zs)]
        body = poly(left + right, self.fade(BLUE, opacity, opacity / 4))
        d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in left)
        bank = path(d, stroke=self.fade(BLUE_LIGHT, opacity * 1.1, 0.0), stroke_width=1)
        return group([body, bank])

    def ring(self, x, z, r, colour, width, opacity):
        """A circle of radius r lying on the plane around (x, z)."""
        points = [self.at(x + r * math.cos(math.radians(a)), z + r * math.sin(math.radians(a)))
                  for a in range(0, 360, 8)]
        return poly(points, stroke=colour, stroke_width=width, stroke_opacity=opacity)

    def haze(self, colour, opacity, height):
        """Light lying on the plane just below the horizon."""
        return rect(0, self.horizon, self.s.width, height,
                    self.s.lin([(0, colour, opacity), (1, colour, 0)], 0, self.horizon, 0, self.horizon + height))


def pin(s, cx, tip_y, r):
    """The guide's gold map pin, standing with its point on (cx, tip_y)."""
    top = tip_y - 4.2 * r
    return [
        path(pin_path(cx, top, r), s.lin([(0, WARM_LIGHT), (0.55, WARM), (1, "#c0771b")],
                                         cx - 2 * r, top, cx + 2 * r, tip_y)),
        path(pin_path(cx, top, r), stroke="#7a4a12", stroke_width=1, stroke_opacity=0.5),
        circle(cx, top + 1.7 * r, 0.72 * r, "#fff7e6"),
        circle(cx, top + 1.7 * r, 0.36 * r, BLUE),
        path(f"M{fmt(cx - 1.45 * r)},{fmt(top + 1.5 * r)} A{fmt(1.4 * r)},{fmt(1.4 * r)} 0 0 1 "
             f"{fmt(cx - 0.4 * r)},{fmt(top + 0.25 * r)}", stroke=WHITE, stroke_width=max(1, r / 7),
             stroke_opacity=0.45, stroke_linecap="round"),
    ]


# ---- start-up picture --------------------------------------------------------------------------

def default_picture():
    s = Svg(320, 480)
    w, h = s.width, s.height
    horizon = 318
    g = Ground(s, horizon)
    # Dusk: deep navy above, a warm band at the horizon.
    s.add(rect(0, 0, w, horizon, s.lin([(0, "#0c1a30"), (0.45, "#1a3558"), (0.8, "#3a4f73"),
                                        (1, "#c98457")], 0, 0, 0, horizon)))
    s.add(s.glow(160, horizon, 210, WARM_LIGHT, 0.45))
    s.add(stars(Rng(7), 56, 0, 0, w, 230, keep_clear=(14, 92, 306, 206)))
    # A large, faint compass rose behind the lettering.
    s.add(compass_rose(160, 122, 118, WHITE, 0.07))
    # The ground: a town plan under the dusk sky, a river winding off into the distance.
    s.add(rect(0, horizon, w, h - horizon, s.lin([(0, "#26324b"), (0.3, "#142239"), (1, "#070d18")],
                                                 0, horizon, 0, h)))
    s.add(g.river(lambda z: -1.05 + 0.5 * math.sin(z * 0.9 + 0.4) + 0.05 * z, 0.3))
    s.add(g.streets(3, BLUE_LIGHT, 0.26))
    s.add(g.haze("#f0b07c", 0.5, 46))
    s.add(line(0, horizon, w, horizon, WARM_LIGHT, 1, stroke_opacity=0.5, stroke_linecap="butt"))
    # The pin, with rings of "you are here" on the ground around its point.
    tip_y = 406
    z = g.depth_of(tip_y)
    for r, o in ((0.46, 0.16), (0.31, 0.28), (0.17, 0.45)):
        s.add(g.ring(0, z, r, BLUE_LIGHT, 1.5, o))
    s.add(el("ellipse", cx=160, cy=tip_y, rx=12, ry=4, fill=BLACK, fill_opacity=0.45))
    s.add(s.glow(160, 372, 70, WARM, 0.28))
    s.add(pin(s, 160, tip_y, 14.5))
    # Lettering: the city's name, a gold rule, the subtitle.
    s.add(text(160, 112, "CITY GUIDE", size=13, fill=BLUE_LIGHT, weight="bold"))
    s.add(rect(136, 124, 48, 2, WARM))
    s.add(el("text", CITY_PLACEHOLDER, id="city-name", x=160, y=170, font_family=FONT,
             font_size=CITY_FONT_SIZE, font_weight="bold", fill=WHITE, text_anchor="middle"))
    s.add(text(160, 198, "offline edition", size=12, fill=WHITE, fill_opacity=0.7))
    s.add(rect(0, 440, w, 40, s.lin([(0, BLACK, 0), (1, BLACK, 0.4)], 0, 440, 0, 480)))
    return s


# ---- page backgrounds --------------------------------------------------------------------------

# Each page keeps the same build: a dusk gradient in its own tint, the faint street plan, one glow
# and one motif; the tints stay close so that the pages read as one set.

def _page(height, tint, seed, glow, plan_opacity=0.05, angle=-14, river=True, flip=False):
    s = Svg(320, height)
    sky(s, *tint)
    gx, gy, gr, gc, go = glow
    s.add(s.glow(gx, gy, gr, gc, go))
    s.add(street_plan(s, seed, plan_opacity, angle=angle, river=river, flip=flip))
    return s


def background():
    """The window's background behind every page: the plain member of the set."""
    s = _page(480, ("#1f3e62", "#132a47", "#070e19"), 11, (160, 380, 260, BLUE, 0.18))
    s.add(stars(Rng(12), 26, 0, 0, 320, 170))
    s.add(compass_rose(262, 404, 70, WHITE, 0.06))
    finish(s)
    return s


def chapter_page_background():
    """Behind a chapter's list: a dotted route between a few places."""
    s = _page(416, ("#1a4160", "#112c46", "#060d17"), 21, (90, 330, 240, BLUE, 0.18), angle=12, flip=True)
    route = [(-10, 350), (40, 318), (92, 330), (140, 286), (196, 300), (236, 246), (292, 232), (330, 196)]
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in route)
    s.add(path(d, stroke=WARM_LIGHT, stroke_width=2, stroke_opacity=0.16, stroke_dasharray="1,6",
               stroke_linecap="round", stroke_linejoin="round"))
    for x, y in route[1:-1:2]:
        s.add(circle(x, y, 3.5, WARM_LIGHT, fill_opacity=0.2))
        s.add(circle(x, y, 8, "none", stroke=WARM_LIGHT, stroke_width=1, stroke_opacity=0.14))
    finish(s)
    return s


def bookmark_page_background():
    """Behind the bookmarks: indigo, with a few ribbons and stars like pinned favourites."""
    s = _page(416, ("#27305e", "#181d3f", "#07081a"), 31, (230, 80, 220, "#8f8cff", 0.16), angle=-8,
              river=False)
    for i, (x, y, k) in enumerate(((236, 60, 1.7), (34, 236, 1.15), (262, 300, 0.85))):
        s.add(path(f"M{fmt(x)},{fmt(y)} h{fmt(24 * k)} v{fmt(56 * k)} l{fmt(-12 * k)},{fmt(-12 * k)} "
                   f"l{fmt(-12 * k)},{fmt(12 * k)} Z", WHITE, fill_opacity=round(0.05 - 0.008 * i, 3)))
        s.add(poly(star_points(x + 12 * k, y + 22 * k, 7 * k, 3 * k), WARM, fill_opacity=0.1))
    rng = Rng(33)
    for _ in range(9):
        x, y, r = rng.uniform(10, 310), rng.uniform(20, 380), rng.uniform(3, 7)
        s.add(poly(star_points(x, y, r, r * 0.42, rot=rng.uniform(-110, -70)), WHITE,
                   fill_opacity=round(rng.uniform(0.04, 0.08), 3)))
    finish(s)
    return s


def currency_page_background():
    """Behind the converter: dark teal, with rings of coins and two exchange arrows; no currency
    sign, since an edition may be in any country."""
    s = _page(416, ("#15464c", "#0d2e33", "#041013"), 41, (250, 110, 200, WARM, 0.12), angle=-20,
              river=False)
    # Coins with a milled edge, spread where the arrows are not.
    for x, y, r in ((64, 92, 34), (268, 58, 22), (178, 160, 15), (92, 262, 26), (36, 372, 17)):
        s.add(circle(x, y, r, WARM, fill_opacity=0.03, stroke=WARM, stroke_width=2, stroke_opacity=0.1))
        s.add(circle(x, y, r * 0.74, "none", stroke=WARM, stroke_width=1, stroke_opacity=0.08))
        for i in range(0, 360, 12):
            a = math.radians(i)
            s.add(line(x + r * 0.8 * math.cos(a), y + r * 0.8 * math.sin(a), x + r * 0.92 * math.cos(a),
                       y + r * 0.92 * math.sin(a), WARM, 1, stroke_opacity=0.07, stroke_linecap="butt"))
    # Two arcs with arrowheads around the middle: money going both ways.
    cx, cy, r = 232, 300, 62
    for a0, a1 in ((200, 330), (20, 150)):
        x0, y0 = cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0))
        x1, y1 = cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1))
        s.add(path(f"M{fmt(x0)},{fmt(y0)} A{r},{r} 0 0 1 {fmt(x1)},{fmt(y1)}", stroke=WHITE, stroke_width=6,
                   stroke_opacity=0.06, stroke_linecap="round"))
        t = math.radians(a1 + 90)             # direction of travel at the arc's end
        n = math.radians(a1)
        tip = (x1 + 14 * math.cos(t), y1 + 14 * math.sin(t))
        s.add(poly([tip, (x1 + 12 * math.cos(n), y1 + 12 * math.sin(n)),
                    (x1 - 12 * math.cos(n), y1 - 12 * math.sin(n))], WHITE, fill_opacity=0.06))
    finish(s)
    return s


def search_page_background():
    """Behind the search: the street plan clearer, a magnifying lens resting on it."""
    s = _page(416, ("#1c3b5f", "#122a46", "#08111e"), 51, (150, 150, 220, BLUE, 0.16), plan_opacity=0.065)
    cx, cy, r = 196, 250, 72
    s.add(circle(cx, cy, r, s.rad([(0, BLUE_LIGHT, 0.1), (0.8, BLUE_LIGHT, 0.04), (1, BLUE_LIGHT, 0.0)],
                                  cx, cy, r)))
    s.add(circle(cx, cy, r, "none", stroke=WHITE, stroke_width=9, stroke_opacity=0.07))
    a = math.radians(45)
    s.add(line(cx + (r + 6) * math.cos(a), cy + (r + 6) * math.sin(a), cx + (r + 70) * math.cos(a),
               cy + (r + 70) * math.sin(a), WARM, 16, stroke_opacity=0.08))
    finish(s)
    return s


def _soft_cloud(s, cx, cy, w, opacity):
    """A flat-bottomed cloud drawn as one outline (so its puffs do not show through each other),
    lit from above."""
    h = w * 0.42
    b = cy + h / 2
    d = (f"M{fmt(cx - w / 2)},{fmt(b)} "
         f"A{fmt(w * 0.16)},{fmt(w * 0.16)} 0 0 1 {fmt(cx - w * 0.24)},{fmt(b - h * 0.62)} "
         f"A{fmt(w * 0.2)},{fmt(w * 0.2)} 0 0 1 {fmt(cx + w * 0.14)},{fmt(b - h * 0.8)} "
         f"A{fmt(w * 0.15)},{fmt(w * 0.15)} 0 0 1 {fmt(cx + w * 0.36)},{fmt(b - h * 0.5)} "
         f"A{fmt(w * 0.12)},{fmt(w * 0.12)} 0 0 1 {fmt(cx + w / 2)},{fmt(b)} Z")
    return path(d, s.lin([(0, WHITE, opacity), (1, WHITE, opacity * 0.25)], 0, b - h, 0, b))


def weather_page_background():
    """Behind the forecast: a brighter sky with the sun's glow and soft clouds over the town plan."""
    s = Svg(320, 416)
    horizon = 336
    g = Ground(s, horizon, spread=2.2)
    s.add(rect(0, 0, 320, horizon, s.lin([(0, "#2b5781"), (0.6, "#1c3d62"), (1, "#3b4a66")], 0, 0, 0, horizon)))
    s.add(s.glow(246, 64, 170, WARM_LIGHT, 0.3))
    s.add(circle(246, 64, 20, s.rad([(0, WARM_LIGHT, 0.22), (0.8, WARM_LIGHT, 0.14), (1, WARM_LIGHT, 0)],
                                    246, 64, 20)))
    for cx, cy, w, o in ((70, 104, 170, 0.09), (256, 184, 190, 0.07), (118, 270, 230, 0.05)):
        s.add(_soft_cloud(s, cx, cy, w, o))
    s.add(rect(0, horizon, 320, 416 - horizon, s.lin([(0, "#1f2d46"), (1, "#070d18")], 0, horizon, 0, 416)))
    s.add(g.streets(52, BLUE_LIGHT, 0.14, far=10))
    s.add(g.haze("#c9a27e", 0.22, 30))
    s.add(line(0, horizon, 320, horizon, WARM_LIGHT, 1, stroke_opacity=0.25, stroke_linecap="butt"))
    finish(s, 0.45)
    return s


def offline_maps_page_background():
    """Behind the map list: a folded paper map laid out flat, with contour lines."""
    s = _page(416, ("#203c58", "#142a42", "#07101c"), 61, (240, 300, 220, BLUE, 0.14), plan_opacity=0.035,
              angle=0, river=False)
    # Four folded panels, alternately lit and shaded.
    for i in range(4):
        x = i * 80
        s.add(rect(x, 0, 80, 416, s.lin([(0, WHITE, 0.035 if i % 2 else 0.0), (1, BLACK, 0.12 if i % 2 else 0.04)],
                                         x, 0, x + 80, 0)))
        s.add(line(x, 0, x, 416, WHITE, 1, stroke_opacity=0.06, stroke_linecap="butt"))
    rng = Rng(62)
    for hill in ((236, 292), (70, 120)):
        for i in range(7):
            cx, cy = hill[0] + rng.uniform(-8, 8), hill[1] + rng.uniform(-8, 8)
            s.add(el("ellipse", cx=round(cx), cy=round(cy), rx=22 + i * 20, ry=14 + i * 14, fill="none",
                     stroke=BLUE_LIGHT, stroke_width=1, stroke_opacity=0.07))
    s.add(path("M-10,168 C60,188 90,128 160,158 S260,238 330,198", stroke=BLUE, stroke_width=10,
               stroke_opacity=0.14))
    finish(s)
    return s


def background_chapter():
    """The first chapter's background in a new edition: dusk over the town plan, a few places marked."""
    s = Svg(320, 480)
    horizon = 300
    g = Ground(s, horizon)
    s.add(rect(0, 0, 320, horizon, s.lin([(0, "#0f1f38"), (0.6, "#1b3355"), (1, "#47476a")], 0, 0, 0, horizon)))
    s.add(s.glow(160, horizon, 200, WARM, 0.22))
    s.add(stars(Rng(71), 40, 0, 0, 320, 200))
    s.add(compass_rose(160, 150, 96, WHITE, 0.045))
    s.add(rect(0, horizon, 320, 180, s.lin([(0, "#1d2a44"), (0.4, "#0f1b30"), (1, "#060b14")], 0, horizon, 0, 480)))
    s.add(g.river(lambda z: 1.1 - 0.45 * math.sin(z * 0.7 + 0.2) - 0.04 * z, 0.26, opacity=0.32))
    s.add(g.streets(72, BLUE_LIGHT, 0.16))
    s.add(g.haze("#c48a68", 0.35, 50))
    s.add(line(0, horizon, 320, horizon, WARM_LIGHT, 1, stroke_opacity=0.35, stroke_linecap="butt"))
    # Marked places: outlined pins with a light on the ground beneath.
    for x, z in ((-0.62, 1.9), (0.38, 3.2), (0.9, 1.45), (-0.3, 6.5)):
        tx, ty = g.at(x, z)
        r = 9 / z
        s.add(circle(tx, ty, 3.2 * r, s.rad([(0, WARM, 0.35), (1, WARM, 0)], tx, ty, 3.2 * r)))
        s.add(path(pin_path(tx, ty - 4.2 * r, r), WARM, fill_opacity=0.16, stroke=WARM_LIGHT,
                   stroke_width=max(0.8, r / 4.5), stroke_opacity=0.5, stroke_linejoin="round"))
        s.add(circle(tx, ty - 2.5 * r, 0.55 * r, WARM_LIGHT, fill_opacity=0.45))
    finish(s, 0.5)
    return s


# ---- chapter icon ------------------------------------------------------------------------------

def chapter_general():
    """Home-screen icon of a new edition's first chapter: a pin standing on a folded map."""
    s = Svg(36, 36)
    r = 4.3
    top = 1.8
    head = top + 1.7 * r
    s.add(
        path("M13,18.5 L23,21.5 V33.5 L13,30.5 Z", BLUE, fill_opacity=0.3),
        stroked("M2.5,21.5 L13,18.5 L23,21.5 L33.5,18.5 V30.5 L23,33.5 L13,30.5 L2.5,33.5 Z"),
        line(13, 18.5, 13, 30.5, WHITE, 1.4, stroke_opacity=0.8),
        line(23, 21.5, 23, 33.5, WHITE, 1.4, stroke_opacity=0.8),
        path(pin_path(18, top, r) + f" M18,{fmt(head - 0.8 * r)} A{fmt(0.8 * r)},{fmt(0.8 * r)} 0 1 0 "
             f"18,{fmt(head + 0.8 * r)} A{fmt(0.8 * r)},{fmt(0.8 * r)} 0 1 0 18,{fmt(head - 0.8 * r)} Z",
             WARM, fill_rule="evenodd"),
    )
    return s


# ---- writing -----------------------------------------------------------------------------------

def pictures():
    return {
        "Default": default_picture(),
        "Background": background(),
        "ChapterPageBackground": chapter_page_background(),
        "BookmarkPageBackground": bookmark_page_background(),
        "CurrencyPageBackground": currency_page_background(),
        "SearchPageBackground": search_page_background(),
        "WeatherPageBackground": weather_page_background(),
        "OfflineMapsPageBackground": offline_maps_page_background(),
        "BackgroundChapter": background_chapter(),
        "ChapterGeneral": chapter_general(),
    }


def main(argv):
    made = pictures()
    if "--list" in argv:
        for name, svg in sorted(made.items()):
            print(f"{name}\t{svg.width} x {svg.height}")
        return 0
    check = "--check" in argv
    stale = written = 0
    for name, svg in sorted(made.items()):
        target = os.path.join(HERE, name + ".svg")
        content = svg.text()
        if svglib.unchanged(target, content):
            continue
        if check:
            print(f"generate.py: {name}.svg is not what generate.py writes; run it")
            stale += 1
            continue
        with open(target, "w", encoding="utf-8", newline="\n") as f:
            f.write(content)
        written += 1
    if check:
        print(f"{len(made) - stale} passed, {stale} failed")
        return 1 if stale else 0
    print(f"{written} written, {len(made)} generated")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
