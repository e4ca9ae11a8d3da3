"""Weather symbols, 40 x 40, drawn centred on transparent, named as the weather feed names them."""

import math

from svglib import BLUE_LIGHT, WARM, WARM_DARK, WARM_LIGHT, Svg, circle, group, line, path, stroked


def _cloud(s, x, y, scale, top, bottom, rim):
    """A cloud whose flat base starts at (x, y); 24 units wide at scale 1."""
    d = ("M0,0 H18.5 A5.5,5.5 0 0 0 19,-11 A7.5,7.5 0 0 0 5.2,-9.6 A5,5 0 0 0 0,0 Z")
    fill = s.lin([(0, top), (1, bottom)], 0, -17, 0, 0)
    return group([
        path(d, "#000000", fill_opacity=0.25, transform="translate(0.8 1.2)"),
        path(d, fill, stroke=rim, stroke_width=0.8 / scale, stroke_linejoin="round"),
    ], transform=f"translate({x} {y}) scale({scale})")


def _sun(s, cx, cy, r, rays=True):
    parts = []
    if rays:
        for i in range(8):
            a = math.radians(i * 45 + 22.5)
            parts.append(line(cx + (r + 2.5) * math.cos(a), cy + (r + 2.5) * math.sin(a),
                              cx + (r + 6) * math.cos(a), cy + (r + 6) * math.sin(a), WARM_LIGHT, 2.2))
    parts.append(circle(cx, cy, r + 1, WARM, fill_opacity=0.3))
    parts.append(circle(cx, cy, r, s.lin([(0, "#ffe08a"), (1, WARM_DARK)], cx - r, cy - r, cx + r, cy + r)))
    return group(parts)


def sunny():
    s = Svg(40, 40)
    s.add(_sun(s, 20, 20, 8.5))
    return s


def sunny_intervals():
    s = Svg(40, 40)
    s.add(_sun(s, 15, 15, 7))
    s.add(_cloud(s, 14, 33, 1.0, "#ffffff", "#d6dde6", "#ffffff"))
    return s


def white_cloud():
    s = Svg(40, 40)
    s.add(_cloud(s, 4.5, 30, 1.3, "#ffffff", "#cfd8e3", "#ffffff"))
    return s


def dark_cloud():
    s = Svg(40, 40)
    s.add(_cloud(s, 11, 22, 0.95, "#a9b4c2", "#7d8898", "#c5cfdb"))
    s.add(_cloud(s, 3.5, 32, 1.22, "#7d8999", "#4a5566", "#9aa6b5"))
    return s


def mist():
    s = Svg(40, 40)
    s.add(_sun(s, 20, 15, 6, rays=False))
    for i, (y, x0, x1) in enumerate(((17, 6, 34), (23, 3, 31), (29, 8, 37), (35, 5, 27))):
        s.add(stroked(f"M{x0},{y} Q{(x0 + x1) / 4 + x0 / 2},{y - 2} {(x0 + x1) / 2},{y} "
                      f"T{x1},{y}", "#e3e9f0", 2.4, stroke_opacity=0.95 - i * 0.1))
    return s


def light_rain():
    s = Svg(40, 40)
    s.add(_cloud(s, 5, 24, 1.2, "#b9c3cf", "#7b8797", "#d3dbe5"))
    for x, y in ((11, 29), (19, 31), (27, 29), (15, 36), (23, 37)):
        s.add(path(f"M{x},{y} q-1.6,2.6 0,3.4 q1.6,-0.8 0,-3.4 Z", BLUE_LIGHT))
    return s


def light_snow():
    s = Svg(40, 40)
    s.add(_cloud(s, 5, 24, 1.2, "#b9c3cf", "#7b8797", "#d3dbe5"))
    for cx, cy in ((11, 30.5), (20, 34.5), (29, 30.5)):
        flake = []
        for k in range(3):
            a = math.radians(k * 60)
            flake.append(line(cx - 3 * math.cos(a), cy - 3 * math.sin(a), cx + 3 * math.cos(a),
                              cy + 3 * math.sin(a), "#ffffff", 1.3))
        s.add(group(flake))
    return s


def pictures():
    return {
        "wsymbol_0001_sunny": sunny(),
        "wsymbol_0002_sunny_intervals": sunny_intervals(),
        "wsymbol_0003_white_cloud": white_cloud(),
        "wsymbol_0004_black_low_cloud": dark_cloud(),
        "wsymbol_0006_mist": mist(),
        "wsymbol_0017_cloudy_with_light_rain": light_rain(),
        "wsymbol_0019_cloudy_with_light_snow": light_snow(),
    }
