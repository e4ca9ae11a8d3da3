"""Vienna's landmarks as silhouettes and simple lit shapes, shared by backgrounds, posters and scenes.

Every function draws with its foot on `base` (y grows downwards) and scales with `k`
(1.0 is about the size used on a 320-point-wide background)."""

import math

from svglib import circle, fmt, group, line, path, rect


def _p(points):
    return "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points) + " Z"


def stephansdom(x, base, k, fill, **kw):
    """South tower at x, steep nave roof to the right, the low north tower beyond it."""
    def t(dx, dy):
        return (x + dx * k, base - dy * k)
    tower = [t(-8, 0), t(-8, 46), t(-6.5, 54), t(-6.5, 62), t(-4.5, 70), t(-3.2, 100), t(-1.2, 124),
             t(0, 138), t(1.2, 124), t(3.2, 100), t(4.5, 70), t(6.5, 62), t(6.5, 54), t(8, 46), t(8, 0)]
    nave = [t(8, 0), t(8, 30), t(14, 56), t(60, 56), t(66, 30), t(66, 0)]
    north = [t(66, 0), t(66, 58), t(68, 62), t(70, 62), t(72, 68), t(76, 72), t(80, 68), t(82, 62),
             t(84, 62), t(86, 58), t(86, 0)]
    west = [t(-30, 0), t(-30, 34), t(-24, 44), t(-18, 34), t(-18, 30), t(-8, 30), t(-8, 0)]
    return path(_p(tower) + " " + _p(nave) + " " + _p(north) + " " + _p(west), fill, **kw)


def roof_zigzag(x, base, k, colour, opacity=0.35):
    """The tiled zigzag of the cathedral's roof, to lay over stephansdom()."""
    parts = []
    for row, h in enumerate((34, 44)):
        pts = []
        for i in range(9):
            dx = 16 + i * 5.5
            dy = h + (4 if i % 2 else 0)
            pts.append((x + dx * k, base - dy * k))
        parts.append(path("M" + " L".join(f"{fmt(a)},{fmt(b)}" for a, b in pts), "none", stroke=colour,
                          stroke_width=1.4 * k, stroke_opacity=opacity - row * 0.08))
    return group(parts)


def riesenrad(cx, cy, r, colour, cabin, width=1.2, opacity=1.0):
    """The giant wheel: rims, spokes, cabins, and the A-frame down to the ground at cy + 1.25 r."""
    parts = [circle(cx, cy, r, "none", stroke=colour, stroke_width=width * 1.6),
             circle(cx, cy, r * 0.92, "none", stroke=colour, stroke_width=width * 0.8)]
    for i in range(15):
        a = math.radians(i * 24)
        parts.append(line(cx, cy, cx + r * math.cos(a), cy + r * math.sin(a), colour, width * 0.6))
    for i in range(15):
        a = math.radians(i * 24 + 12)
        x, y = cx + r * math.cos(a), cy + r * math.sin(a)
        parts.append(rect(x - r * 0.07, y, r * 0.14, r * 0.11, cabin, rx=r * 0.02))
    foot = cy + r * 1.25
    parts.append(path(_p([(cx - r * 0.6, foot), (cx, cy), (cx + r * 0.6, foot), (cx + r * 0.5, foot),
                          (cx, cy + r * 0.12), (cx - r * 0.5, foot)]), colour))
    parts.append(circle(cx, cy, r * 0.08, colour))
    return group(parts, opacity=opacity)


def karlskirche(x, base, k, fill, **kw):
    """Dome between two triumphal columns, portico in front; x is the dome's axis."""
    def t(dx, dy):
        return (x + dx * k, base - dy * k)
    body = [t(-34, 0), t(-34, 26), t(-14, 26), t(-14, 40), t(-13, 52)]
    # dome as a polygon arc
    for i in range(13):
        a = math.radians(180 - i * 15)
        body.append(t(13 * math.cos(a), 52 + 17 * math.sin(a)))
    body += [t(14, 40), t(14, 26), t(34, 26), t(34, 0)]
    lantern = [t(-2.5, 68), t(-2.5, 76), t(0, 80), t(2.5, 76), t(2.5, 68)]
    portico = [t(-10, 26), t(0, 34), t(10, 26)]
    columns = []
    for side in (-24, 24):
        columns.append(rect(x + (side - 3.5) * k, base - 50 * k, 7 * k, 50 * k, fill, **kw))
        columns.append(rect(x + (side - 4.5) * k, base - 54 * k, 9 * k, 4 * k, fill, **kw))
    return group([path(_p(body) + " " + _p(lantern) + " " + _p(portico), fill, **kw)] + columns)


def rathaus(x, base, k, fill, **kw):
    """The City Hall: central tower with its spire, two pairs of side towers, long wings."""
    def t(dx, dy):
        return (x + dx * k, base - dy * k)
    parts = [_p([t(-60, 0), t(-60, 30), t(60, 30), t(60, 0)]),
             _p([t(-9, 0), t(-9, 78), t(-6, 84), t(-6, 96), t(-2, 104), t(0, 122), t(2, 104), t(6, 96),
                 t(6, 84), t(9, 78), t(9, 0)])]
    for side in (-1, 1):
        for off in (26, 44):
            c = side * off
            parts.append(_p([t(c - 4, 0), t(c - 4, 48), t(c, 58), t(c + 4, 48), t(c + 4, 0)]))
    for side in (-1, 1):
        parts.append(_p([t(side * 60, 0), t(side * 60, 34), t(side * 54, 38), t(side * 48, 34),
                         t(side * 48, 0)]))
    return path(" ".join(parts), fill, **kw)


def votivkirche(x, base, k, fill, **kw):
    def t(dx, dy):
        return (x + dx * k, base - dy * k)
    parts = [_p([t(-20, 0), t(-20, 40), t(0, 54), t(20, 40), t(20, 0)])]
    for c in (-14, 14):
        parts.append(_p([t(c - 5, 0), t(c - 5, 70), t(c - 3, 76), t(c, 104), t(c + 3, 76), t(c + 5, 70),
                         t(c + 5, 0)]))
    return path(" ".join(parts), fill, **kw)


def houses(rng, x0, x1, base, hmin, hmax, fill, **kw):
    """A row of town houses with pitched and mansard roofs."""
    d = []
    x = x0
    while x < x1:
        w = rng.uniform(16, 34)
        h = rng.uniform(hmin, hmax)
        kind = rng.next()
        if kind < 0.4:
            d.append(_p([(x, base), (x, base - h), (x + w / 2, base - h - w * 0.35), (x + w, base - h),
                         (x + w, base)]))
        elif kind < 0.75:
            d.append(_p([(x, base), (x, base - h), (x + 3, base - h - 6), (x + w - 3, base - h - 6),
                         (x + w, base - h), (x + w, base)]))
        else:
            d.append(_p([(x, base), (x, base - h), (x + w, base - h), (x + w, base)]))
        if rng.next() < 0.5:
            cx = x + rng.uniform(4, w - 6)
            d.append(_p([(cx, base - h), (cx, base - h - 9), (cx + 3, base - h - 9), (cx + 3, base - h)]))
        x += w - 0.5
    return path(" ".join(d), fill, **kw)


def lit_windows(rng, x0, x1, y0, y1, colour, count, size=(2, 3), opacity=(0.3, 0.9)):
    parts = []
    for _ in range(count):
        x = rng.uniform(x0, x1)
        y = rng.uniform(y0, y1)
        parts.append(rect(round(x), round(y), size[0], size[1], colour,
                          fill_opacity=round(rng.uniform(*opacity), 2)))
    return group(parts)


def stars(rng, count, x0, y0, x1, y1, colour="#ffffff"):
    parts = []
    for _ in range(count):
        r = rng.uniform(0.4, 1.1)
        parts.append(circle(round(rng.uniform(x0, x1), 1), round(rng.uniform(y0, y1), 1), round(r, 2),
                            colour, fill_opacity=round(rng.uniform(0.25, 0.8), 2)))
    return group(parts)


def string_lights(x0, y0, x1, y1, sag, count, colour, r=1.6, wire="#000000"):
    """Bulbs on a sagging wire between two points."""
    parts = [path(f"M{fmt(x0)},{fmt(y0)} Q{fmt((x0 + x1) / 2)},{fmt((y0 + y1) / 2 + 2 * sag)} "
                  f"{fmt(x1)},{fmt(y1)}", "none", stroke=wire, stroke_width=0.8, stroke_opacity=0.6)]
    for i in range(count):
        t = (i + 0.5) / count
        x = (1 - t) ** 2 * x0 + 2 * (1 - t) * t * (x0 + x1) / 2 + t * t * x1
        y = (1 - t) ** 2 * y0 + 2 * (1 - t) * t * ((y0 + y1) / 2 + 2 * sag) + t * t * y1
        parts.append(circle(x, y, r * 2.2, colour, fill_opacity=0.18))
        parts.append(circle(x, y, r, colour))
    return group(parts)


def glow(s, cx, cy, r, colour, strength=0.5):
    return circle(cx, cy, r, s.rad([(0, colour, strength), (1, colour, 0)], cx, cy, r))


