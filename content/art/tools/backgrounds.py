"""Full-screen pictures: start-up picture, window and page backgrounds, chapter backgrounds and the
sponsored placement posters. All are dark and calm so that white text reads on them; detail sits
low and faint."""

import math

import city
from svglib import (BLUE, BLUE_LIGHT, MIST, NAVY_DEEP, WARM, WARM_DARK, WARM_LIGHT, WHITE, Rng, Svg, circle,
                    ellipse, fmt, group, line, path, poly, rect, star_points, stroked, text)


def _sky(s, top, mid, bottom, mid_at=0.55):
    s.add(rect(0, 0, s.width, s.height, s.lin([(0, top), (mid_at, mid), (1, bottom)], 0, 0, 0, s.height)))


def _vignette(s, strength=0.55):
    cx, cy = s.width / 2, s.height * 0.42
    s.add(rect(0, 0, s.width, s.height,
               s.rad([(0, "#000000", 0), (0.65, "#000000", 0), (1, "#000000", strength)], cx, cy,
                     s.height * 0.75)))


def _skyline(s, base, rng, far, near, lights=True, landmarks=True):
    """Vienna's skyline: far rooftops, the landmarks, near rooftops with a few lit windows."""
    s.add(city.houses(rng, -10, 330, base - 18, 10, 30, far))
    if landmarks:
        s.add(city.riesenrad(262, base - 78, 38, far, far, 1.4))
        s.add(city.karlskirche(62, base - 10, 0.75, far))
        s.add(city.stephansdom(150, base - 6, 1.0, near))
    s.add(city.houses(rng, -10, 330, base, 22, 46, near))
    s.add(rect(0, base, s.width, s.height - base, near))
    if lights:
        s.add(city.lit_windows(rng, 0, 320, base - 40, base - 6, WARM_LIGHT, 26, opacity=(0.15, 0.55)))


def _base_page(height, seed, skyline=True):
    s = Svg(320, height)
    _sky(s, "#28496d", "#173150", "#0b1626", 0.6)
    s.add(rect(0, 0, 320, height, s.rad([(0, BLUE, 0.22), (1, BLUE, 0)], 160, height * 0.78, 240)))
    rng = Rng(seed)
    s.add(city.stars(rng, 28, 0, 0, 320, height * 0.45))
    if skyline:
        _skyline(s, height - 34, rng, "#14263d", "#0b1524")
    return s


# ---- window, start-up, fixed page backgrounds --------------------------------------------------

def background():
    return _base_page(480, 11)


def bck_black():
    s = Svg(320, 480)
    s.add(rect(0, 0, 320, 480, s.vgrad("#10151c", "#040608")))
    s.add(rect(0, 0, 320, 480, s.rad([(0, "#ffffff", 0.05), (1, "#ffffff", 0)], 160, 200, 260)))
    return s


def default_picture():
    s = Svg(320, 480)
    _sky(s, "#143055", "#2c5580", "#e0955a", 0.62)
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM_LIGHT, 0.55), (1, WARM_LIGHT, 0)], 160, 400, 220)))
    rng = Rng(7)
    s.add(city.stars(rng, 40, 0, 0, 320, 200))
    s.add(circle(160, 402, 34, s.rad([(0, "#fff1c8"), (1, WARM, 0.0)], 160, 402, 34)))
    base = 420
    s.add(city.houses(rng, -10, 330, base - 16, 14, 34, "#32496a", fill_opacity=0.9))
    s.add(city.riesenrad(262, base - 86, 42, "#1d2c44", "#1d2c44", 1.6))
    s.add(city.karlskirche(56, base - 6, 0.85, "#1d2c44"))
    s.add(city.stephansdom(150, base, 1.25, "#0f1a2b"))
    s.add(city.roof_zigzag(150, base, 1.25, WARM, 0.25))
    s.add(city.houses(rng, -10, 330, base + 6, 18, 40, "#0f1a2b"))
    s.add(rect(0, base + 6, 320, 60, "#0b1422"))
    s.add(city.lit_windows(rng, 0, 320, base - 30, base + 2, WARM_LIGHT, 30, opacity=(0.3, 0.8)))
    # Title.
    s.add(text(160, 118, "Vienna", size=54, fill=WHITE, anchor="middle", weight="bold"))
    s.add(rect(96, 132, 128, 2, WARM))
    s.add(text(160, 156, "CITY GUIDE", size=15, fill=BLUE_LIGHT, anchor="middle", weight="bold"))
    s.add(text(160, 178, "Wien \u00b7 offline edition", size=12, fill=WHITE, anchor="middle",
               fill_opacity=0.75))
    s.add(rect(130, 448, 60, 20, "#000000", rx=6, fill_opacity=0.35))
    s.add(text(160, 462.5, "SBK", size=12, fill=WARM_LIGHT, anchor="middle", weight="bold"))
    return s


def chapter_page_background():
    return _base_page(416, 21)


def bookmark_page_background():
    s = _base_page(416, 31, skyline=False)
    for i, (x, y, k) in enumerate(((250, 70, 1.6), (40, 250, 1.1), (270, 300, 0.8))):
        s.add(path(f"M{x},{y} h{24 * k} v{56 * k} l{-12 * k},{-12 * k} l{-12 * k},{12 * k} Z", WHITE,
                   fill_opacity=0.04 + 0.01 * i))
    _skyline(s, 382, Rng(32), "#14263d", "#0b1524", lights=False)
    return s


def _map_pattern(s, rng, opacity):
    """A faint street plan: the Ring, radial roads, a river."""
    cx, cy = 160, s.height * 0.42
    ring = []
    for i in range(11):
        a = math.radians(i * 36 + rng.uniform(-6, 6))
        r = 72 + rng.uniform(-10, 10)
        ring.append((cx + r * math.cos(a), cy + r * 0.8 * math.sin(a)))
    parts = [poly(ring[:10], "none", stroke=BLUE_LIGHT, stroke_width=5, stroke_opacity=opacity * 1.2,
                  stroke_linejoin="round")]
    for i in range(12):
        a = math.radians(i * 30 + 8)
        parts.append(line(cx + 80 * math.cos(a), cy + 64 * math.sin(a), cx + 420 * math.cos(a),
                          cy + 340 * math.sin(a), WHITE, 2, stroke_opacity=opacity))
    for r in (150, 230):
        parts.append(ellipse(cx, cy, r, r * 0.82, "none", stroke=WHITE, stroke_width=2.5,
                             stroke_opacity=opacity))
    for _ in range(40):
        x, y = rng.uniform(0, 320), rng.uniform(0, s.height)
        a = math.radians(rng.uniform(0, 180))
        length = rng.uniform(20, 60)
        parts.append(line(x, y, x + length * math.cos(a), y + length * math.sin(a), WHITE, 1,
                          stroke_opacity=opacity * 0.7))
    parts.append(path(f"M{fmt(cx + 40)},-10 C{fmt(cx + 60)},{fmt(cy - 90)} {fmt(cx + 110)},{fmt(cy - 30)} "
                      f"{fmt(cx + 130)},{fmt(cy + 40)} S{fmt(cx + 200)},{fmt(cy + 200)} 340,{fmt(s.height * 0.9)}",
                      "none", stroke=BLUE, stroke_width=12, stroke_opacity=opacity * 1.5))
    return group(parts)


def search_background(height, seed):
    s = Svg(320, height)
    _sky(s, "#1c3b5f", "#122a46", "#08111e", 0.5)
    s.add(_map_pattern(s, Rng(seed), 0.07))
    s.add(rect(0, 0, 320, height, s.rad([(0, BLUE, 0.16), (1, BLUE, 0)], 160, height * 0.35, 220)))
    _vignette(s, 0.5)
    return s


def currency_page_background():
    s = _base_page(416, 41, skyline=False)
    rng = Rng(42)
    for _ in range(9):
        x, y, r = rng.uniform(10, 310), rng.uniform(20, 380), rng.uniform(14, 40)
        s.add(circle(round(x), round(y), round(r), "none", stroke=WARM, stroke_width=2,
                     stroke_opacity=0.08))
        s.add(circle(round(x), round(y), round(r * 0.8), "none", stroke=WARM, stroke_width=1,
                     stroke_opacity=0.06))
    s.add(text(250, 330, "\u20ac", size=180, fill=WHITE, anchor="middle", weight="bold", fill_opacity=0.04))
    return s


def _soft_cloud(s, cx, cy, w, colour, opacity):
    parts = []
    for dx, dy, r in ((-0.3, 0.05, 0.22), (0, -0.08, 0.3), (0.3, 0.04, 0.24), (0.12, 0.1, 0.2),
                      (-0.12, 0.1, 0.2)):
        parts.append(ellipse(cx + dx * w, cy + dy * w, r * w, r * w * 0.7, colour))
    return group(parts, opacity=opacity)


def weather_page_background():
    s = Svg(320, 416)
    _sky(s, "#2d5a86", "#1a3a5e", "#0b1626", 0.55)
    s.add(rect(0, 0, 320, 416, s.rad([(0, WARM_LIGHT, 0.35), (1, WARM_LIGHT, 0)], 250, 60, 160)))
    for cx, cy, w, o in ((70, 90, 180, 0.10), (250, 170, 220, 0.08), (120, 260, 260, 0.06),
                         (280, 60, 120, 0.08)):
        s.add(_soft_cloud(s, cx, cy, w, WHITE, o))
    _skyline(s, 382, Rng(51), "#152a42", "#0b1524", lights=False)
    return s


def offline_maps_page_background():
    s = Svg(320, 416)
    _sky(s, "#1d3b5c", "#132a44", "#08111e", 0.5)
    rng = Rng(61)
    # Contour lines and a grid: a map table.
    for i in range(8):
        cx, cy = 230 + rng.uniform(-20, 20), 300 + rng.uniform(-20, 20)
        s.add(ellipse(round(cx), round(cy), 30 + i * 22, 20 + i * 16, "none", stroke=BLUE_LIGHT,
                      stroke_width=1, stroke_opacity=0.07))
    for x in range(0, 321, 40):
        s.add(line(x, 0, x, 416, WHITE, 0.6, stroke_opacity=0.05))
    for y in range(0, 417, 40):
        s.add(line(0, y, 320, y, WHITE, 0.6, stroke_opacity=0.05))
    s.add(path("M-10,120 C60,140 90,80 160,110 S260,190 330,150", "none", stroke=BLUE, stroke_width=10,
               stroke_opacity=0.12))
    _vignette(s, 0.5)
    return s


# ---- chapter backgrounds -----------------------------------------------------------------------

def bg_sights():
    s = Svg(320, 480)
    _sky(s, "#1f426b", "#15304f", "#08101c", 0.55)
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM, 0.25), (1, WARM, 0)], 160, 360, 200)))
    rng = Rng(101)
    s.add(city.stars(rng, 45, 0, 0, 320, 220))
    base = 452
    s.add(city.houses(rng, -10, 330, base - 40, 20, 40, "#1a3150"))
    s.add(city.stephansdom(175, base - 10, 2.2, "#0f1e33"))
    s.add(city.roof_zigzag(175, base - 10, 2.2, WARM, 0.18))
    s.add(city.houses(rng, -10, 330, base, 30, 70, "#0a1524"))
    s.add(rect(0, base, 320, 40, "#0a1524"))
    s.add(city.lit_windows(rng, 0, 320, base - 60, base - 8, WARM_LIGHT, 40, opacity=(0.12, 0.45)))
    _vignette(s, 0.5)
    return s


def bg_museums():
    s = Svg(320, 480)
    _sky(s, "#3b2819", "#24170e", "#0d0805", 0.6)
    # Marble columns at both sides.
    for x in (0, 276):
        s.add(rect(x, 0, 44, 480, s.lin([(0, "#4a3424"), (0.5, "#5d4431"), (1, "#2b1d13")], x, 0, x + 44, 0),
                   fill_opacity=0.8))
        for fx in range(x + 8, x + 40, 8):
            s.add(line(fx, 0, fx, 480, "#000000", 1, stroke_opacity=0.25))
    # Gilded frames on the wall.
    for x, y, w, h in ((70, 70, 78, 100), (168, 90, 82, 62), (178, 176, 62, 86), (80, 196, 56, 70)):
        s.add(rect(x, y, w, h, "#000000", fill_opacity=0.35))
        s.add(rect(x, y, w, h, "none", stroke=WARM, stroke_width=4, stroke_opacity=0.35))
        s.add(rect(x + 5, y + 5, w - 10, h - 10, "none", stroke=WARM_LIGHT, stroke_width=1,
                   stroke_opacity=0.2))
    # Floor tiles in perspective.
    s.add(rect(0, 330, 320, 150, s.vgrad("#2a1c12", "#0b0704", 330, 480)))
    for i in range(-8, 9):
        s.add(line(160 + i * 12, 330, 160 + i * 60, 480, "#000000", 1, stroke_opacity=0.3))
    for y in (345, 365, 392, 428, 475):
        s.add(line(0, y, 320, y, "#000000", 1, stroke_opacity=0.3))
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM_LIGHT, 0.12), (1, WARM_LIGHT, 0)], 160, 40, 240)))
    _vignette(s, 0.6)
    return s


def _bentwood_chair(x, base, k, colour, opacity):
    return group([
        circle(x, base - 46 * k, 9 * k, "none", stroke=colour, stroke_width=2.2 * k),
        circle(x, base - 46 * k, 5 * k, "none", stroke=colour, stroke_width=1.4 * k),
        line(x - 9 * k, base - 44 * k, x - 9 * k, base, colour, 2.2 * k),
        line(x + 9 * k, base - 44 * k, x + 11 * k, base, colour, 2.2 * k),
        ellipse(x, base - 24 * k, 12 * k, 3 * k, "none", stroke=colour, stroke_width=2.2 * k),
        line(x - 6 * k, base - 22 * k, x - 9 * k, base, colour, 2 * k),
        line(x + 6 * k, base - 22 * k, x + 4 * k, base, colour, 2 * k),
    ], opacity=opacity)


def _marble_table(s, x, base, k):
    return group([
        line(x, base - 30 * k, x, base, "#0b0704", 3 * k),
        ellipse(x, base, 10 * k, 2.5 * k, "#0b0704"),
        ellipse(x, base - 30 * k, 22 * k, 5 * k, s.lin([(0, "#d8d2c6"), (1, "#8d8578")], x - 22 * k, 0,
                                                         x + 22 * k, 0), fill_opacity=0.35),
    ])


def bg_cafes():
    s = Svg(320, 480)
    _sky(s, "#3e2c1d", "#281b11", "#0e0906", 0.55)
    # Arched mirrors above dark wood panelling.
    for x in (30, 130, 230):
        s.add(path(f"M{x},200 V110 A30,30 0 0 1 {x + 60},110 V200 Z", "#000000", fill_opacity=0.25,
                   stroke=WARM, stroke_width=2, stroke_opacity=0.25))
        s.add(path(f"M{x + 8},196 V112 A22,22 0 0 1 {x + 52},112", "none", stroke=WHITE, stroke_width=1,
                   stroke_opacity=0.06))
    s.add(rect(0, 230, 320, 250, s.vgrad("#2a1a0f", "#0c0704", 230, 480)))
    for x in range(0, 321, 40):
        s.add(rect(x + 4, 244, 32, 80, "none", stroke="#000000", stroke_width=1.5, stroke_opacity=0.35))
    s.add(rect(0, 230, 320, 6, "#4a3220", fill_opacity=0.8))
    # Lamp glows.
    for x in (60, 160, 260):
        s.add(circle(x, 60, 60, s.rad([(0, WARM_LIGHT, 0.35), (1, WARM_LIGHT, 0)], x, 60, 60)))
        s.add(line(x, 0, x, 48, "#000000", 1, stroke_opacity=0.5))
        s.add(path(f"M{x - 10},58 Q{x},44 {x + 10},58 Z", WARM_LIGHT, fill_opacity=0.6))
    s.add(_marble_table(s, 90, 440, 1.3))
    s.add(_marble_table(s, 238, 452, 1.1))
    s.add(_bentwood_chair(40, 470, 1.2, "#070403", 0.9))
    s.add(_bentwood_chair(140, 470, 1.2, "#070403", 0.9))
    s.add(_bentwood_chair(285, 476, 1.0, "#070403", 0.9))
    _vignette(s, 0.55)
    return s


def bg_dining():
    s = Svg(320, 480)
    _sky(s, "#421419", "#2a0b10", "#0f0406", 0.6)
    for x in range(0, 321, 32):
        s.add(line(x, 0, x, 480, "#000000", 1.5, stroke_opacity=0.25))
        s.add(line(x + 2, 0, x + 2, 480, "#ffffff", 0.6, stroke_opacity=0.04))
    # A shelf with bottles and a rail of plates.
    s.add(rect(0, 150, 320, 5, "#1a0508", fill_opacity=0.9))
    rng = Rng(131)
    x = 12
    while x < 310:
        h = rng.uniform(18, 30)
        s.add(path(f"M{fmt(x)},150 v{fmt(-h)} q0,-5 3,-6 v-8 h3 v8 q3,1 3,6 v{fmt(h)} Z", "#12050a",
                   fill_opacity=0.85))
        x += rng.uniform(12, 26)
    for x in range(30, 320, 64):
        s.add(circle(x, 90, 18, "none", stroke=WARM, stroke_width=1.5, stroke_opacity=0.14))
    # Candle-lit tables.
    for x, y in ((80, 380), (240, 420)):
        s.add(circle(x, y - 14, 90, s.rad([(0, WARM, 0.35), (1, WARM, 0)], x, y - 14, 90)))
        s.add(ellipse(x, y + 8, 70, 12, "#1a0609"))
        s.add(rect(x - 3, y - 14, 6, 18, "#efe4d0", fill_opacity=0.7))
        s.add(ellipse(x, y - 19, 2.2, 4.5, WARM_LIGHT))
    _vignette(s, 0.6)
    return s


def bg_nightlife():
    s = Svg(320, 480)
    _sky(s, "#2a1744", "#1a0e2e", "#08040f", 0.5)
    rng = Rng(141)
    base = 250
    s.add(city.houses(rng, -10, 330, base, 40, 90, "#120a22"))
    s.add(city.lit_windows(rng, 0, 320, base - 80, base - 6, "#ff5fd2", 14, opacity=(0.2, 0.6)))
    s.add(city.lit_windows(rng, 0, 320, base - 80, base - 6, BLUE_LIGHT, 14, opacity=(0.2, 0.6)))
    # A bridge arch across the canal.
    s.add(path("M-10,238 H330 V252 H300 Q160,196 20,252 H-10 Z", "#0c0618"))
    # Water with neon reflections.
    s.add(rect(0, 252, 320, 228, s.vgrad("#1b0f30", "#05030b", 252, 480)))
    for x, colour in ((40, "#ff5fd2"), (92, BLUE_LIGHT), (150, "#b78cff"), (212, "#ff5fd2"),
                      (268, BLUE_LIGHT)):
        for i in range(14):
            y = 262 + i * 15
            w = 10 + rng.uniform(-4, 8)
            s.add(line(x - w / 2 + rng.uniform(-3, 3), y, x + w / 2 + rng.uniform(-3, 3), y, colour, 2,
                       stroke_opacity=round(0.5 - i * 0.03, 2)))
    s.add(rect(0, 0, 320, 480, s.rad([(0, "#b78cff", 0.18), (1, "#b78cff", 0)], 160, 250, 220)))
    _vignette(s, 0.55)
    return s


def bg_stage():
    s = Svg(320, 480)
    s.add(rect(0, 0, 320, 480, "#1c0407"))
    # Velvet folds.
    for i in range(10):
        x = i * 32
        s.add(rect(x, 0, 32, 480, s.lin([(0, "#2a0509"), (0.45, "#5e0f18"), (1, "#220407")], x, 0, x + 32, 0)))
    # Gold trim swag.
    for i in range(5):
        x = i * 64
        s.add(path(f"M{x},0 Q{x + 32},70 {x + 64},0 V-2 H{x} Z", "#4a0b12"))
        s.add(path(f"M{x},4 Q{x + 32},74 {x + 64},4", "none", stroke=WARM, stroke_width=3,
                   stroke_opacity=0.55))
        s.add(circle(x + 64, 6, 4, WARM, fill_opacity=0.6))
    s.add(rect(0, 0, 320, 480, s.lin([(0, "#000000", 0), (0.6, "#000000", 0.35), (1, "#000000", 0.75)],
                                     0, 0, 0, 480)))
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM_LIGHT, 0.12), (1, WARM_LIGHT, 0)], 160, 260, 180)))
    _vignette(s, 0.5)
    return s


def bg_shopping():
    s = Svg(320, 480)
    _sky(s, "#0f3b40", "#0a2629", "#030c0d", 0.55)
    # A street in perspective, facades with lit windows on both sides.
    rng = Rng(151)
    for side in (-1, 1):
        def fx(x):
            return x if side < 0 else 320 - x
        s.add(poly([(fx(0), 20), (fx(118), 205), (fx(118), 335), (fx(0), 480)], "#072022"))
        for i in range(6):
            x = 6 + i * 19
            top, bottom = 20 + 185 * x / 118, 480 - 145 * x / 118
            w = 11 * (1 - x / 160)
            for r in range(5):
                y = top + (bottom - top) * (0.12 + 0.16 * r)
                h = (bottom - top) * 0.08
                left = fx(x) if side < 0 else fx(x) - w
                s.add(rect(round(left, 1), round(y, 1), round(w, 1), round(h, 1), WARM_LIGHT,
                           fill_opacity=round(0.08 + 0.4 * rng.next(), 2)))
    s.add(poly([(118, 335), (202, 335), (320, 480), (0, 480)], "#041112"))
    # The plague column in the middle distance.
    s.add(path("M156,330 L154,270 L150,262 L158,230 L160,200 L162,230 L170,262 L166,270 L164,330 Z",
               "#041012"))
    # Chandeliers of lights hanging over the street.
    for row, (y, spread, r) in enumerate(((70, 140, 2.2), (140, 95, 1.7), (190, 60, 1.3))):
        for j in range(-2, 3):
            cx = 160 + j * spread / 2
            s.add(circle(cx, y, 22 - row * 5, s.rad([(0, WARM_LIGHT, 0.35), (1, WARM_LIGHT, 0)], cx, y,
                                                   22 - row * 5)))
            for k in range(8):
                a = math.radians(k * 45)
                s.add(circle(cx + (10 - row * 2) * math.cos(a), y + (6 - row) * math.sin(a), r, WARM_LIGHT,
                             fill_opacity=0.85))
        s.add(line(0, y - 8, 320, y - 8, "#000000", 0.8, stroke_opacity=0.5))
    s.add(rect(0, 330, 320, 150, s.vgrad("#082022", "#020707", 330, 480)))
    _vignette(s, 0.55)
    return s


def bg_hotels():
    s = Svg(320, 480)
    _sky(s, "#3d2f13", "#261c0b", "#0d0904", 0.55)
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM_LIGHT, 0.35), (1, WARM_LIGHT, 0)], 160, 90, 200)))
    # Chandelier.
    s.add(line(160, 0, 160, 50, "#000000", 1.2, stroke_opacity=0.5))
    for tier, (y, rx, n) in enumerate(((60, 46, 9), (82, 64, 11), (104, 40, 7))):
        s.add(ellipse(160, y, rx, 6, "none", stroke=WARM, stroke_width=1.5, stroke_opacity=0.5))
        for k in range(n):
            x = 160 - rx + 2 * rx * k / (n - 1)
            s.add(path(f"M{fmt(x)},{y} l-2,6 l2,5 l2,-5 Z", WARM_LIGHT, fill_opacity=0.6))
            s.add(circle(x, y - 3, 1.6, "#fff3d0", fill_opacity=0.9))
    # Columns and a sweeping staircase.
    for x in (30, 270):
        s.add(rect(x, 120, 22, 360, s.lin([(0, "#2b2008"), (0.5, "#5a4519"), (1, "#241a07")], x, 0, x + 22, 0),
                   fill_opacity=0.7))
        s.add(rect(x - 4, 116, 30, 8, "#5a4519", fill_opacity=0.6))
    for i in range(9):
        y = 340 + i * 16
        s.add(ellipse(160, y, 60 + i * 14, 7, "none", stroke=WARM_LIGHT, stroke_width=1,
                      stroke_opacity=0.12))
    s.add(rect(0, 330, 320, 150, s.vgrad("#000000", "#000000", 330, 480), fill_opacity=0.3))
    _vignette(s, 0.6)
    return s


def _market_stall(x, base, w, roof, lights):
    return group([
        rect(x, base - 26, w, 26, "#07101e"),
        poly([(x - 4, base - 24), (x + w / 2, base - 40), (x + w + 4, base - 24)], roof),
        city.string_lights(x - 2, base - 24, x + w + 2, base - 24, 3, 6, lights, 1.1),
        rect(x + 4, base - 20, w - 8, 10, WARM_LIGHT, fill_opacity=0.35),
    ])


def bg_events():
    s = Svg(320, 480)
    _sky(s, "#172c52", "#0e1c36", "#05080f", 0.6)
    rng = Rng(161)
    s.add(city.stars(rng, 40, 0, 0, 320, 180))
    s.add(city.rathaus(160, 400, 1.9, "#0a1426"))
    s.add(city.lit_windows(rng, 50, 270, 330, 392, WARM_LIGHT, 40, opacity=(0.2, 0.6)))
    # The big tree and the hearts of lights in the trees.
    s.add(poly([(250, 410), (272, 330), (294, 410)], "#061209"))
    s.add(city.string_lights(252, 400, 292, 380, 4, 8, WARM_LIGHT, 1.0))
    s.add(city.string_lights(258, 375, 286, 360, 3, 6, WARM_LIGHT, 1.0))
    s.add(poly(star_points(272, 328, 5, 2), WARM_LIGHT))
    for x in range(10, 320, 64):
        s.add(city.string_lights(x, 300, x + 64, 300, 8, 9, WARM_LIGHT, 1.2))
    for x, roof in ((12, "#6a1a22"), (84, "#1d3b2a"), (156, "#6a1a22"), (228, "#1d3b2a")):
        s.add(_market_stall(x, 452, 60, roof, WARM_LIGHT))
    s.add(rect(0, 452, 320, 28, "#05080f"))
    s.add(rect(0, 0, 320, 480, s.rad([(0, WARM, 0.2), (1, WARM, 0)], 160, 430, 200)))
    _vignette(s, 0.5)
    return s


def bg_outdoors():
    s = Svg(320, 480)
    _sky(s, "#24443f", "#a56d45", "#2a1c14", 0.38)
    s.add(circle(230, 178, 16, "#f7d39a", fill_opacity=0.7))
    hills = [(200, "#1f3327", 0.95), (250, "#18291f", 1), (310, "#112018", 1)]
    for i, (y, colour, op) in enumerate(hills):
        s.add(path(f"M0,{y} C70,{y - 40} 140,{y - 20} 200,{y - 30} S290,{y - 10} 320,{y - 26} V480 H0 Z", colour,
                   fill_opacity=op))
    # The Danube in the plain below.
    s.add(path("M0,300 C90,286 170,300 320,282 V296 C170,314 90,300 0,314 Z", "#d9a574", fill_opacity=0.35))
    # Vineyard rows on the near hill.
    for i in range(14):
        y = 330 + i * 11
        s.add(path(f"M-10,{y} Q160,{y - 30 + i * 2} 330,{y - 8}", "none", stroke="#2d4a30", stroke_width=2.5,
                   stroke_opacity=0.8))
    s.add(rect(0, 0, 320, 480, s.lin([(0, "#000000", 0.35), (0.35, "#000000", 0), (1, "#000000", 0.6)],
                                     0, 0, 0, 480)))
    _vignette(s, 0.5)
    return s


# ---- sponsored placements ----------------------------------------------------------------------

def placement_museums():
    s = Svg(320, 416)
    _sky(s, "#13253f", "#1d3456", "#0b1524", 0.5)
    # The dome of the Kunsthistorisches Museum over Maria-Theresien-Platz.
    base = 250
    dome = []
    for i in range(19):
        a = math.radians(180 - i * 10)
        dome.append((160 + 46 * math.cos(a), base - 120 + 56 * math.sin(a) * -1))
    s.add(poly([(160 - 46, base - 120)] + dome + [(160 + 46, base - 120)], "#2e6b5e"))
    s.add(rect(154, base - 196, 12, 22, "#2e6b5e"))
    s.add(path(f"M153,{base - 196} Q160,{base - 214} 167,{base - 196} Z", WARM))
    for i in range(1, 8):
        x = 160 - 46 + i * 11.5
        s.add(line(160, base - 176, x, base - 120, "#1e4a40", 1.2))
    s.add(rect(108, base - 124, 104, 8, "#d9c9a8"))
    s.add(rect(40, base - 116, 240, 116, "#cdbb98"))
    s.add(rect(40, base - 116, 240, 116, s.vgrad("#000000", "#000000", base - 116, base), fill_opacity=0.25))
    for row in range(3):
        for col in range(11):
            x = 52 + col * 20.5
            y = base - 104 + row * 34
            s.add(path(f"M{fmt(x)},{y + 24} V{y + 6} A5,5 0 0 1 {fmt(x + 10)},{y + 6} V{y + 24} Z",
                       WARM_LIGHT if (row + col) % 4 else "#fff3d0", fill_opacity=0.75))
    s.add(poly([(120, base - 116), (160, base - 140), (200, base - 116)], "#d9c9a8"))
    # The monument and the square.
    s.add(rect(0, base, 320, 166, s.vgrad("#1b2d45", "#0b1524", base, 416)))
    # Maria Theresa on her stepped monument, with four riders at the corners.
    m = "#10192a"
    s.add(rect(126, base - 8, 68, 10, m), rect(136, base - 20, 48, 13, m), rect(146, base - 40, 28, 21, m))
    s.add(path(f"M150,{base - 40} Q160,{base - 46} 170,{base - 40} Z", m))
    s.add(path(f"M153,{base - 44} L156,{base - 62} Q160,{base - 66} 164,{base - 62} L167,{base - 44} Z", m))
    s.add(circle(160, base - 68, 4.5, m))
    for x in (128, 186):
        s.add(path(f"M{x - 6},{base - 8} L{x - 4},{base - 18} H{x + 6} L{x + 7},{base - 8} Z", m))
        s.add(circle(x + 1, base - 24, 3, m))
    # A snowy, Bruegel-like winter scene in a gilded frame.
    fx, fy = 196, 262
    s.add(rect(fx, fy, 104, 74, "#000000", fill_opacity=0.4, transform="translate(3 3)"))
    s.add(rect(fx, fy, 104, 74, WARM_DARK))
    s.add(rect(fx + 5, fy + 5, 94, 64, s.vgrad("#9fb3b8", "#e9eee9", fy + 5, fy + 69)))
    s.add(path(f"M{fx + 5},{fy + 44} L{fx + 40},{fy + 34} L{fx + 99},{fy + 48} V{fy + 69} H{fx + 5} Z", "#f6f8f4"))
    s.add(path(f"M{fx + 50},{fy + 55} Q{fx + 75},{fy + 48} {fx + 99},{fy + 54} V{fy + 62} H{fx + 48} Z",
               "#8fb0b8"))
    for tx in (18, 30, 62, 84):
        s.add(line(fx + tx, fy + 46, fx + tx, fy + 22, "#2a241e", 1.4))
        s.add(stroked(f"M{fx + tx},{fy + 30} l-5,-6 M{fx + tx},{fy + 34} l5,-6", "#2a241e", 0.8))
    for px, py in ((22, 50), (27, 52), (66, 57), (74, 58), (80, 56)):
        s.add(rect(fx + px, fy + py, 2, 4, "#2a241e"))
    s.add(rect(fx + 5, fy + 5, 94, 64, "none", stroke=WARM_LIGHT, stroke_width=1))
    # Headline.
    s.add(text(20, 300, "Old Masters", size=26, fill=WHITE, weight="bold"))
    s.add(text(20, 326, "under the Dome", size=20, fill=WARM_LIGHT, weight="bold"))
    s.add(text(20, 346, "Kunsthistorisches Museum Wien", size=10.5, fill=MIST))
    s.add(rect(20, 354, 48, 2, WARM))
    s.add(text(160, 22, "SPONSORED", size=9, fill=WHITE, anchor="middle", fill_opacity=0.55, weight="bold"))
    s.add(text(300, 364, "More Info \u203a", size=11, fill=BLUE_LIGHT, anchor="end", weight="bold"))
    s.add(rect(0, 372, 320, 44, NAVY_DEEP))
    return s


def placement_hotels():
    s = Svg(320, 416)
    _sky(s, "#0b1830", "#152a4a", "#0a1322", 0.6)
    rng = Rng(171)
    s.add(city.stars(rng, 40, 0, 0, 320, 120))
    s.add(circle(262, 58, 14, "#f3ecd6", fill_opacity=0.9))
    # A grand hotel facade on the Ring, lit for the night.
    top, base = 150, 330
    s.add(rect(20, top, 280, base - top, s.vgrad("#3b3a44", "#1c1c26", top, base)))
    s.add(rect(12, top - 10, 296, 12, "#4a4756"))
    s.add(poly([(120, top - 10), (160, top - 38), (200, top - 10)], "#4a4756"))
    s.add(circle(160, top - 22, 5, WARM_LIGHT, fill_opacity=0.8))
    for row in range(4):
        for col in range(12):
            x = 30 + col * 22.5
            y = top + 14 + row * 36
            lit = rng.next() < 0.7
            s.add(rect(round(x, 1), y, 12, 22, WARM_LIGHT if lit else "#10131c",
                       fill_opacity=round(rng.uniform(0.55, 0.95), 2) if lit else 1))
            s.add(rect(round(x, 1) - 2, y - 4, 16, 3, "#5a5666"))
    # Flags over the entrance and the canopy.
    for x, colours in ((96, ("#c8102e", "#ffffff", "#c8102e")), (224, ("#003399", "#003399", "#003399"))):
        s.add(line(x, top + 4, x + 26, top - 26, "#c9c4b5", 1.4))
        for i, c in enumerate(colours):
            s.add(poly([(x + 16 + i * 0, top - 22 + i * 5), (x + 34, top - 32 + i * 5),
                        (x + 34, top - 27 + i * 5), (x + 16, top - 17 + i * 5)], c))
    s.add(rect(120, base - 40, 80, 8, WARM_DARK))
    s.add(rect(132, base - 32, 56, 32, "#fff3d0", fill_opacity=0.85))
    s.add(rect(0, base, 320, 86, s.vgrad("#10192a", "#060a12", base, 416)))
    s.add(rect(0, base + 4, 320, 4, "#ffffff", fill_opacity=0.05))
    for x in range(0, 320, 40):
        s.add(circle(x + 20, base - 2, 20, s.rad([(0, WARM_LIGHT, 0.25), (1, WARM_LIGHT, 0)], x + 20,
                                                base - 2, 20)))
    # Headline.
    s.add(text(160, 56, "Sleep like", size=30, fill=WHITE, anchor="middle", weight="bold"))
    s.add(text(160, 88, "an Emperor", size=30, fill=WARM_LIGHT, anchor="middle", weight="bold"))
    s.add(text(160, 110, "VIENNA HOTEL WEEKS", size=12, fill=BLUE_LIGHT, anchor="middle", weight="bold"))
    s.add(text(160, 356, "Grand hotels on the Ring \u00b7 special rates", size=11, fill=WHITE,
               anchor="middle", fill_opacity=0.8))
    s.add(rect(0, 372, 320, 44, NAVY_DEEP))
    return s


def pictures():
    return {
        "Default": default_picture(),
        "Background": background(),
        "BCKBlack": bck_black(),
        "ChapterPageBackground": chapter_page_background(),
        "BookmarkPageBackground": bookmark_page_background(),
        "SearchPageBackground": search_background(416, 71),
        "CurrencyPageBackground": currency_page_background(),
        "WeatherPageBackground": weather_page_background(),
        "OfflineMapsPageBackground": offline_maps_page_background(),
        "BackgroundSights": bg_sights(),
        "BackgroundMuseums": bg_museums(),
        "BackgroundCafes": bg_cafes(),
        "BackgroundDining": bg_dining(),
        "BackgroundNightlife": bg_nightlife(),
        "BackgroundStage": bg_stage(),
        "BackgroundShopping": bg_shopping(),
        "BackgroundHotels": bg_hotels(),
        "BackgroundEvents": bg_events(),
        "BackgroundOutdoors": bg_outdoors(),
        "BackgroundSearch": search_background(480, 72),
        "PlacementMuseums": placement_museums(),
        "PlacementHotels": placement_hotels(),
    }
