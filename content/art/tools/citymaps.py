"""Offline street maps of Vienna's districts, drawn from approximate real coordinates (latitude,
longitude) projected onto the picture, with real street names and landmarks as pictograms."""

import math

import metro
from svglib import BLUE, INK, Svg, circle, ellipse, fmt, group, line, path, poly, rect, text

PAPER = "#f6f3ec"
PARK = "#cfe3bf"
PARK_EDGE = "#b5d1a2"
WATER = "#a8d2ec"
SQUARE = "#ebe4d6"
STREET = "#ffffff"
STREET_EDGE = "#d7d0c2"
MAJOR = "#fde7ad"
MAJOR_EDGE = "#dfb866"
LABEL = "#4a5360"
BADGE = "#1b3352"


class View:
    """Projects latitude and longitude onto picture points around a centre, at `scale` points per metre."""

    def __init__(self, lat0, lon0, scale, width, height, rotate=0.0):
        self.lat0, self.lon0, self.scale = lat0, lon0, scale
        self.width, self.height = width, height
        self.rotate = math.radians(rotate)

    def xy(self, lat, lon):
        dx = (lon - self.lon0) * 111320 * math.cos(math.radians(self.lat0)) * self.scale
        dy = (self.lat0 - lat) * 110540 * self.scale
        c, s = math.cos(self.rotate), math.sin(self.rotate)
        return (self.width / 2 + dx * c - dy * s, self.height / 2 + dx * s + dy * c)

    def pts(self, coords):
        return [self.xy(*c) for c in coords]


def _d(points, closed=False):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return d + (" Z" if closed else "")


def soft_area(v, coords, fill, edge=None):
    """A closed area with rounded outline through the given points."""
    return path(metro.smooth(v.pts(coords + coords[:2]))[0:] + " Z", fill, stroke=edge,
                stroke_width=1.5 if edge else None)


def polygon_area(v, coords, fill, edge=None, width=1.5):
    return path(_d(v.pts(coords), closed=True), fill, stroke=edge, stroke_width=width if edge else None,
                stroke_linejoin="round")


def river(v, coords, width_m, colour=WATER):
    return path(metro.smooth(v.pts(coords)), "none", stroke=colour, stroke_width=width_m * v.scale,
                stroke_linecap="round", stroke_linejoin="round")


STREET_WIDTHS = {"major": (17, 13), "main": (12, 9), "street": (8.5, 6), "lane": (6, 4), "path": (3.5, 2)}


class Streets:
    """Streets are drawn in two passes (all casings, then all fills) so that crossings join cleanly."""

    def __init__(self, view):
        self.view = view
        self.items = []

    def add(self, kind, name, coords, label_at=None, smooth=False):
        self.items.append((kind, name, self.view.pts(coords), label_at, smooth))

    def draw(self, s):
        order = ["path", "lane", "street", "main", "major"]
        ordered = sorted(self.items, key=lambda item: order.index(item[0]))
        for kind, _, p, _, smooth in ordered:
            outer, _ = STREET_WIDTHS[kind]
            colour = MAJOR_EDGE if kind == "major" else STREET_EDGE
            dash = "1,4" if kind == "path" else None
            if kind != "path":
                s.add(path(metro.smooth(p) if smooth else _d(p), "none", stroke=colour, stroke_width=outer,
                           stroke_linecap="round", stroke_linejoin="round"))
            else:
                s.add(path(metro.smooth(p) if smooth else _d(p), "none", stroke="#b69f7a", stroke_width=2,
                           stroke_linecap="round", stroke_dasharray=dash))
        for kind, _, p, _, smooth in ordered:
            if kind == "path":
                continue
            _, inner = STREET_WIDTHS[kind]
            colour = MAJOR if kind == "major" else STREET
            s.add(path(metro.smooth(p) if smooth else _d(p), "none", stroke=colour, stroke_width=inner,
                       stroke_linecap="round", stroke_linejoin="round"))

    def labels(self, s, size=12):
        for kind, name, p, label_at, _ in self.items:
            if not name:
                continue
            s.add(street_label(p, name, size + (1 if kind == "major" else 0), label_at,
                               bold=kind in ("major", "main")))


def street_label(points, name, size, segment=None, bold=False):
    """The name along a street: on the given segment (or the longest), upright; `segment` may be an
    index or (index, fraction along it)."""
    t = 0.5
    if isinstance(segment, tuple):
        segment, t = segment
    if segment is None:
        lengths = [math.hypot(points[i + 1][0] - points[i][0], points[i + 1][1] - points[i][1])
                   for i in range(len(points) - 1)]
        segment = lengths.index(max(lengths))
    (x0, y0), (x1, y1) = points[segment], points[segment + 1]
    angle = math.degrees(math.atan2(y1 - y0, x1 - x0))
    if angle > 90:
        angle -= 180
    elif angle < -90:
        angle += 180
    cx, cy = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
    return text(0, size * 0.36, name, size=size, fill=LABEL, anchor="middle", weight="bold" if bold else None,
                transform=f"translate({fmt(cx)} {fmt(cy)}) rotate({fmt(angle)})")


# ---- pictograms --------------------------------------------------------------------------------

def glyph(kind, w="#ffffff"):
    """A white pictogram drawn around (0, 0), about 14 points across."""
    sw = 1.6
    if kind == "church":
        return group([path("M-4,7 V-1 L0,-8 L4,-1 V7 Z", "none", stroke=w, stroke_width=sw,
                           stroke_linejoin="round"), line(0, -1, 0, 4, w, sw)])
    if kind == "cathedral":
        return group([path("M-6,7 V0 L-3,-3 L-1.5,-9 L0,-3 V-1 H6 V7 Z", w),
                      path("M1,1 L3,-1 L5,1", "none", stroke=BADGE, stroke_width=1)])
    if kind == "palace":
        return group([path("M-3.5,-2.5 A3.5,3.5 0 0 1 3.5,-2.5 Z", w), rect(-7, -2, 14, 2, w),
                      *[rect(x - 0.7, 0.5, 1.4, 4.5, w) for x in (-5, -1.7, 1.7, 5)], rect(-7.5, 5.5, 15, 1.6, w)])
    if kind == "museum":
        return group([poly([(-7, -2), (0, -7), (7, -2)], w),
                      *[rect(x - 0.8, -0.5, 1.6, 5.5, w) for x in (-5, -1.7, 1.7, 5)], rect(-7.5, 5.5, 15, 1.6, w)])
    if kind == "theatre":
        return group([path("M-6,-5 H2 V0 A4,4 0 0 1 -6,0 Z", w),
                      path("M-1,-2 H7 V3 A4,4 0 0 1 -1,3 Z", "none", stroke=w, stroke_width=1.4)])
    if kind == "music":
        return group([ellipse(-3, 4.5, 2.6, 2, w), ellipse(4, 3, 2.6, 2, w),
                      path("M-0.5,4.5 V-6 L6.5,-7.5 V3", "none", stroke=w, stroke_width=1.6)])
    if kind == "park":
        return group([circle(0, -2.5, 5.5, w), line(0, 2, 0, 7.5, w, 2)])
    if kind == "ubahn":
        return group([rect(-7, -7, 14, 14, "#1d5096", rx=2.5, stroke=w, stroke_width=1),
                      path("M-3.2,-4 V0.8 A3.2,3.2 0 0 0 3.2,0.8 V-4", "none", stroke=w, stroke_width=2.2)])
    if kind == "cafe":
        return group([path("M-6,-2 H4 V1 A5,5 0 0 1 -6,1 Z", w),
                      path("M4,-1 A2.4,2.4 0 0 1 4,3.5", "none", stroke=w, stroke_width=1.4),
                      line(-7, 7, 5, 7, w, 1.4), path("M-3,-4 Q-1,-6 -3,-8 M0,-4 Q2,-6 0,-8", "none", stroke=w,
                                                       stroke_width=1)])
    if kind == "shop":
        return group([path("M-6,-3 H6 L7,7 H-7 Z", w),
                      path("M-3,-3 V-5 A3,3 0 0 1 3,-5 V-3", "none", stroke=w, stroke_width=1.4)])
    if kind == "monument":
        return group([path("M-1.5,5 L-1,-6 L0,-8 L1,-6 L1.5,5 Z", w), rect(-4, 5, 8, 2.5, w)])
    if kind == "wheel":
        return group([circle(0, -1, 6, "none", stroke=w, stroke_width=1.5),
                      line(-6, -1, 6, -1, w, 1), line(0, -7, 0, 5, w, 1), line(-4.2, -5.2, 4.2, 3.2, w, 1),
                      line(4.2, -5.2, -4.2, 3.2, w, 1), path("M-4,8 L0,-1 L4,8", "none", stroke=w, stroke_width=1.5)])
    if kind == "tower":
        return group([path("M-1,7 L-0.8,-3 L-3,-4 L-3,-6 L3,-6 L3,-4 L0.8,-3 L1,7 Z", w), line(0, -6, 0, -9, w, 1)])
    if kind == "stadium":
        return group([ellipse(0, 0, 7, 4.8, "none", stroke=w, stroke_width=1.8), ellipse(0, 0, 3.5, 2, w)])
    if kind == "zoo":
        return group([ellipse(0, 2.5, 3.8, 3.2, w), *[circle(x, y, 1.6, w) for x, y in
                                                      ((-4.5, -2), (-1.6, -5), (1.6, -5), (4.5, -2))]])
    if kind == "greenhouse":
        return group([path("M-7,6 V0 A7,7 0 0 1 7,0 V6 Z", "none", stroke=w, stroke_width=1.5),
                      line(0, -7, 0, 6, w, 1), line(-7, 1, 7, 1, w, 1)])
    if kind == "maze":
        return path("M-6,-6 H6 V6 H-3 V-3 H3 V3 H0", "none", stroke=w, stroke_width=1.5, stroke_linejoin="round")
    if kind == "fountain":
        return group([path("M-6,4 H6 L4.5,7 H-4.5 Z", w), path("M0,3 V-5 M0,-5 Q-5,-6 -5,1 M0,-5 Q5,-6 5,1",
                                                                 "none", stroke=w, stroke_width=1.3)])
    if kind == "gate":
        return path("M-6,7 V-4 H6 V7 H3 V0 A3,3 0 0 0 -3,0 V7 Z", w)
    if kind == "ruin":
        return group([rect(-7, -5, 2.4, 12, w), rect(-2, -1, 2.4, 8, w), rect(3, -6, 2.4, 13, w),
                      rect(-7, -6.5, 7, 1.8, w)])
    if kind == "gloriette":
        return group([rect(-7, -2, 14, 2, w), *[path(f"M{x},6 V1 A1.6,1.6 0 0 1 {x + 3.2},1 V6", "none", stroke=w,
                                                    stroke_width=1.2) for x in (-6.5, -1.6, 3.3)],
                      path("M-2,-2 L0,-5 L2,-2 Z", w)])
    if kind == "hotel":
        return group([rect(-7, 1, 14, 3, w), rect(-7, -5, 2, 12, w), rect(-4, -2, 4, 2.6, w)])
    if kind == "market":
        return group([path("M-7,-1 L-5,-6 H5 L7,-1 Z", w), rect(-6, 0, 12, 6, "none", stroke=w, stroke_width=1.4)])
    return circle(0, 0, 3, w)


def poi(s, x, y, kind, name, where="r", size=13, colour=BADGE):
    s.add(circle(x, y + 1.2, 12.5, "#000000", fill_opacity=0.18))
    s.add(circle(x, y, 12, colour, stroke="#ffffff", stroke_width=2))
    s.add(group([glyph(kind)], transform=f"translate({fmt(x)} {fmt(y)})"))
    if not name:
        return
    offsets = {"r": (17, 4.5, "start"), "l": (-17, 4.5, "end"), "a": (0, -18, "middle"), "b": (0, 28, "middle")}
    dx, dy, anchor = where if isinstance(where, tuple) else offsets[where]
    lines = name.split("\n")
    for i, part in enumerate(lines):
        s.add(text(x + dx, y + dy + i * (size + 2), part, size=size, fill=INK, anchor=anchor, weight="bold"))


def area_label(s, x, y, name, size=13, colour="#5b7a4b", italic=True, rotate=0):
    s.add(text(0, 0, name, size=size, fill=colour, anchor="middle", weight="bold",
               font_style="italic" if italic else None,
               transform=f"translate({fmt(x)} {fmt(y)}) rotate({fmt(rotate)})"))


def frame(s, title, subtitle, top=24):
    """Title card (top left, or lower when `top` says so), north arrow, and a quiet border."""
    s.add(rect(24, top, 380, 78, "#ffffff", rx=8, fill_opacity=0.92, stroke="#d9d2c4", stroke_width=1))
    s.add(rect(24, top, 6, 78, BLUE))
    s.add(text(44, top + 36, title, size=26, fill=INK, weight="bold"))
    s.add(text(44, top + 62, subtitle, size=13, fill="#66707c"))
    nx, ny = s.width - 54, 62
    s.add(circle(nx, ny, 26, "#ffffff", fill_opacity=0.92, stroke="#d9d2c4", stroke_width=1))
    s.add(poly([(nx, ny - 19), (nx + 7, ny + 5), (nx, ny), (nx - 7, ny + 5)], INK))
    s.add(text(nx, ny + 20, "N", size=11, fill=INK, anchor="middle", weight="bold"))
    s.add(rect(0.5, 0.5, s.width - 1, s.height - 1, "none", stroke="#cfc7b6", stroke_width=1))


def scale_bar(s, v, metres, label):
    length = metres * v.scale
    x, y = s.width - 40 - length, s.height - 36
    s.add(rect(x - 12, y - 24, length + 24, 40, "#ffffff", rx=6, fill_opacity=0.9))
    s.add(rect(x, y, length / 2, 5, INK), rect(x + length / 2, y, length / 2, 5, "#ffffff", stroke=INK,
                                                  stroke_width=1))
    s.add(text(x + length / 2, y - 7, label, size=11, fill=INK, anchor="middle"))


# ---- the old town and the Ring -----------------------------------------------------------------

RING = [
    ("Universitätsring", [(48.2108, 16.3594), (48.2147, 16.3622)]),
    ("Schottenring", [(48.2147, 16.3622), (48.2160, 16.3667), (48.2178, 16.3713)], 1),
    ("Franz-Josefs-Kai", [(48.2178, 16.3713), (48.2143, 16.3741), (48.2121, 16.3771), (48.2117, 16.3838)], 0),
    ("Stubenring", [(48.2117, 16.3838), (48.2077, 16.3797)]),
    ("Parkring", [(48.2077, 16.3797), (48.2040, 16.3773)]),
    ("Schubertring", [(48.2040, 16.3773), (48.2018, 16.3747)]),
    ("Kärntner Ring", [(48.2018, 16.3747), (48.2020, 16.3697)], (0, 0.62)),
    ("Opernring", [(48.2020, 16.3697), (48.2034, 16.3640)]),
    ("Burgring", [(48.2034, 16.3640), (48.2073, 16.3597)]),
    ("Dr.-Karl-Renner-Ring", [(48.2073, 16.3597), (48.2108, 16.3594)]),
]

OLD_TOWN_STREETS = [
    ("main", "Kärntner Straße", [(48.2025, 16.3699), (48.2045, 16.3705), (48.2068, 16.3713), (48.2083, 16.3722)]),
    ("main", "Graben", [(48.2086, 16.3717), (48.2088, 16.3700), (48.2090, 16.3688)]),
    ("main", "Kohlmarkt", [(48.2090, 16.3688), (48.2081, 16.3674)]),
    ("street", "Herrengasse", [(48.2081, 16.3674), (48.2098, 16.3663), (48.2114, 16.3656)]),
    ("street", "Schottengasse", [(48.2114, 16.3656), (48.2133, 16.3636), (48.2147, 16.3622)]),
    ("main", "Rotenturmstraße", [(48.2087, 16.3731), (48.2101, 16.3749), (48.2121, 16.3771)]),
    ("street", "Wollzeile", [(48.2085, 16.3737), (48.2082, 16.3766), (48.2077, 16.3797)]),
    ("street", "Singerstraße", [(48.2079, 16.3725), (48.2072, 16.3750), (48.2064, 16.3774)]),
    ("lane", "Tuchlauben", [(48.2089, 16.3703), (48.2102, 16.3708), (48.2110, 16.3714)]),
    ("street", "Wipplingerstraße", [(48.2110, 16.3740), (48.2112, 16.3713), (48.2127, 16.3681), (48.2152, 16.3655)]),
    ("street", "Augustinerstraße", [(48.2076, 16.3683), (48.2048, 16.3688)]),
    ("street", "Himmelpfortgasse", [(48.2060, 16.3712), (48.2055, 16.3760)], (0, 0.8)),
    ("street", "Johannesgasse", [(48.2052, 16.3709), (48.2040, 16.3773)]),
    ("street", "Fleischmarkt", [(48.2112, 16.3758), (48.2109, 16.3793)]),
    ("lane", "Postgasse", [(48.2110, 16.3790), (48.2083, 16.3783)]),
    ("lane", "Seilerstätte", [(48.2064, 16.3738), (48.2029, 16.3742)]),
    ("lane", "Bognergasse", [(48.2091, 16.3690), (48.2103, 16.3682)]),
    ("lane", "Naglergasse", [(48.2092, 16.3688), (48.2104, 16.3672)]),
    ("street", "Bankgasse", [(48.2101, 16.3660), (48.2094, 16.3611)]),
    ("lane", None, [(48.2110, 16.3740), (48.2120, 16.3745)]),
    ("lane", "Dorotheergasse", [(48.2085, 16.3700), (48.2060, 16.3697)]),
    ("lane", "Spiegelgasse", [(48.2086, 16.3708), (48.2057, 16.3705)]),
    ("street", "Mölker Bastei", [(48.2133, 16.3636), (48.2122, 16.3614)]),
    ("lane", "Schulerstraße", [(48.2084, 16.3733), (48.2079, 16.3765)]),
    ("lane", "Riemergasse", [(48.2082, 16.3770), (48.2067, 16.3775)]),
]

SQUARES = {
    "Stephansplatz": [(48.2091, 16.3719), (48.2090, 16.3742), (48.2079, 16.3742), (48.2080, 16.3719)],
    "Heldenplatz": [(48.2077, 16.3627), (48.2063, 16.3660), (48.2049, 16.3648), (48.2061, 16.3615)],
    "Am Hof": [(48.2111, 16.3676), (48.2109, 16.3688), (48.2101, 16.3685), (48.2103, 16.3674)],
    "Freyung": [(48.2120, 16.3646), (48.2116, 16.3660), (48.2109, 16.3656), (48.2112, 16.3645)],
    "Hoher Markt": [(48.2114, 16.3730), (48.2113, 16.3742), (48.2107, 16.3741), (48.2108, 16.3730)],
    "Neuer Markt": [(48.2065, 16.3700), (48.2064, 16.3710), (48.2054, 16.3709), (48.2055, 16.3700)],
    "Michaelerplatz": [(48.2084, 16.3669), (48.2084, 16.3678), (48.2078, 16.3679), (48.2077, 16.3670)],
    "Josefsplatz": [(48.2075, 16.3676), (48.2073, 16.3686), (48.2066, 16.3684), (48.2068, 16.3674)],
    "Albertinaplatz": [(48.2047, 16.3683), (48.2046, 16.3697), (48.2038, 16.3696), (48.2039, 16.3684)],
    "Schwedenplatz": [(48.2125, 16.3760), (48.2122, 16.3785), (48.2116, 16.3783), (48.2119, 16.3760)],
}

PARKS = {
    "Volksgarten": [(48.2096, 16.3611), (48.2078, 16.3600), (48.2068, 16.3626), (48.2086, 16.3643)],
    "Burggarten": [(48.2054, 16.3654), (48.2046, 16.3679), (48.2034, 16.3666), (48.2041, 16.3641)],
    "Stadtpark": [(48.2075, 16.3803), (48.2060, 16.3830), (48.2012, 16.3790), (48.2022, 16.3762)],
    "Rathauspark": [(48.2122, 16.3579), (48.2118, 16.3590), (48.2098, 16.3588), (48.2101, 16.3576)],
}

HOFBURG = [(48.2082, 16.3672), (48.2064, 16.3690), (48.2055, 16.3680), (48.2050, 16.3660), (48.2058, 16.3642),
           (48.2066, 16.3648), (48.2060, 16.3662), (48.2066, 16.3672), (48.2076, 16.3662)]

CANAL = [(48.2205, 16.3690), (48.2186, 16.3712), (48.2152, 16.3751), (48.2131, 16.3782), (48.2127, 16.3840),
         (48.2108, 16.3885), (48.2080, 16.3930)]
WIEN_RIVER = [(48.1985, 16.3755), (48.2015, 16.3778), (48.2045, 16.3800), (48.2080, 16.3820), (48.2119, 16.3852)]


def _old_town_base(s, v, inner_detail):
    s.add(rect(0, 0, s.width, s.height, PAPER))
    ring = [c for _, coords, *_ in RING for c in coords]
    s.add(polygon_area(v, ring, "#eee6d5"))
    for name, coords in PARKS.items():
        s.add(polygon_area(v, coords, PARK, PARK_EDGE))
    s.add(river(v, CANAL, 58))
    s.add(river(v, WIEN_RIVER, 22))
    for name, coords in SQUARES.items():
        if inner_detail or name in ("Stephansplatz", "Heldenplatz", "Schwedenplatz"):
            s.add(polygon_area(v, coords, SQUARE, "#d9cfbb", 1))
    s.add(polygon_area(v, HOFBURG, "#e3d7bd", "#c8b48c", 1.5))
    streets = Streets(v)
    for kind, name, coords, *where in OLD_TOWN_STREETS:
        if inner_detail or kind in ("main", "street"):
            streets.add(kind, name, coords, where[0] if where else None)
    for name, coords, *where in RING:
        streets.add("major", name, coords, where[0] if where else None)
    # Streets just outside the Ring.
    outer = [
        ("main", "Operngasse", [(48.2020, 16.3697), (48.1995, 16.3668)]),
        ("main", "Kärntner Straße", [(48.2020, 16.3700), (48.1990, 16.3705)]),
        ("street", "Schwarzenbergplatz", [(48.2018, 16.3747), (48.1990, 16.3760)]),
        ("street", "Babenbergerstraße", [(48.2034, 16.3640), (48.2005, 16.3600)]),
        ("street", "Museumstraße", [(48.2073, 16.3597), (48.2050, 16.3570)]),
        ("street", "Landesgerichtsstraße", [(48.2108, 16.3594), (48.2150, 16.3560)]),
        ("street", "Währinger Straße", [(48.2147, 16.3622), (48.2180, 16.3590)]),
        ("street", "Maria-Theresien-Straße", [(48.2160, 16.3667), (48.2185, 16.3640)]),
        ("street", "Landstraßer Hauptstraße", [(48.2077, 16.3797), (48.2040, 16.3870)]),
        ("main", "Praterstraße", [(48.2140, 16.3790), (48.2175, 16.3860)]),
        ("street", "Lothringerstraße", [(48.2018, 16.3747), (48.2005, 16.3700)]),
        ("street", "Rossauer Lände", [(48.2178, 16.3713), (48.2215, 16.3660)]),
    ]
    for kind, name, coords in outer:
        streets.add(kind, name, coords)
    streets.add("main", None, [(48.2121, 16.3771), (48.2140, 16.3790)])  # Schwedenbrücke
    streets.add("main", None, [(48.2117, 16.3838), (48.2132, 16.3862)])  # Aspernbrücke
    streets.add("street", None, [(48.2143, 16.3741), (48.2160, 16.3770)])  # Salztorbrücke
    streets.draw(s)
    return streets


def _old_town_landmarks(s, v, pois):
    for lat, lon, kind, name, where in pois:
        x, y = v.xy(lat, lon)
        poi(s, x, y, kind, name, where)


INNER_VIEW = (48.2099, 16.3716, 0.44)
RING_VIEW = (48.2080, 16.3712, 0.33)


def map_innere_stadt():
    s = Svg(1200, 900)
    v = View(*INNER_VIEW, 1200, 900)
    streets = _old_town_base(s, v, True)
    for name, coords in PARKS.items():
        x, y = v.xy(sum(c[0] for c in coords) / 4, sum(c[1] for c in coords) / 4)
        area_label(s, x, y + 4, name)
    area_label(s, *v.xy(48.2165, 16.3768), "Donaukanal", 15, "#3d7fab", rotate=-38)
    streets.labels(s, 12)
    for name in ("Heldenplatz", "Am Hof", "Freyung", "Michaelerplatz", "Albertinaplatz"):
        coords = SQUARES[name]
        x, y = v.xy(sum(c[0] for c in coords) / 4, sum(c[1] for c in coords) / 4)
        if name:
            s.add(text(x, y + 4, name, size=10.5, fill="#8a7650", anchor="middle", font_style="italic",
                       weight="bold"))
    _old_town_landmarks(s, v, [
        (48.2085, 16.3731, "cathedral", "Stephansdom", (0, -18, "middle")),
        (48.2093, 16.3697, "church", "Peterskirche", (0, -18, "middle")),
        (48.2066, 16.3660, "palace", "Hofburg", (0, 30, "middle")),
        (48.2074, 16.3671, "theatre", "Spanish Riding\nSchool", "l"),
        (48.2046, 16.3683, "museum", "Albertina", "l"),
        (48.2030, 16.3690, "music", "Staatsoper", "l"),
        (48.2039, 16.3700, "hotel", "Hotel Sacher", "r"),
        (48.2058, 16.3703, "church", "Kapuzinergruft", "r"),
        (48.2037, 16.3737, "music", "Haus der Musik", "r"),
        (48.2078, 16.3755, "music", "Mozarthaus", "r"),
        (48.2112, 16.3737, "monument", "Ankeruhr", "l"),
        (48.2117, 16.3748, "church", "Ruprechtskirche", "a"),
        (48.2120, 16.3779, "ubahn", "Schwedenplatz", "r"),
        (48.2104, 16.3655, "cafe", "Café Central", "l"),
        (48.2117, 16.3696, "monument", "Judenplatz", "a"),
        (48.2095, 16.3645, "church", "Minoritenkirche", "l"),
        (48.2106, 16.3612, "theatre", "Burgtheater", "l"),
    ])
    frame(s, "Innere Stadt", "Vienna's old town inside the Ring \u00b7 1st district")
    scale_bar(s, v, 200, "200 m")
    return s


def map_ringstrasse():
    s = Svg(1200, 900)
    v = View(*RING_VIEW, 1200, 900)
    streets = _old_town_base(s, v, False)
    for name, coords in PARKS.items():
        x, y = v.xy(sum(c[0] for c in coords) / 4, sum(c[1] for c in coords) / 4)
        if name in ("Volksgarten", "Burggarten", "Stadtpark"):
            area_label(s, x, y + 4, name, 12)
    # Outer squares and buildings of the Ring.
    s.add(polygon_area(v, [(48.2052, 16.3608), (48.2043, 16.3624), (48.2035, 16.3613), (48.2044, 16.3597)],
                       SQUARE, "#d9cfbb", 1))
    s.add(polygon_area(v, [(48.1992, 16.3700), (48.1990, 16.3740), (48.1975, 16.3735), (48.1978, 16.3695)],
                       SQUARE, "#d9cfbb", 1))
    area_label(s, *v.xy(48.2160, 16.3800), "Donaukanal", 14, "#3d7fab", rotate=-34)
    area_label(s, *v.xy(48.2035, 16.3808), "Wienfluss", 11, "#3d7fab", rotate=55)
    streets.labels(s, 11)
    pois = [
        (48.2031, 16.3690, "music", "Staatsoper", "a"),
        (48.2063, 16.3640, "palace", "Heldenplatz\n& Hofburg", "r"),
        (48.2081, 16.3584, "museum", "Parliament", "l"),
        (48.2109, 16.3571, "church", "Rathaus", "l"),
        (48.2103, 16.3613, "theatre", "Burgtheater", "r"),
        (48.2131, 16.3600, "museum", "University", "l"),
        (48.2156, 16.3588, "church", "Votivkirche", "l"),
        (48.2165, 16.3660, "museum", "Börse", "a"),
        (48.2116, 16.3845, "tower", "Urania", "r"),
        (48.2074, 16.3818, "museum", "MAK", "r"),
        (48.2099, 16.3805, "museum", "Postsparkasse", "r"),
        (48.2038, 16.3617, "museum", "Kunsthistorisches\nMuseum", (0, 28, "middle")),
        (48.2054, 16.3599, "museum", "Naturhistorisches\nMuseum", "l"),
        (48.2035, 16.3580, "museum", "MuseumsQuartier", "l"),
        (48.2006, 16.3727, "music", "Musikverein", "b"),
        (48.1982, 16.3718, "church", "Karlskirche", "b"),
        (48.2011, 16.3775, "music", "Konzerthaus", "r"),
        (48.2085, 16.3731, "cathedral", "Stephansdom", "a"),
    ]
    _old_town_landmarks(s, v, pois)
    frame(s, "Ringstraße", "The boulevard around the old town and its buildings")
    scale_bar(s, v, 500, "500 m")
    return s


# ---- Schönbrunn ---------------------------------------------------------------------------------

# The park is laid out along one axis from the palace south-south-west to the Gloriette; places are
# given in metres along that axis (a) and across it towards the east (c).
PALACE = (48.18486, 16.31225)
AXIS = (-0.950, -0.314)      # north, east components of the axis direction
ACROSS_AXIS = (-0.314, 0.950)


def sb(a, c):
    north = a * AXIS[0] + c * ACROSS_AXIS[0]
    east = a * AXIS[1] + c * ACROSS_AXIS[1]
    return (PALACE[0] + north / 110540, PALACE[1] + east / (111320 * math.cos(math.radians(PALACE[0]))))


def sb_box(a0, a1, c0, c1):
    return [sb(a0, c0), sb(a0, c1), sb(a1, c1), sb(a1, c0)]


SCHOENBRUNN_VIEW = (*sb(330, -90), 0.48)


def map_schoenbrunn():
    s = Svg(1200, 900)
    v = View(*SCHOENBRUNN_VIEW, 1200, 900)
    s.add(rect(0, 0, 1200, 900, PAPER))
    s.add(river(v, [sb(-300, -1300), sb(-285, -400), sb(-270, 400), sb(-255, 1300)], 30))
    s.add(polygon_area(v, [sb(-150, -800), sb(-150, 760), sb(420, 790), sb(900, 720), sb(930, -420),
                           sb(700, -820)], PARK, PARK_EDGE, 2))
    s.add(soft_area(v, [sb(600, -520), sb(580, 0), sb(600, 520), sb(850, 560), sb(880, 0), sb(840, -480)],
                    "#b7d6a3"))
    s.add(polygon_area(v, sb_box(40, 470, -700, -260), "#dcd6a8", "#c2b97c", 1.5))
    s.add(polygon_area(v, sb_box(-110, -15, -65, 65), SQUARE, "#d9cfbb", 1))
    s.add(polygon_area(v, sb_box(-20, 110, -260, -120), "#c3dcb0", PARK_EDGE, 1))
    for a in (90, 190, 290, 390):
        for c in (-45, 45):
            s.add(polygon_area(v, sb_box(a - 38, a + 38, c - 27, c + 27), "#e7c6b3", "#c99e84", 1))
    st = Streets(v)
    st.add("main", "Schönbrunner Schloßstraße", [sb(-200, -900), sb(-195, 0), sb(-190, 820)], (1, 0.55))
    st.add("main", "Grünbergstraße", [sb(-190, 820), sb(400, 830), sb(900, 780)], (1, 0.55))
    st.add("street", "Maxingstraße", [sb(-200, -900), sb(300, -880), sb(950, -820)], (1, 0.4))
    st.add("street", "Hietzinger Hauptstraße", [sb(-200, -900), sb(-230, -1300)])
    for coords in ([sb(20, -780), sb(20, 740)], [sb(520, -40), sb(20, -500)], [sb(520, 40), sb(20, 500)],
                   [sb(20, 0), sb(500, 0)], [sb(540, 50), sb(620, 540)], [sb(540, -50), sb(620, -540)],
                   [sb(540, 0), sb(590, -150), sb(650, 150), sb(710, -150), sb(770, 0)],
                   [sb(-15, 0), sb(-190, 0)]):
        st.add("path", None, coords)
    st.draw(s)
    s.add(polygon_area(v, sb_box(505, 535, -50, 50), WATER, "#7fb8da", 1))
    for part in (sb_box(-15, 15, -90, 90), sb_box(-110, -15, -90, -65), sb_box(-110, -15, 65, 90)):
        s.add(polygon_area(v, part, "#f1c95a", "#b98d20", 2))
    s.add(polygon_area(v, sb_box(772, 790, -50, 50), "#f4efe2", "#9a8b6a", 1.5))
    s.add(polygon_area(v, sb_box(745, 760, -30, 30), WATER))
    st.labels(s, 12)
    area_label(s, *v.xy(*sb(860, 260)), "Gloriette hill", 13)
    area_label(s, *v.xy(*sb(-285, 700)), "Wienfluss", 12, "#3d7fab", rotate=-18)
    pois = [
        (sb(0, 0), "palace", "Schönbrunn Palace", "r"),
        (sb(240, 0), "park", "Great Parterre", (0, 30, "middle")),
        (sb(520, 0), "fountain", "Neptune Fountain", (18, 18, "start")),
        (sb(781, 0), "gloriette", "Gloriette", (0, -19, "middle")),
        (sb(440, 330), "ruin", "Roman Ruin", "r"),
        (sb(640, 560), "monument", "Obelisk Fountain", "r"),
        (sb(160, 330), "maze", "Maze & Labyrinth", "r"),
        (sb(250, -480), "zoo", "Tiergarten (Zoo)", "b"),
        (sb(-40, -560), "greenhouse", "Palm House", "r"),
        (sb(-150, -760), "gate", "Hietzing Gate", "l"),
        (sb(-240, -870), "ubahn", "Hietzing", "l"),
        (sb(-240, 640), "ubahn", "Schönbrunn", "r"),
        (sb(-160, 0), "gate", "Main Gate", (0, -18, "middle")),
        (sb(160, 770), "gate", "Meidling Gate", "r"),
        (sb(50, -190), "park", "Privy Garden", "l"),
    ]
    for (lat, lon), kind, name, where in pois:
        x, y = v.xy(lat, lon)
        poi(s, x, y, kind, name, where)
    frame(s, "Schönbrunn", "Palace, park and Gloriette \u00b7 13th district", top=798)
    scale_bar(s, v, 200, "200 m")
    return s


# ---- Prater and the Danube ----------------------------------------------------------------------

PRATER_VIEW = (48.2178, 16.4185, 0.15)
DANUBE_CENTRE = [(48.2580, 16.3700), (48.2420, 16.3930), (48.2276, 16.4107), (48.2130, 16.4330),
                 (48.2000, 16.4530), (48.1860, 16.4740)]
# Across the Danube towards north-east (the direction of the Reichsbrücke), per 100 metres.
ACROSS = (0.00063, 0.00097)


def _shifted(coords, metres):
    k = metres / 100
    return [(lat + ACROSS[0] * k, lon + ACROSS[1] * k) for lat, lon in coords]


def map_prater_donau():
    s = Svg(1200, 900)
    v = View(*PRATER_VIEW, 1200, 900)
    s.add(rect(0, 0, 1200, 900, PAPER))
    prater = [(48.2182, 16.3952), (48.2148, 16.4100), (48.2112, 16.4270), (48.2045, 16.4395), (48.1965, 16.4515),
              (48.1885, 16.4600), (48.1895, 16.4420), (48.1960, 16.4250), (48.2050, 16.4080), (48.2125, 16.3975)]
    s.add(polygon_area(v, prater, PARK, PARK_EDGE, 2))
    s.add(polygon_area(v, [(48.2452, 16.4040), (48.2440, 16.4160), (48.2382, 16.4170), (48.2378, 16.4100)],
                       PARK, PARK_EDGE, 2))
    # The Danube, the island and the New Danube beside it, the Old Danube lake and the canal.
    s.add(river(v, DANUBE_CENTRE, 300))
    s.add(river(v, _shifted(DANUBE_CENTRE, 320), 200, "#c9e3b4"))
    s.add(river(v, _shifted(DANUBE_CENTRE, 520), 200))
    s.add(river(v, [(48.2272, 16.4330), (48.2330, 16.4262), (48.2400, 16.4250), (48.2470, 16.4295),
                    (48.2530, 16.4385), (48.2570, 16.4490)], 180))
    s.add(river(v, [(48.2230, 16.3640), (48.2125, 16.3800), (48.2090, 16.3900), (48.2040, 16.4020),
                    (48.1970, 16.4170), (48.1905, 16.4350), (48.1862, 16.4550), (48.1850, 16.4700)], 55))
    st = Streets(v)
    st.add("main", "Prater Hauptallee", [(48.2177, 16.3962), (48.1958, 16.4437)], (0, 0.76))
    st.add("major", "Lassallestraße", [(48.2185, 16.3935), (48.2265, 16.4090)])
    st.add("major", "Reichsbrücke", [(48.2265, 16.4090), (48.2322, 16.4178)], (0, 0.3))
    st.add("major", "Wagramer Straße", [(48.2322, 16.4178), (48.2430, 16.4335)], (0, 0.85))
    st.add("main", "Handelskai", _shifted(DANUBE_CENTRE[:5], -200), (2, 0.6), smooth=True)
    st.add("main", "Praterstraße", [(48.2128, 16.3790), (48.2185, 16.3935)], (0, 0.3))
    st.add("main", "Ausstellungsstraße", [(48.2185, 16.3935), (48.2148, 16.4050), (48.2100, 16.4135)])
    st.add("street", "Stadionallee", [(48.2145, 16.4085), (48.2040, 16.4240)])
    st.add("street", "Engerthstraße", [(48.2300, 16.3930), (48.2150, 16.4170)], (0, 0.72))
    st.add("main", "Schüttelstraße", [(48.2140, 16.3840), (48.2030, 16.4060)])
    st.add("main", "Praterbrücke", [(48.2050, 16.4395), (48.2120, 16.4500)])
    st.add("main", "Nordbahnstraße", [(48.2185, 16.3935), (48.2320, 16.3860)])
    st.add("street", "Erdberger Lände", [(48.2040, 16.3990), (48.1950, 16.4180)])
    st.draw(s)
    st.labels(s, 12)
    area_label(s, *v.xy(48.2330, 16.4040), "Donau", 22, "#3d7fab", rotate=-41)
    area_label(s, *v.xy(48.2150, 16.4470), "Neue Donau", 14, "#3d7fab", rotate=-46)
    area_label(s, *v.xy(48.2180, 16.4380), "Donauinsel", 14, "#4f7d3c", rotate=-46)
    area_label(s, *v.xy(48.2292, 16.4352), "Alte Donau", 14, "#3d7fab", rotate=48)
    area_label(s, *v.xy(48.1925, 16.4300), "Donaukanal", 12, "#3d7fab", rotate=-22)
    area_label(s, *v.xy(48.2020, 16.4180), "Prater", 26, "#4f7d3c", rotate=-45)
    pois = [
        (48.2166, 16.3960, "wheel", "Riesenrad", "l"),
        (48.2150, 16.3996, "market", "Wurstelprater", "r"),
        (48.1958, 16.4437, "hotel", "Lusthaus", "b"),
        (48.2073, 16.4204, "stadium", "Ernst-Happel-\nStadion", "r"),
        (48.2404, 16.4100, "tower", "Donauturm", "l"),
        (48.2355, 16.4160, "museum", "UNO-City", "l"),
        (48.2186, 16.3926, "ubahn", "Praterstern", "l"),
        (48.2130, 16.4098, "ubahn", "Messe-Prater", "r"),
        (48.2295, 16.4135, "ubahn", "Donauinsel", "r"),
        (48.2330, 16.4205, "ubahn", "Kaisermühlen-VIC", (16, 14, "start")),
        (48.2383, 16.4248, "ubahn", "Alte Donau", "r"),
        (48.2111, 16.4160, "park", "Krieau", "l"),
        (48.2073, 16.3945, "museum", "Hundertwasserhaus", "l"),
    ]
    for lat, lon, kind, name, where in pois:
        x, y = v.xy(lat, lon)
        poi(s, x, y, kind, name, where)
    frame(s, "Prater & Donau", "The Prater, the Danube and Donauinsel \u00b7 2nd & 22nd district")
    scale_bar(s, v, 1000, "1 km")
    return s


# ---- thumbnails ---------------------------------------------------------------------------------

def thumbnail(full, cx, cy, zoom, badge_kind):
    """A 90 x 90 detail of a full map, centred on (cx, cy) of the full picture."""
    s = Svg(90, 90)
    s.defs.extend(full.defs)
    s.add(rect(0, 0, 90, 90, PAPER))
    # Names would be too small to read here: keep the drawing, leave the text out.
    drawing = [e for e in full.body if not e.startswith("<text")]
    s.add(group(drawing, transform=f"translate(45 45) scale({fmt(zoom)}) translate({fmt(-cx)} {fmt(-cy)})"))
    s.add(rect(0.5, 0.5, 89, 89, "none", stroke="#c8bfae", stroke_width=1))
    s.add(circle(76, 76, 10.5, BADGE, stroke="#ffffff", stroke_width=1.5))
    s.add(group([glyph(badge_kind)], transform="translate(76 76) scale(0.85)"))
    return s


def pictures():
    inner = map_innere_stadt()
    ring = map_ringstrasse()
    schoenbrunn = map_schoenbrunn()
    prater = map_prater_donau()
    xi, yi = View(*INNER_VIEW, 1200, 900).xy(48.2085, 16.3722)
    xr, yr = View(*RING_VIEW, 1200, 900).xy(48.2092, 16.3716)
    xs, ys = View(*SCHOENBRUNN_VIEW, 1200, 900).xy(*sb(330, 0))
    xp, yp = View(*PRATER_VIEW, 1200, 900).xy(48.2150, 16.4010)
    return {
        "MapInnereStadt": inner,
        "MapRingstrasse": ring,
        "MapSchoenbrunn": schoenbrunn,
        "MapPraterDonau": prater,
        "MapInnereStadtThumb": thumbnail(inner, xi, yi, 0.22, "cathedral"),
        "MapRingstrasseThumb": thumbnail(ring, xr, yr, 0.105, "palace"),
        "MapSchoenbrunnThumb": thumbnail(schoenbrunn, xs, ys, 0.16, "gloriette"),
        "MapPraterDonauThumb": thumbnail(prater, xp, yp, 0.2, "wheel"),
    }


