"""Currency-row flags, 36 x 24, with a thin edge so that white fields read on the dark rows."""

import math

from svglib import Svg, circle, group, line, poly, rect, star_points


def _flag(body):
    s = Svg(36, 24)
    s.add(body)
    # Soft light from the top, and a hairline edge.
    s.add(rect(0, 0, 36, 24, s.lin([(0, "#ffffff", 0.18), (0.5, "#ffffff", 0), (1, "#000000", 0.12)],
                                   0, 0, 0, 24)))
    s.add(rect(0.5, 0.5, 35, 23, "none", stroke="#000000", stroke_width=1, stroke_opacity=0.35))
    return s


def flag_eu():
    parts = [rect(0, 0, 36, 24, "#003399")]
    for i in range(12):
        a = math.radians(i * 30 - 90)
        parts.append(poly(star_points(18 + 8 * math.cos(a), 12 + 8 * math.sin(a), 1.45, 0.6), "#ffcc00"))
    return _flag(parts)


def flag_us():
    stripe = 24 / 13
    parts = [rect(0, 0, 36, 24, "#ffffff")]
    for i in range(0, 13, 2):
        parts.append(rect(0, i * stripe, 36, stripe, "#b22234"))
    canton_w, canton_h = 14.4, 7 * stripe
    parts.append(rect(0, 0, canton_w, canton_h, "#3c3b6e"))
    for row in range(9):
        count = 6 if row % 2 == 0 else 5
        for col in range(count):
            x = canton_w / 12 * (2 * col + 1 + (0 if row % 2 == 0 else 1))
            y = canton_h / 10 * (row + 1)
            parts.append(circle(x, y, 0.42, "#ffffff"))
    return _flag(parts)


def _band(x0, y0, x1, y1, side_x, side_y, width):
    """The strip of `width` beside the segment (x0, y0)-(x1, y1), on the side of point (side_x, side_y)."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length, dx / length
    if (side_x - x0) * nx + (side_y - y0) * ny < 0:
        nx, ny = -nx, -ny
    ox, oy = nx * width, ny * width
    return [(x0, y0), (x1, y1), (x1 + ox, y1 + oy), (x0 + ox, y0 + oy)]


def flag_gb():
    red, blue = "#c8102e", "#012169"
    # Drawn on the usual 60 x 30 grid and stretched to the row's flag size.
    bands = [
        _band(0, 0, 30, 15, 0, 15, 2),      # hoist, top
        _band(60, 0, 30, 15, 30, 0, 2),     # fly, top
        _band(60, 30, 30, 15, 60, 15, 2),   # fly, bottom
        _band(0, 30, 30, 15, 30, 30, 2),    # hoist, bottom
    ]
    inner = [
        rect(0, 0, 60, 30, blue),
        line(0, 0, 60, 30, "#ffffff", 6, stroke_linecap="butt"),
        line(60, 0, 0, 30, "#ffffff", 6, stroke_linecap="butt"),
        *[poly(b, red) for b in bands],
        rect(25, 0, 10, 30, "#ffffff"), rect(0, 10, 60, 10, "#ffffff"),
        rect(27, 0, 6, 30, red), rect(0, 12, 60, 6, red),
    ]
    return _flag(group(inner, transform="scale(0.6 0.8)"))


def flag_ch():
    return _flag([rect(0, 0, 36, 24, "#da291c"), rect(15.75, 4.5, 4.5, 15, "#ffffff"),
                  rect(10.5, 9.75, 15, 4.5, "#ffffff")])


def flag_cz():
    return _flag([rect(0, 0, 36, 12, "#ffffff"), rect(0, 12, 36, 12, "#d7141a"),
                  poly([(0, 0), (18, 12), (0, 24)], "#11457e")])


def flag_hu():
    return _flag([rect(0, 0, 36, 8, "#ce2939"), rect(0, 8, 36, 8, "#ffffff"), rect(0, 16, 36, 8, "#477050")])


def flag_pl():
    return _flag([rect(0, 0, 36, 12, "#ffffff"), rect(0, 12, 36, 12, "#dc143c")])


def flag_jp():
    return _flag([rect(0, 0, 36, 24, "#ffffff"), circle(18, 12, 7.2, "#bc002d")])


def flag_at():
    return _flag([rect(0, 0, 36, 8, "#c8102e"), rect(0, 8, 36, 8, "#ffffff"), rect(0, 16, 36, 8, "#c8102e")])


def pictures():
    return {
        "FlagEU": flag_eu(),
        "FlagUS": flag_us(),
        "FlagGB": flag_gb(),
        "FlagCH": flag_ch(),
        "FlagCZ": flag_cz(),
        "FlagHU": flag_hu(),
        "FlagPL": flag_pl(),
        "FlagJP": flag_jp(),
        "FlagAT": flag_at(),
    }
