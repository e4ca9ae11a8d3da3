"""Venue pictures (90 x 90, shown in the photo frame of the detail page) and video thumbnails
(120 x 90): small flat illustrations of the real places, each a few recognisable shapes."""

import math

import city
from svglib import (Rng, Svg, circle, ellipse, fmt, group, line, path, poly, polyline, rect, star_points,
                    stroked, text)

SKY_DAY = ("#5fa8dc", "#cfe7f5")
SKY_DUSK = ("#1d3560", "#f0a868")
SKY_NIGHT = ("#0b1628", "#24406b")
SKY_EVENING = ("#2a4a7c", "#f6c27a")


def sky(s, colours, horizon=90):
    s.add(rect(0, 0, 90, 90, s.lin([(0, colours[0]), (1, colours[1])], 0, 0, 0, horizon)))


def ground(s, y, top, bottom=None):
    s.add(rect(0, y, 90, 90 - y, s.vgrad(top, bottom or top, y, 90)))


def sun(s, x, y, r, colour="#fff2c4"):
    s.add(circle(x, y, r * 2.4, s.rad([(0, colour, 0.55), (1, colour, 0)], x, y, r * 2.4)))
    s.add(circle(x, y, r, colour))


def windows(x0, y0, cols, rows, dx, dy, w, h, colour, arched=False, opacity=1.0):
    parts = []
    for r in range(rows):
        for c in range(cols):
            x, y = x0 + c * dx, y0 + r * dy
            if arched:
                parts.append(path(f"M{fmt(x)},{fmt(y + h)} V{fmt(y + w / 2)} A{fmt(w / 2)},{fmt(w / 2)} 0 0 1 "
                                  f"{fmt(x + w)},{fmt(y + w / 2)} V{fmt(y + h)} Z", colour, fill_opacity=opacity))
            else:
                parts.append(rect(x, y, w, h, colour, fill_opacity=opacity))
    return group(parts)


def tree(x, base, r, colour="#3f7a3a", trunk="#5b4027"):
    return group([rect(x - 1, base - r, 2, r, trunk), circle(x, base - r * 1.5, r, colour),
                  circle(x - r * 0.4, base - r * 1.7, r * 0.55, "#ffffff", fill_opacity=0.08)])


def person(x, base, h, coat="#1d2633", head="#e8c2a0"):
    return group([path(f"M{fmt(x - h * 0.16)},{fmt(base)} L{fmt(x - h * 0.12)},{fmt(base - h * 0.7)} "
                       f"H{fmt(x + h * 0.12)} L{fmt(x + h * 0.16)},{fmt(base)} Z", coat),
                  circle(x, base - h * 0.82, h * 0.12, head)])


def dome(cx, base, r, colour, lantern=True, rib="#2f6b5a"):
    parts = [path(f"M{fmt(cx - r)},{fmt(base)} A{fmt(r)},{fmt(r * 1.05)} 0 0 1 {fmt(cx + r)},{fmt(base)} Z", colour)]
    for k in (-0.5, 0, 0.5):
        parts.append(path(f"M{fmt(cx + k * r)},{fmt(base)} Q{fmt(cx + k * r * 0.6)},{fmt(base - r * 0.8)} "
                          f"{fmt(cx)},{fmt(base - r * 1.04)}", "none", stroke=rib, stroke_width=0.7))
    if lantern:
        parts.append(rect(cx - r * 0.14, base - r * 1.32, r * 0.28, r * 0.3, colour))
        parts.append(path(f"M{fmt(cx - r * 0.16)},{fmt(base - r * 1.32)} L{fmt(cx)},{fmt(base - r * 1.55)} "
                          f"L{fmt(cx + r * 0.16)},{fmt(base - r * 1.32)} Z", colour))
    return group(parts)


def vignette(s, strength=0.35):
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#000000", 0), (0.7, "#000000", 0), (1, "#000000", strength)], 45, 45, 64)))


def _scene(builder):
    s = Svg(90, 90)
    builder(s)
    return s


# ---- sights -------------------------------------------------------------------------------------

def stephansdom(s):
    sky(s, SKY_DAY)
    sun(s, 72, 16, 5)
    s.add(city.houses(Rng(3), -5, 95, 84, 10, 22, "#9aa9b8"))
    k = 0.58
    s.add(city.stephansdom(30, 86, k, "#5e5a55"))
    # The tiled roof: chevrons in green, gold and black.
    x0, base = 30, 86
    for i, colour in enumerate(("#1f5e4a", "#e0b43c", "#1c2228", "#e0b43c", "#1f5e4a")):
        y = base - (52 - i * 5.2) * k
        pts = []
        for j in range(8):
            pts.append((x0 + (16 + j * 6) * k, y + (3 if j % 2 else 0) * k))
        s.add(polyline(pts, colour, 2.2))
    s.add(rect(0, 84, 90, 6, "#6d6961"))
    for x in (8, 52, 78):
        s.add(person(x, 89, 7, "#2c3440"))


def schoenbrunn(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 32, 90, 58, "#6fae5b"))
    # Facade.
    s.add(rect(4, 22, 82, 20, "#f2c14e"))
    s.add(rect(33, 17, 24, 25, "#f4c95c"))
    s.add(rect(4, 20, 82, 3, "#e2ad36"))
    s.add(rect(33, 15, 24, 3, "#e2ad36"))
    s.add(poly([(39, 15), (45, 11), (51, 15)], "#e2ad36"))
    s.add(windows(6.5, 25, 9, 2, 3.3, 8, 1.8, 4.5, "#7a5a2a"))
    s.add(windows(59.5, 25, 8, 2, 3.3, 8, 1.8, 4.5, "#7a5a2a"))
    s.add(windows(35.5, 21, 6, 2, 3.5, 9, 2, 6, "#7a5a2a", arched=True))
    s.add(rect(0, 41, 90, 2, "#d8c9a4"))
    # The parterre with its flower beds converging on the palace.
    s.add(poly([(40, 43), (50, 43), (70, 90), (20, 90)], "#e6dcc2"))
    for side in (-1, 1):
        for i, (y0, y1) in enumerate(((46, 54), (57, 68), (71, 88))):
            xa = 45 + side * (7 + (y0 - 43) * 0.55)
            xb = 45 + side * (7 + (y1 - 43) * 0.55)
            xc = 45 + side * (18 + (y1 - 43) * 1.1)
            xd = 45 + side * (18 + (y0 - 43) * 1.1)
            s.add(poly([(xa, y0), (xb, y1), (xc, y1), (xd, y0)], "#3f8a3c"))
            s.add(polyline([((xa + xd) / 2, y0 + 1), ((xb + xc) / 2, y1 - 1)], "#e85a6a", 1.5))


def hofburg(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 50, 90, 40, "#e9e2d3"))
    s.add(rect(8, 44, 74, 30, "#ece4d2"))
    s.add(rect(6, 42, 78, 3, "#cfc2a6"))
    s.add(dome(45, 44, 20, "#5fa58e"))
    s.add(rect(28, 40, 34, 5, "#e1d7c0"))
    s.add(path("M34,74 V58 A11,11 0 0 1 56,58 V74 Z", "#6b5a45"))
    for x in (14, 22, 64, 72):
        s.add(rect(x, 50, 3, 24, "#d6cbb3"))
    s.add(windows(11, 52, 2, 2, 64, 10, 3, 6, "#8a9aa8"))
    for x, y in ((12, 40), (78, 40)):
        s.add(ellipse(x, y, 3, 4, "#6b7a6a"))
    s.add(rect(0, 74, 90, 16, "#c9bfae"))
    for x in (20, 68):
        s.add(person(x, 86, 8, "#3a4656"))


def belvedere(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 40, 90, 6, "#5c9a4c"))

    def palace(flip):
        sy = -1 if flip else 1
        y0 = 44
        parts = [rect(8, y0 - 14 * sy if not flip else y0, 74, 14, "#efe7d4"),
                 path(f"M6,{y0 - 14 * sy} L14,{y0 - 22 * sy} H76 L84,{y0 - 14 * sy} Z", "#4f8f7c"),
                 path(f"M35,{y0 - 22 * sy} Q45,{y0 - 34 * sy} 55,{y0 - 22 * sy} Z", "#4f8f7c"),
                 path(f"M4,{y0 - 14 * sy} Q9,{y0 - 26 * sy} 14,{y0 - 14 * sy} Z", "#4f8f7c"),
                 path(f"M76,{y0 - 14 * sy} Q81,{y0 - 26 * sy} 86,{y0 - 14 * sy} Z", "#4f8f7c")]
        for i in range(11):
            x = 11 + i * 6.3
            parts.append(rect(x, y0 - 11 * sy if not flip else y0 + 4, 2.6, 6, "#8a96a6"))
        return group(parts)

    s.add(palace(False))
    s.add(rect(0, 46, 90, 44, s.vgrad("#5b8fb8", "#2f5a80", 46, 90)))
    s.add(group([palace(True)], opacity=0.4))
    for y in (56, 63, 71, 80):
        s.add(line(10, y, 80, y, "#ffffff", 0.8, stroke_opacity=0.35))
    s.add(rect(0, 44, 90, 2.5, "#d9d0bb"))


def karlskirche(s):
    sky(s, SKY_DAY)
    sun(s, 76, 14, 4)
    s.add(rect(0, 66, 90, 24, s.vgrad("#6aa3cc", "#3c6f99", 66, 90)))
    base = 66
    s.add(rect(8, base - 20, 74, 20, "#eee6d2"))
    s.add(dome(45, base - 30, 15, "#5fa58e", rib="#3d7a66"))
    s.add(rect(30, base - 31, 30, 11, "#e7dcc2"))
    s.add(poly([(33, base - 20), (45, base - 28), (57, base - 20)], "#e0d4b8"))
    for x in (36, 41, 49, 54):
        s.add(rect(x, base - 20, 2, 20, "#d7cab0"))
    for cx in (19, 71):
        s.add(rect(cx - 4, base - 46, 8, 46, "#e9e0cb"))
        for i in range(6):
            s.add(line(cx - 4, base - 42 + i * 7, cx + 4, base - 39 + i * 7, "#b8a987", 1))
        s.add(rect(cx - 5, base - 49, 10, 3, "#d7cab0"))
        s.add(circle(cx, base - 51, 2, "#c8a24a"))
    s.add(group([rect(8, base, 74, 10, "#eee6d2"), rect(19 - 4, base, 8, 20, "#e9e0cb"),
                 rect(67, base, 8, 20, "#e9e0cb")], opacity=0.25))
    s.add(rect(0, base, 90, 1.5, "#d0c6ae"))


def riesenrad(s):
    sky(s, SKY_DUSK)
    sun(s, 18, 70, 7, "#ffd28a")
    s.add(city.riesenrad(48, 40, 30, "#2b2f3a", "#c8323c", 1.3))
    s.add(rect(0, 80, 90, 10, "#1d2430"))
    s.add(city.houses(Rng(9), -5, 95, 84, 4, 10, "#252b36"))


def hundertwasser(s):
    sky(s, SKY_DAY)
    colours = ["#e8b04a", "#d8534a", "#6a9bd1", "#ece4d0", "#8fbf5a", "#c96aa0"]
    rng = Rng(21)
    s.add(rect(6, 20, 78, 66, "#ece4d0"))
    for i in range(6):
        y0 = 20 + i * 11
        d = f"M6,{y0} Q20,{y0 - 3} 34,{y0 + 1} T62,{y0} T84,{y0 + 1} V{y0 + 11} Q62,{y0 + 8} 48,{y0 + 12} T6,{y0 + 11} Z"
        s.add(path(d, colours[i % len(colours)], fill_opacity=0.85))
    for _ in range(20):
        x, y = rng.uniform(9, 78), rng.uniform(22, 80)
        s.add(rect(round(x, 1), round(y, 1), round(rng.uniform(3, 5), 1), round(rng.uniform(4, 6), 1),
                   rng.choice(["#2f4a6a", "#8a3a2a", "#2f6a3a", "#ffffff"]), rx=0.8))
    for x, y in ((14, 40), (40, 30), (70, 52), (24, 63), (58, 22)):
        s.add(circle(x, y, 5, "#3f8a3c"))
    s.add(path("M62,20 Q62,10 66,6 Q70,10 70,20 Z", "#e3b43a"))
    s.add(rect(0, 84, 90, 6, "#8a8074"))


def rathaus(s):
    sky(s, SKY_DAY)
    s.add(city.rathaus(45, 84, 0.62, "#d9d3c4"))
    s.add(windows(12, 66, 5, 1, 5, 0, 2.5, 8, "#6b7a8c", arched=True))
    s.add(windows(56, 66, 5, 1, 5, 0, 2.5, 8, "#6b7a8c", arched=True))
    s.add(windows(43.2, 40, 1, 3, 0, 10, 3.6, 7, "#6b7a8c", arched=True))
    s.add(circle(45, 42, 3, "#f4f0e6", stroke="#8a8070", stroke_width=0.7))
    # The Rathausmann on the spire.
    s.add(line(45, 8, 45, 4, "#2b2f36", 1.2), circle(45, 3.4, 1, "#2b2f36"), line(46.5, 1.5, 46.5, 7, "#2b2f36", 0.6))
    s.add(rect(0, 84, 90, 6, "#5f9a4e"))
    for x in (6, 84):
        s.add(tree(x, 86, 6))


def parlament(s):
    sky(s, SKY_DAY)
    s.add(rect(2, 36, 86, 30, "#e8dfcb"))
    s.add(poly([(24, 30), (45, 18), (66, 30)], "#e0d5bc"))
    s.add(poly([(28, 29), (45, 21), (62, 29)], "#d3c6a8"))
    s.add(rect(24, 30, 42, 4, "#d8cdb4"))
    for i in range(8):
        s.add(rect(26 + i * 5.3, 34, 2.6, 24, "#f3ecdd"))
    s.add(windows(5, 40, 3, 2, 6, 10, 3, 6, "#8a96a6"))
    s.add(windows(70, 40, 3, 2, 6, 10, 3, 6, "#8a96a6"))
    s.add(rect(18, 58, 54, 8, "#d8cdb4"))
    for i in range(4):
        s.add(rect(18 - i * 3, 62 + i * 2.5, 54 + i * 6, 2.5, "#cfc3a8"))
    # Pallas Athene on her fountain.
    s.add(rect(40, 58, 10, 22, "#d8d2c4"))
    s.add(ellipse(45, 82, 22, 4, "#7fb3d6"))
    s.add(path("M42,58 L43,46 H47 L48,58 Z", "#efe9dc"))
    s.add(circle(45, 44, 2.2, "#d8a93a"))
    s.add(line(49, 58, 50, 42, "#c8a24a", 1))
    s.add(circle(41.5, 50, 2, "#d8a93a"))
    s.add(rect(0, 84, 90, 6, "#c9c0ad"))


def votivkirche(s):
    sky(s, SKY_DAY)
    s.add(city.votivkirche(45, 86, 0.74, "#efeadf"))
    for c in (-14, 14):
        x = 45 + c * 0.74
        for i in range(3):
            s.add(line(x - 2, 40 + i * 8, x + 2, 40 + i * 8, "#b9b1a0", 0.8))
        s.add(path(f"M{fmt(x - 1.5)},{fmt(86 - 60)} L{fmt(x)},{fmt(86 - 68)} L{fmt(x + 1.5)},{fmt(86 - 60)}", "none",
                   stroke="#b9b1a0", stroke_width=0.7))
    s.add(circle(45, 62, 5, "#7a8fa8", stroke="#b9b1a0", stroke_width=1))
    s.add(path("M41,86 V76 A4,4 0 0 1 49,76 V86 Z", "#6b5a45"))
    s.add(rect(0, 85, 90, 5, "#5f9a4e"))
    for x in (8, 82):
        s.add(tree(x, 88, 7))


def secession(s):
    sky(s, SKY_DAY)
    s.add(rect(14, 44, 62, 38, "#f2efe6"))
    s.add(rect(30, 34, 30, 12, "#ece8dc"))
    for x in (24, 60):
        s.add(rect(x, 30, 6, 16, "#ece8dc"))
    # The golden laurel dome.
    rng = Rng(33)
    s.add(circle(45, 27, 13, "#c99a2e"))
    for _ in range(70):
        a = rng.uniform(0, 2 * math.pi)
        r = math.sqrt(rng.next()) * 12
        s.add(ellipse(round(45 + r * math.cos(a), 1), round(27 + r * math.sin(a), 1), 1.6, 0.9,
                      rng.choice(["#f6d66b", "#e6b94a", "#b4861e"]),
                      transform=f"rotate({int(rng.uniform(0, 180))} {fmt(45 + r * math.cos(a))} {fmt(27 + r * math.sin(a))})"))
    s.add(rect(30, 40, 30, 3, "#ece8dc"))
    s.add(rect(38, 62, 14, 20, "#3a3a3a"))
    s.add(text(45, 58, "DER ZEIT IHRE KUNST", size=3.2, fill="#b48a2a", anchor="middle", weight="bold"))
    s.add(rect(0, 82, 90, 8, "#bdb5a4"))


def khm(s):
    sky(s, SKY_EVENING)
    s.add(rect(6, 46, 78, 34, "#d9c9a8"))
    s.add(dome(45, 36, 15, "#4f8f7c", rib="#356858"))
    s.add(rect(26, 36, 38, 10, "#cdbb98"))
    s.add(windows(9, 50, 9, 2, 8.2, 12, 4, 8, "#f3d38a", arched=True))
    s.add(poly([(33, 46), (45, 40), (57, 46)], "#cdbb98"))
    for i in range(6):
        s.add(rect(12 - i * 2, 80 + i * 1.7, 66 + i * 4, 1.7, "#c4b392"))
    s.add(rect(0, 88, 90, 2, "#a89878"))


def nhm(s):
    s.add(rect(0, 0, 90, 90, "#3a2d22"))
    # Painted vault.
    s.add(path("M0,34 Q45,-6 90,34 V0 H0 Z", "#5a4030"))
    s.add(path("M10,30 Q45,0 80,30 Q45,12 10,30 Z", "#c8a060", fill_opacity=0.6))
    s.add(path("M24,22 Q45,10 66,22", "none", stroke="#7fb0c8", stroke_width=2, stroke_opacity=0.6))
    for x in (6, 84):
        s.add(rect(x - 3, 30, 6, 60, "#6b5040"))
    s.add(rect(0, 78, 90, 12, "#2a2019"))
    # A long-necked dinosaur skeleton.
    bone = "#f2ead8"
    s.add(stroked("M14,58 Q30,50 44,56 Q58,60 70,40 Q74,32 79,31", bone, 2.2))
    s.add(stroked("M14,58 Q8,62 4,66", bone, 1.6))
    for x in range(20, 58, 4):
        s.add(line(x, 55 - (x - 20) * 0.05, x + 1, 64 - (x - 20) * 0.05, bone, 1))
    for x0, x1 in ((28, 26), (34, 36), (50, 48), (56, 58)):
        s.add(stroked(f"M{x0},58 L{x1},70 L{x0 - 1},78", bone, 2))
    s.add(ellipse(80, 30.5, 3, 1.8, bone))
    s.add(rect(12, 78, 60, 3, "#4a3a2c"))


def albertina(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 44, 90, 40, "#e9dfc8"))
    s.add(windows(6, 50, 8, 2, 10.5, 14, 4, 8, "#8496aa"))
    s.add(rect(0, 72, 90, 18, "#c9bda4"))
    s.add(rect(0, 70, 90, 3, "#b4a789"))
    # The blade of a canopy over the terrace.
    s.add(poly([(4, 40), (88, 28), (88, 31), (4, 43)], "#c8ccd2"))
    s.add(poly([(4, 43), (88, 31), (88, 32.5), (4, 44.5)], "#7f8690"))
    s.add(line(70, 31, 70, 70, "#9aa2ab", 1.4))
    for x in (20, 34, 48):
        s.add(person(x, 70, 7, "#3a4656"))


def mumok(s):
    sky(s, SKY_DUSK)
    s.add(rect(0, 76, 90, 14, "#d9cfbd"))
    s.add(path("M18,78 V30 Q18,22 26,22 H64 Q72,22 72,30 V78 Z", "#3e4247"))
    for y in range(28, 78, 5):
        s.add(line(18, y, 72, y, "#2e3236", 0.8))
    s.add(rect(40, 62, 10, 16, "#f6d896", fill_opacity=0.85))
    s.add(rect(0, 76, 90, 1, "#b8ad98"))
    for x, c in ((8, "#e2506e"), (82, "#52a0d8")):
        s.add(rect(x - 5, 80, 10, 4, c, rx=2))


def leopold(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 76, 90, 14, "#d9cfbd"))
    s.add(rect(16, 22, 58, 56, "#f1ece1"))
    for y in range(26, 78, 4):
        s.add(line(16, y, 74, y, "#e2dccd", 0.6))
    s.add(windows(22, 30, 5, 1, 10, 0, 6, 6, "#6f7f92"))
    s.add(rect(40, 60, 10, 18, "#6f7f92"))
    for x, c in ((7, "#4fb6a0"), (30, "#e2506e"), (62, "#f2b233"), (83, "#52a0d8")):
        s.add(path(f"M{x - 6},84 Q{x - 6},79 {x},79 H{x + 4} Q{x + 6},79 {x + 6},84 Z", c))


def mak(s):
    sky(s, SKY_DAY)
    s.add(rect(4, 26, 82, 56, "#b65a3c"))
    s.add(rect(4, 24, 82, 4, "#e5d7bd"))
    for y in (40, 56):
        s.add(rect(4, y, 82, 2, "#e5d7bd"))
    s.add(windows(8, 30, 7, 3, 11.4, 16, 6, 9, "#f3e6cc", arched=True))
    s.add(windows(9, 31.5, 7, 3, 11.4, 16, 4, 7, "#4f5f72", arched=True))
    s.add(rect(0, 82, 90, 8, "#8c8c8c"))
    s.add(rect(0, 85, 90, 1, "#d6d6d6"))
    s.add(tree(84, 84, 7))


def haus_der_musik(s):
    s.add(rect(0, 0, 90, 90, "#1b2440"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#6a4fb0", 0.5), (1, "#6a4fb0", 0)], 60, 20, 60)))
    for i in range(8):
        y = 82 - i * 8
        x = 4 + i * 9
        s.add(rect(x, y, 90 - x, 8, "#f4f1ea" if i % 2 == 0 else "#e6e1d6"))
        s.add(rect(x, y, 90 - x, 1.2, "#c9c3b6"))
        for k in range(3):
            s.add(rect(x + 6 + k * 14, y, 5, 4.5, "#1d1d22"))
    for x, y, c in ((18, 30, "#f2b233"), (34, 18, "#52a0d8"), (10, 52, "#e2506e")):
        s.add(ellipse(x, y, 3, 2.2, c, transform=f"rotate(-20 {x} {y})"))
        s.add(line(x + 2.6, y - 1, x + 2.6, y - 12, c, 1.2))
        s.add(path(f"M{x + 2.6},{y - 12} q4,2 3,7", "none", stroke=c, stroke_width=1.2))


# ---- cafés and food -----------------------------------------------------------------------------

def cafe_central(s):
    s.add(rect(0, 0, 90, 90, "#3b2a1d"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#f4c27a", 0.35), (1, "#f4c27a", 0)], 45, 30, 60)))
    for x in (0, 45, 90):
        s.add(path(f"M{x - 22},60 V34 Q{x - 22},10 {x},6 Q{x + 22},10 {x + 22},34 V60", "none",
                   stroke="#c9a878", stroke_width=2.5))
    for x in (23, 67):
        s.add(rect(x - 4, 20, 8, 60, "#b99668"))
        s.add(rect(x - 5.5, 18, 11, 4, "#d4b68a"))
    for x in (45, 6, 84):
        s.add(line(x, 0, x, 14, "#2a1d14", 0.8))
        s.add(ellipse(x, 16, 6, 2, "#f6d896"))
        for k in (-4, 0, 4):
            s.add(circle(x + k, 19, 1.2, "#fff0c8"))
    s.add(rect(0, 74, 90, 16, "#5a3f2a"))
    for x in (14, 45, 76):
        s.add(ellipse(x, 76, 10, 2.6, "#e9e4da"))
        s.add(line(x, 76, x, 86, "#2a1d14", 1.4))


def cafe_sperl(s):
    s.add(rect(0, 0, 90, 90, "#4a3424"))
    s.add(rect(0, 0, 90, 36, "#5e4330"))
    s.add(windows(6, 6, 4, 1, 22, 0, 14, 22, "#f1d9a8", arched=True, opacity=0.55))
    s.add(rect(0, 70, 90, 20, "#2e2118"))
    # Billiard table.
    s.add(poly([(14, 50), (76, 50), (86, 70), (4, 70)], "#5a3a22"))
    s.add(poly([(17, 52), (73, 52), (81, 67), (9, 67)], "#2f7a4a"))
    for x, y in ((30, 58), (48, 61), (58, 56)):
        s.add(circle(x, y, 1.6, "#f5f1e6"))
    s.add(circle(40, 56, 1.6, "#c8323c"))
    for x in (10, 80):
        s.add(rect(x - 1.5, 70, 3, 12, "#3a2616"))
    s.add(line(22, 46, 48, 60, "#d8b27a", 1.2))
    # Bentwood chairs.
    for x in (6, 84):
        s.add(circle(x, 46, 5, "none", stroke="#1c130d", stroke_width=1.6))
        s.add(line(x - 5, 47, x - 5, 70, "#1c130d", 1.6), line(x + 5, 47, x + 5, 70, "#1c130d", 1.6))


def demel(s):
    s.add(rect(0, 0, 90, 90, "#2f2a36"))
    # Shop window with arched top and gilded lettering.
    s.add(path("M8,60 V14 Q45,2 82,14 V60 Z", "#f3e6cf"))
    s.add(path("M12,58 V17 Q45,7 78,17 V58 Z", "#d9c7a6"))
    s.add(text(45, 17, "DEMEL", size=6, fill="#8a6a2a", anchor="middle", weight="bold"))
    for x, y, c in ((22, 34, "#e79aa8"), (40, 30, "#f2d08a"), (60, 34, "#9a5a3a"), (30, 48, "#c8e0a8"),
                    (58, 48, "#e79aa8")):
        s.add(ellipse(x, y + 4, 7, 2, "#f6f1e6"))
        s.add(rect(x - 5, y - 2, 10, 6, c, rx=2))
    s.add(rect(0, 60, 90, 30, "#4a3022"))
    # A slice of layered cake on a plate.
    s.add(ellipse(45, 80, 28, 6, "#f6f4ef"))
    s.add(poly([(28, 78), (62, 78), (58, 60), (32, 66)], "#6b3a22"))
    for i, y in enumerate((74, 70, 66)):
        s.add(poly([(28 + i * 1.3, y + 1), (62 - i * 1.3, y + 1), (61 - i * 1.3, y - 0.5), (29 + i * 1.3, y - 0.5)],
                   "#f2e2c0"))
    s.add(poly([(32, 66), (58, 60), (58, 58), (32, 64)], "#3a1e10"))


def cafe_sacher(s):
    s.add(rect(0, 0, 90, 90, "#7a1822"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#c8414b", 0.6), (1, "#c8414b", 0)], 45, 30, 50)))
    s.add(ellipse(45, 70, 36, 9, "#f7f4ee"))
    s.add(ellipse(45, 70, 28, 6.5, "none", stroke="#d8b44a", stroke_width=1))
    # Sachertorte slice: dark glaze, apricot line.
    s.add(poly([(22, 66), (60, 70), (66, 50), (30, 48)], "#3a1a0e"))
    s.add(poly([(22, 66), (60, 70), (60, 56), (22, 52)], "#5a2a16"))
    s.add(poly([(22, 59), (60, 63), (60, 61.5), (22, 57.5)], "#e08a32"))
    s.add(poly([(22, 52), (60, 56), (66, 50), (30, 48)], "#2a1208"))
    s.add(text(46, 53.5, "Sacher", size=4.4, fill="#c8a24a", anchor="middle", font_style="italic"))
    # Whipped cream.
    s.add(path("M64,72 Q62,62 70,60 Q78,62 76,72 Z", "#fbf8f0"))
    s.add(path("M66,64 Q70,58 74,64", "none", stroke="#e6e0d2", stroke_width=1))


def figlmueller(s):
    s.add(rect(0, 0, 90, 90, "#6b4a30"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#f3c27a", 0.3), (1, "#f3c27a", 0)], 45, 45, 60)))
    s.add(rect(0, 0, 90, 90, "none", stroke="#3e2a1a", stroke_width=6))
    s.add(ellipse(45, 48, 32, 30, "#f7f4ee"))
    s.add(ellipse(45, 48, 27, 25, "none", stroke="#d9d3c6", stroke_width=1))
    s.add(path("M8,40 Q10,18 40,14 Q70,10 82,32 Q90,52 74,70 Q56,88 30,80 Q6,72 8,40 Z", "#d99a3c"))
    rng = Rng(77)
    for _ in range(40):
        x, y = rng.uniform(14, 76), rng.uniform(20, 74)
        s.add(circle(round(x, 1), round(y, 1), round(rng.uniform(0.8, 1.8), 1),
                     rng.choice(["#b97a28", "#efbf64", "#c8862e"])))
    s.add(path("M62,60 A9,9 0 0 1 78,52 Z", "#f2de58"))
    s.add(path("M64.5,58.5 A6,6 0 0 1 75,53", "none", stroke="#fff6b0", stroke_width=1))


def steirereck(s):
    sky(s, SKY_DAY)
    for x in (8, 20, 72, 84):
        s.add(tree(x, 56, 8, "#3f7a3a"))
    s.add(rect(20, 24, 50, 32, "#a9cde0", fill_opacity=0.9))
    s.add(rect(18, 21, 54, 4, "#e8ecef"))
    for x in range(20, 72, 8):
        s.add(line(x, 25, x, 56, "#ffffff", 0.8, stroke_opacity=0.8))
    s.add(path("M22,52 L40,28 L44,28 L26,52 Z", "#ffffff", fill_opacity=0.35))
    s.add(rect(0, 56, 90, 34, "#4a7a3c"))
    # Plate on a white table in the foreground.
    s.add(rect(0, 66, 90, 24, "#f4f2ee"))
    s.add(ellipse(45, 78, 26, 8, "#ffffff", stroke="#d8d8d8", stroke_width=1))
    s.add(ellipse(45, 77, 9, 3, "#8a4a2a"))
    for x, c in ((36, "#5aa04a"), (54, "#e8644a"), (48, "#f2d05a")):
        s.add(circle(x, 76, 1.8, c))


def heuriger(s):
    sky(s, SKY_EVENING)
    s.add(path("M0,44 Q30,26 60,36 T90,30 V60 H0 Z", "#6a8a3c"))
    for i in range(7):
        y = 40 + i * 3.5
        s.add(path(f"M0,{y + 6} Q45,{y - 6} 90,{y + 2}", "none", stroke="#3f6a2a", stroke_width=1.4))
    s.add(rect(0, 56, 90, 34, "#9a8a62"))
    # The gate with its pine branch.
    s.add(rect(30, 34, 30, 34, "#f0e6cc"))
    s.add(path("M28,36 L45,26 L62,36 Z", "#a84a32"))
    s.add(path("M38,68 V50 A7,7 0 0 1 52,50 V68 Z", "#5a3a22"))
    s.add(line(60, 40, 70, 40, "#4a3422", 1.2))
    s.add(line(68, 40, 68, 44, "#4a3422", 0.8))
    for k in range(7):
        a = math.radians(200 + k * 22)
        s.add(line(68, 46, 68 + 6 * math.cos(a), 50 + 6 * math.sin(a) + 2, "#2f5a2a", 2))
    # Tables and string lights.
    s.add(city.string_lights(0, 58, 30, 58, 2, 5, "#ffe2a0", 0.9))
    s.add(city.string_lights(60, 58, 90, 58, 2, 5, "#ffe2a0", 0.9))
    for x in (12, 78):
        s.add(rect(x - 10, 72, 20, 3, "#6a4a2a"))
        s.add(rect(x - 8, 75, 2, 8, "#6a4a2a"), rect(x + 6, 75, 2, 8, "#6a4a2a"))
        s.add(rect(x - 3, 67, 3, 5, "#f3e2a0", fill_opacity=0.8))


def wuerstelstand(s):
    sky(s, SKY_NIGHT)
    s.add(city.houses(Rng(44), -5, 95, 60, 14, 26, "#16223a"))
    s.add(city.lit_windows(Rng(45), 0, 90, 34, 56, "#f6d48a", 12, opacity=(0.3, 0.8)))
    s.add(rect(0, 60, 90, 30, "#262a30"))
    # The stand.
    s.add(rect(12, 28, 66, 34, "#e8e2d4"))
    s.add(path("M8,30 L14,20 H76 L82,30 Z", "#c8323c"))
    for i in range(6):
        s.add(path(f"M{8 + i * 12.3},30 l6,-10 h6 l-6,10 Z", "#ffffff", fill_opacity=0.9))
    s.add(rect(18, 34, 54, 16, "#f6d896"))
    s.add(text(45, 46, "WÜRSTEL", size=8, fill="#7a1c22", anchor="middle", weight="bold"))
    # A cheese sausage with mustard.
    s.add(ellipse(45, 76, 26, 6, "#ffffff"))
    s.add(path("M22,74 Q45,64 68,74 Q45,68 22,74 Z", "#b5652e"))
    s.add(path("M24,73 Q45,64.5 66,73", "none", stroke="#e8a060", stroke_width=5, stroke_linecap="round"))
    s.add(path("M28,70.5 Q35,68 42,69.5 T56,69 T64,71", "none", stroke="#f2c230", stroke_width=1.8,
               stroke_linecap="round"))
    s.add(circle(70, 78, 4, "#f2c230"))
    s.add(ellipse(20, 78, 4, 2.5, "#e8d2a0"))


def loos_bar(s):
    s.add(rect(0, 0, 90, 90, "#2a1a10"))
    # Mirrored coffered ceiling.
    for i in range(5):
        for j in range(3):
            s.add(rect(6 + i * 16, 4 + j * 7, 14, 6, "#5a4632" if (i + j) % 2 else "#3e2e20",
                       stroke="#c8a468", stroke_width=0.6))
    # Onyx panels.
    for x, w in ((6, 24), (33, 24), (60, 24)):
        s.add(rect(x, 26, w, 26, s.lin([(0, "#f0c27a"), (0.5, "#e89a4a"), (1, "#f6d8a0")], x, 26, x + w, 52)))
        for k in range(3):
            s.add(path(f"M{x},{30 + k * 8} Q{x + w / 2},{26 + k * 8} {x + w},{32 + k * 8}", "none", stroke="#c86a2a",
                       stroke_width=0.7, stroke_opacity=0.7))
    s.add(rect(0, 52, 90, 6, "#1a0f08"))
    s.add(rect(0, 58, 90, 32, "#3a2414"))
    s.add(rect(0, 58, 90, 2, "#c8a468"))
    for x in (14, 34, 54, 74):
        s.add(rect(x - 4, 66, 8, 3, "#7a2430"), rect(x - 0.8, 69, 1.6, 14, "#c8a468"))
    for x, y in ((24, 54), (50, 54), (66, 54)):
        s.add(path(f"M{x - 2},{y - 6} L{x + 2},{y - 6} L{x + 1},{y} H{x - 1} Z", "#f2e6c8", fill_opacity=0.8))


def flex(s):
    sky(s, SKY_NIGHT)
    s.add(city.stars(Rng(55), 14, 0, 0, 90, 30))
    s.add(path("M0,20 H90 V40 H82 Q45,10 8,40 H0 Z", "#3a4150"))
    s.add(path("M0,24 H90", "none", stroke="#5a6272", stroke_width=1))
    s.add(rect(0, 40, 90, 50, s.vgrad("#101a2c", "#05080f", 40, 90)))
    s.add(rect(30, 44, 30, 20, "#141824"))
    s.add(rect(40, 50, 10, 14, "#2a1f3c"))
    s.add(rect(31, 38, 28, 7, "#0d0f16"))
    s.add(text(45, 43.5, "FLEX", size=6.5, fill="#ff5fd2", anchor="middle", weight="bold"))
    s.add(rect(0, 64, 90, 3, "#2a2f3a"))
    for x, c in ((18, "#ff5fd2"), (45, "#7fd0f2"), (70, "#b78cff")):
        for i in range(5):
            s.add(line(x - 6 + i, 70 + i * 4, x + 6 - i, 70 + i * 4, c, 1.2, stroke_opacity=0.6 - i * 0.1))
    for x in (24, 60, 66):
        s.add(person(x, 64, 9, "#0a0c12", "#3a3140"))


def staatsoper(s):
    sky(s, SKY_NIGHT)
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#f6c27a", 0.3), (1, "#f6c27a", 0)], 45, 60, 50)))
    s.add(path("M6,36 L14,24 H76 L84,36 Z", "#2f5a52"))
    s.add(rect(30, 16, 30, 10, "#2f5a52"))
    s.add(path("M28,18 Q45,8 62,18 Z", "#2f5a52"))
    s.add(rect(6, 36, 78, 40, "#b9a47c"))
    s.add(windows(10, 40, 7, 1, 10.5, 0, 7, 14, "#ffd68a", arched=True))
    s.add(rect(6, 56, 78, 2, "#8a7756"))
    s.add(windows(9, 60, 7, 1, 10.5, 0, 9, 16, "#ffe4a8", arched=True))
    s.add(rect(0, 76, 90, 14, "#1a2030"))
    s.add(rect(0, 78, 90, 1, "#f6c27a", fill_opacity=0.5))
    for x in (10, 80):
        s.add(line(x, 76, x, 58, "#0d1118", 1.2), circle(x, 57, 2.2, "#fff0c8"))


def musikverein(s):
    s.add(rect(0, 0, 90, 90, "#7a5518"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#ffd67a", 0.55), (1, "#ffd67a", 0)], 45, 30, 60)))
    s.add(rect(0, 0, 90, 14, "#a8782a"))
    for i in range(6):
        s.add(rect(4 + i * 15, 2, 12, 9, "#6a4a18", stroke="#e8c070", stroke_width=0.6))
    # Organ pipes at the back.
    for i in range(15):
        h = 18 + 8 * math.sin(i / 14 * math.pi)
        s.add(rect(24 + i * 2.8, 42 - h, 2, h, "#e8c77a"))
    # Golden caryatids along the sides.
    for x in (6, 18, 72, 84):
        s.add(rect(x - 2, 18, 4, 44, "#e2b24a"))
        s.add(circle(x, 17, 2.5, "#f2cf6a"))
    s.add(rect(0, 42, 90, 4, "#c8952e"))
    for x in (24, 45, 66):
        s.add(line(x, 14, x, 22, "#4a3010", 0.8))
        s.add(ellipse(x, 24, 6, 2.5, "#fff0b8"))
    s.add(rect(0, 62, 90, 28, "#5a1a1e"))
    for row in range(3):
        for k in range(12):
            s.add(circle(4 + k * 7.5 + (row % 2) * 3, 66 + row * 8, 2.2, "#2a0e10"))


def burgtheater(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 40, 90, 36, "#ece2cc"))
    s.add(path("M20,76 V38 Q45,22 70,38 V76 Z", "#efe6d2"))
    s.add(path("M18,38 Q45,20 72,38", "none", stroke="#4f8f7c", stroke_width=5))
    s.add(rect(0, 34, 22, 8, "#4f8f7c"))
    s.add(rect(68, 34, 22, 8, "#4f8f7c"))
    s.add(windows(23, 42, 6, 2, 7.5, 14, 4, 9, "#7f8ea0", arched=True))
    for x in (4, 12, 74, 82):
        s.add(rect(x, 46, 3, 30, "#d7cbb0"))
    s.add(rect(0, 76, 90, 14, "#8c8c8c"))
    s.add(rect(0, 80, 90, 2, "#d9d9d9"))
    s.add(rect(8, 78, 30, 8, "#c8323c", rx=1.5))
    s.add(windows(11, 79.5, 4, 1, 7, 0, 5, 3, "#cfe3f0"))


def naschmarkt(s):
    s.add(rect(0, 0, 90, 90, "#f0e6d4"))
    s.add(rect(0, 0, 90, 30, SKY_DAY[1]))
    for x, c in ((-4, "#2f7a4a"), (44, "#c8323c")):
        s.add(path(f"M{x},30 L{x + 6},16 H{x + 46} L{x + 52},30 Z", c))
        for i in range(4):
            s.add(path(f"M{x + 2 + i * 12},30 l4,-14 h5 l-4,14 Z", "#ffffff", fill_opacity=0.85))
    s.add(rect(0, 30, 90, 10, "#5a3a22"))
    rng = Rng(66)
    bins = [("#e8b83a", "#c8962a"), ("#d8503a", "#a83a2a"), ("#7ab04a", "#5a8a3a"), ("#e8743a", "#c85a2a"),
            ("#9a3a5a", "#7a2a4a"), ("#f2d8a0", "#d8b878")]
    for i in range(6):
        x = 2 + i * 14.8
        top, dark = bins[i]
        s.add(rect(x, 52, 13, 22, "#8a6a44"))
        s.add(path(f"M{x},54 Q{x + 6.5},44 {x + 13},54 Z", top))
        for _ in range(5):
            s.add(circle(round(x + rng.uniform(2, 11), 1), round(rng.uniform(47, 53), 1), 1.2, dark))
        s.add(rect(x + 2, 66, 9, 5, "#ffffff"))
    s.add(rect(0, 74, 90, 16, "#c8bca4"))
    for x in (20, 58):
        s.add(person(x, 88, 12, "#3a4656"))


def kohlmarkt(s):
    sky(s, SKY_DAY)
    s.add(dome(45, 40, 12, "#5fa58e"))
    s.add(rect(30, 40, 30, 14, "#ece4d2"))
    s.add(poly([(0, 0), (34, 30), (34, 64), (0, 90)], "#d9cdb6"))
    s.add(poly([(90, 0), (56, 30), (56, 64), (90, 90)], "#e3d8c2"))
    for i in range(4):
        t = i / 4
        xl = 4 + 26 * t
        xr = 86 - 26 * t
        h = 14 * (1 - t * 0.65)
        s.add(rect(xl, 22 + 12 * t, 4 * (1 - t * 0.6), h, "#6b7a8c"))
        s.add(rect(xr - 4 * (1 - t * 0.6), 22 + 12 * t, 4 * (1 - t * 0.6), h, "#6b7a8c"))
        s.add(rect(xl, 44 + 8 * t, 8 * (1 - t * 0.6), h * 0.9, "#f6d896"))
        s.add(rect(xr - 8 * (1 - t * 0.6), 44 + 8 * t, 8 * (1 - t * 0.6), h * 0.9, "#f6d896"))
    s.add(poly([(34, 64), (56, 64), (90, 90), (0, 90)], "#bdb4a2"))
    for x, h in ((26, 14), (60, 16), (44, 9)):
        s.add(person(x, 88 - (16 - h), h, "#2c3440"))


def hotel_sacher(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 10, 90, 70, "#eadfc8"))
    s.add(windows(6, 14, 6, 2, 14, 14, 6, 9, "#7f8ea0"))
    for i in range(5):
        x = 4 + i * 17.5
        s.add(path(f"M{x},42 H{x + 14} L{x + 16},52 H{x - 2} Z", "#a8151f"))
        s.add(path(f"M{x - 2},52 Q{x + 1},55 {x + 4},52 Q{x + 7},55 {x + 10},52 Q{x + 13},55 {x + 16},52", "none",
                   stroke="#7a0e16", stroke_width=1))
        s.add(rect(x + 1, 54, 12, 14, "#f6d896", fill_opacity=0.9))
    s.add(text(45, 40, "HOTEL SACHER", size=5.5, fill="#8a6a2a", anchor="middle", weight="bold"))
    s.add(rect(0, 78, 90, 12, "#b4aa98"))
    # The doorman.
    s.add(path("M60,88 L61,66 H69 L70,88 Z", "#a8151f"))
    s.add(rect(61, 66, 8, 3, "#c8a24a"))
    s.add(circle(65, 62, 3, "#e8c2a0"))
    s.add(rect(61.5, 57, 7, 3, "#1d2633"))


def hotel_imperial(s):
    sky(s, SKY_DUSK)
    s.add(rect(4, 24, 82, 58, "#e3d2b0"))
    s.add(rect(2, 20, 86, 5, "#cdb88e"))
    s.add(poly([(30, 20), (45, 12), (60, 20)], "#cdb88e"))
    s.add(windows(8, 30, 7, 3, 11, 15, 5, 9, "#ffd98a"))
    s.add(rect(36, 66, 18, 16, "#fff0c8"))
    for x, colours in ((20, ("#c8102e", "#ffffff", "#c8102e")), (43, ("#003399",) * 3),
                       (66, ("#c8102e", "#ffffff", "#c8102e"))):
        s.add(line(x, 22, x + 6, 6, "#c9c4b5", 0.9))
        for i, c in enumerate(colours):
            y = 6.5 + i * 2.4
            s.add(poly([(x + 6 - i * 0.9, y), (x + 17 - i * 0.9, y + 1.5), (x + 17 - i * 0.9, y + 3.9),
                        (x + 5.1 - i * 0.9, y + 2.4)], c))
    s.add(rect(0, 82, 90, 8, "#2c3440"))


def twentyfive_hours(s):
    sky(s, SKY_DUSK)
    sun(s, 70, 46, 5, "#ffd28a")
    s.add(city.houses(Rng(71), -5, 95, 62, 6, 14, "#3a3f5a"))
    s.add(dome(30, 50, 7, "#3f6a64", rib="#2f5048"))
    s.add(dome(58, 52, 6, "#3f6a64", rib="#2f5048"))
    s.add(rect(0, 60, 90, 30, "#2a2230"))
    s.add(rect(0, 60, 90, 2, "#c8a468"))
    for x in range(4, 90, 8):
        s.add(line(x, 62, x, 72, "#c8a468", 1))
    s.add(line(0, 64, 90, 64, "#c8a468", 1))
    s.add(city.string_lights(0, 10, 90, 10, 4, 9, "#ffe2a0", 1))
    for x, c in ((24, "#e2506e"), (46, "#f2b233"), (62, "#7fd0f2")):
        s.add(path(f"M{x - 3},72 L{x + 3},72 L{x + 2},80 H{x - 2} Z", c, fill_opacity=0.85))
        s.add(rect(x - 0.5, 80, 1, 4, "#e8e8e8"))
    s.add(rect(10, 84, 70, 6, "#4a3a30"))


def christkindlmarkt(s):
    sky(s, SKY_NIGHT)
    s.add(city.rathaus(45, 62, 0.52, "#22304a"))
    s.add(city.lit_windows(Rng(81), 16, 74, 48, 60, "#f6d48a", 14, opacity=(0.4, 0.9)))
    s.add(poly([(18, 76), (30, 34), (42, 76)], "#17402a"))
    for y, w in ((46, 6), (56, 10), (66, 14)):
        s.add(city.string_lights(30 - w, y, 30 + w, y + 2, 1.5, 6, "#ffe2a0", 0.9))
    s.add(poly(star_points(30, 33, 3.5, 1.5), "#ffe2a0"))
    s.add(city.string_lights(0, 40, 90, 40, 4, 12, "#ffe2a0", 0.9, "#556"))
    for x, roof in ((48, "#a8323c"), (68, "#2f6a3a")):
        s.add(rect(x, 66, 18, 12, "#3a2a20"))
        s.add(poly([(x - 2, 67), (x + 9, 60), (x + 20, 67)], roof))
        s.add(rect(x + 2, 69, 14, 5, "#ffd68a", fill_opacity=0.8))
    s.add(rect(0, 78, 90, 12, "#1a2030"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#ffd68a", 0.2), (1, "#ffd68a", 0)], 45, 70, 45)))


def opernball(s):
    s.add(rect(0, 0, 90, 90, "#4a0f16"))
    # Boxes in tiers.
    for row in range(3):
        y = 6 + row * 14
        s.add(rect(0, y + 10, 90, 2, "#d8a93a"))
        for k in range(7):
            x = 2 + k * 13
            s.add(path(f"M{x},{y + 10} V{y + 4} Q{x + 5.5},{y} {x + 11},{y + 4} V{y + 10} Z", "#2a070b"))
            s.add(circle(x + 5.5, y + 7, 1.2, "#ffd68a"))
    s.add(rect(0, 48, 90, 42, "#c99a5a"))
    for i in range(6):
        s.add(line(0, 50 + i * 7, 90, 50 + i * 7, "#b1844a", 0.8))

    def couple(x, base, k):
        return group([
            path(f"M{x - 9 * k},{base} Q{x - 2 * k},{base - 14 * k} {x},{base - 20 * k} "
                 f"Q{x + 3 * k},{base - 14 * k} {x + 7 * k},{base} Z", "#fbf8f2"),
            path(f"M{x - 1.5 * k},{base - 20 * k} L{x - 2.5 * k},{base - 28 * k} H{x + 2.5 * k} L{x + 1.5 * k},{base - 20 * k} Z",
                 "#fbf8f2"),
            circle(x, base - 30 * k, 2.3 * k, "#e8c2a0"),
            circle(x, base - 31 * k, 1.2 * k, "#fbf8f2"),
            path(f"M{x + 5 * k},{base} L{x + 6 * k},{base - 27 * k} H{x + 12 * k} L{x + 13 * k},{base} Z", "#14161c"),
            circle(x + 9 * k, base - 30 * k, 2.3 * k, "#e8c2a0"),
        ])

    s.add(couple(18, 86, 1.1), couple(52, 82, 0.95), couple(74, 88, 1.0), couple(36, 70, 0.7))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#ffd68a", 0.2), (1, "#ffd68a", 0)], 45, 20, 50)))


def donauinsel(s):
    sky(s, SKY_DAY)
    s.add(line(72, 46, 72, 14, "#b9c2cc", 2))
    s.add(ellipse(72, 20, 4, 2.5, "#b9c2cc"))
    s.add(line(72, 14, 72, 8, "#b9c2cc", 0.8))
    s.add(rect(0, 44, 90, 10, "#5a9ad0"))
    s.add(rect(0, 44, 90, 2, "#8fc0e6"))
    s.add(rect(0, 54, 90, 36, "#6aa84c"))
    s.add(poly([(0, 66), (90, 58), (90, 68), (0, 82)], "#d8cdb2"))
    s.add(line(0, 74, 90, 63, "#ffffff", 0.8, stroke_dasharray="4,3"))
    for x in (12, 84):
        s.add(tree(x, 60, 5))
    # A cyclist.
    cx, cy = 40, 68
    s.add(circle(cx - 6, cy + 4, 4, "none", stroke="#1d2633", stroke_width=1.2))
    s.add(circle(cx + 6, cy + 3, 4, "none", stroke="#1d2633", stroke_width=1.2))
    s.add(polyline([(cx - 6, cy + 4), (cx - 1, cy - 1), (cx + 6, cy + 3), (cx + 4, cy - 3), (cx - 2, cy - 2)],
                   "#c8323c", 1.4))
    s.add(path(f"M{cx - 1},{cy - 1} L{cx + 1},{cy - 9} L{cx + 4},{cy - 4}", "none", stroke="#f2b233",
               stroke_width=2.4, stroke_linecap="round"))
    s.add(circle(cx + 2, cy - 11, 2, "#e8c2a0"))


def kahlenberg(s):
    sky(s, SKY_EVENING)
    s.add(rect(0, 36, 90, 14, "#b8a48a"))
    s.add(city.houses(Rng(91), -5, 95, 46, 2, 5, "#8a7a6a"))
    s.add(path("M0,42 Q30,38 60,44 T90,40", "none", stroke="#8fc0e6", stroke_width=2))
    s.add(line(58, 40, 58, 30, "#6a5a4a", 1))
    s.add(path("M0,52 Q40,44 90,50 V90 H0 Z", "#5a7a34"))
    for i in range(9):
        y = 56 + i * 4.2
        s.add(path(f"M-5,{y + 8} Q45,{y - 4} 95,{y + 4}", "none", stroke="#3a5a22", stroke_width=1.6))
    s.add(path("M0,52 Q40,44 90,50", "none", stroke="#7a9a4a", stroke_width=1))


def tiergarten(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 56, 90, 34, "#7ab05a"))
    # The octagonal pavilion.
    s.add(rect(30, 34, 30, 24, "#f2c14e"))
    s.add(path("M26,36 L34,24 H56 L64,36 Z", "#4f8f7c"))
    s.add(path("M38,24 Q45,14 52,24 Z", "#4f8f7c"))
    s.add(windows(33, 40, 3, 1, 9, 0, 5, 10, "#7a5a2a", arched=True))
    # A giant panda with bamboo.
    px, py = 24, 76
    s.add(ellipse(px, py, 13, 10, "#f6f4ef"))
    s.add(ellipse(px - 7, py + 7, 5, 4, "#1c1c20"))
    s.add(ellipse(px + 7, py + 7, 5, 4, "#1c1c20"))
    s.add(circle(px + 2, py - 12, 8, "#f6f4ef"))
    s.add(circle(px - 4, py - 19, 3, "#1c1c20"), circle(px + 8, py - 19, 3, "#1c1c20"))
    s.add(ellipse(px - 1, py - 12, 2.2, 3, "#1c1c20", transform=f"rotate(20 {px - 1} {py - 12})"))
    s.add(ellipse(px + 5, py - 12, 2.2, 3, "#1c1c20", transform=f"rotate(-20 {px + 5} {py - 12})"))
    s.add(circle(px + 2, py - 8, 1.2, "#1c1c20"))
    s.add(ellipse(px + 11, py - 3, 4, 5, "#1c1c20"))
    for k in range(3):
        s.add(line(px + 14 + k * 3, py + 8, px + 20 + k * 2, py - 16, "#6aa83a", 1.4))
        s.add(path(f"M{px + 19 + k * 2},{py - 10} l5,-2 l-5,3 Z", "#4f8a2a"))


def palmenhaus(s):
    sky(s, SKY_DAY)
    s.add(rect(0, 70, 90, 20, "#6aa84c"))
    for cx, w, h in ((18, 16, 22), (45, 24, 38), (72, 16, 22)):
        d = f"M{cx - w},72 V{72 - h * 0.4} Q{cx - w},{72 - h} {cx},{72 - h} Q{cx + w},{72 - h} {cx + w},{72 - h * 0.4} V72 Z"
        s.add(path(d, "#cfe6ee", fill_opacity=0.85, stroke="#4f5a66", stroke_width=1.4))
        for k in range(-3, 4):
            s.add(line(cx + k * w / 4, 72, cx + k * w / 4 * 0.6, 72 - h * 0.95 + abs(k) * h * 0.08, "#4f5a66", 0.7))
        for k in range(1, 4):
            y = 72 - h * k / 4
            s.add(line(cx - w, y, cx + w, y, "#4f5a66", 0.6, stroke_opacity=0.8))
    s.add(path("M45,60 Q40,46 34,42 M45,60 Q50,44 58,42 M45,60 Q45,42 46,36", "none", stroke="#3f7a3a",
               stroke_width=2, stroke_linecap="round"))
    s.add(rect(0, 72, 90, 2, "#9a8f7c"))


# ---- video thumbnails ---------------------------------------------------------------------------

def schoenbrunn_from_gloriette(s):
    sky(s, SKY_EVENING)
    s.add(city.houses(Rng(101), -5, 95, 30, 3, 7, "#8a8a98"))
    s.add(rect(0, 30, 90, 60, "#5f9a4a"))
    s.add(rect(28, 28, 34, 6, "#f2c14e"))
    s.add(rect(40, 25, 10, 4, "#f2c14e"))
    s.add(poly([(42, 34), (48, 34), (80, 90), (10, 90)], "#e6dcc2"))
    for side in (-1, 1):
        s.add(poly([(45 + side * 4, 36), (45 + side * 10, 36), (45 + side * 38, 90), (45 + side * 22, 90)],
                   "#3f8a3c"))
    s.add(ellipse(45, 60, 8, 2.5, "#8fc0e6"))
    s.add(rect(0, 82, 90, 8, "#d8cdb2"))
    for i in range(6):
        s.add(rect(2 + i * 15, 78, 3, 12, "#e8e0cc"))
    s.add(rect(0, 76, 90, 3, "#e8e0cc"))


def waiter(s):
    s.add(rect(0, 0, 90, 90, "#3b2a1d"))
    s.add(rect(0, 0, 90, 90, s.rad([(0, "#f4c27a", 0.35), (1, "#f4c27a", 0)], 50, 30, 60)))
    s.add(rect(0, 62, 90, 28, "#5a3f2a"))
    # Waiter in black with a white apron, tray held high.
    s.add(path("M36,90 L38,48 Q45,42 52,48 L54,90 Z", "#15171c"))
    s.add(path("M39,64 H51 L53,90 H37 Z", "#f4f1ea"))
    s.add(path("M40,48 L45,56 L50,48", "none", stroke="#f4f1ea", stroke_width=2))
    s.add(circle(45, 38, 6, "#e8c2a0"))
    s.add(path("M39,36 Q45,28 51,36 Q45,33 39,36 Z", "#2a1d14"))
    s.add(stroked("M52,50 L62,40 L64,28", "#15171c", 4))
    s.add(ellipse(64, 26, 14, 2.6, "#d8dde3"))
    s.add(ellipse(64, 25.4, 13, 2, "#eef1f4"))
    # Melange and a glass of water on the tray.
    s.add(path("M58,25 H66 V21 Q66,17 62,17 Q58,17 58,21 Z", "#f7f4ee"))
    s.add(ellipse(62, 17.5, 4, 1.4, "#e8c8a0"))
    s.add(rect(68, 15, 4, 10, "#cfe6f2", fill_opacity=0.8))
    s.add(path("M61,14 q1.5,-2 0,-4 M63.5,14 q1.5,-2 0,-4", "none", stroke="#ffffff", stroke_width=0.8,
               stroke_opacity=0.7))


VENUES = {
    "venue-stephansdom": stephansdom,
    "venue-schoenbrunn": schoenbrunn,
    "venue-hofburg": hofburg,
    "venue-belvedere": belvedere,
    "venue-karlskirche": karlskirche,
    "venue-riesenrad": riesenrad,
    "venue-hundertwasserhaus": hundertwasser,
    "venue-rathaus": rathaus,
    "venue-parlament": parlament,
    "venue-votivkirche": votivkirche,
    "venue-secession": secession,
    "venue-khm": khm,
    "venue-nhm": nhm,
    "venue-albertina": albertina,
    "venue-mumok": mumok,
    "venue-leopold": leopold,
    "venue-mak": mak,
    "venue-hausdermusik": haus_der_musik,
    "venue-cafe-central": cafe_central,
    "venue-cafe-sperl": cafe_sperl,
    "venue-demel": demel,
    "venue-cafe-sacher": cafe_sacher,
    "venue-figlmueller": figlmueller,
    "venue-steirereck": steirereck,
    "venue-heuriger": heuriger,
    "venue-wuerstelstand": wuerstelstand,
    "venue-loos-bar": loos_bar,
    "venue-flex": flex,
    "venue-staatsoper": staatsoper,
    "venue-musikverein": musikverein,
    "venue-burgtheater": burgtheater,
    "venue-naschmarkt": naschmarkt,
    "venue-kohlmarkt": kohlmarkt,
    "venue-hotel-sacher": hotel_sacher,
    "venue-hotel-imperial": hotel_imperial,
    "venue-25hours": twentyfive_hours,
    "venue-christkindlmarkt": christkindlmarkt,
    "venue-opernball": opernball,
    "venue-donauinsel": donauinsel,
    "venue-kahlenberg": kahlenberg,
    "venue-tiergarten": tiergarten,
    "venue-palmenhaus": palmenhaus,
}

VIDEOS = {
    "video-old-town": stephansdom,
    "video-schoenbrunn": schoenbrunn_from_gloriette,
    "video-coffee-houses": waiter,
    "video-christmas-markets": christkindlmarkt,
    "video-prater": riesenrad,
    "video-danube": donauinsel,
    "video-opera": staatsoper,
}


def video_thumbnail(builder):
    """The scene enlarged to fill 120 x 90 (its middle kept), with a play mark."""
    inner = Svg(90, 90)
    builder(inner)
    s = Svg(120, 90)
    s.defs.extend(inner.defs)
    s._next = inner._next  # keep gradient ids unique after adopting the scene's
    s.add(group(inner.body, transform="translate(0 -15) scale(1.3333)"))
    s.add(rect(0, 0, 120, 90, s.lin([(0, "#000000", 0), (0.7, "#000000", 0), (1, "#000000", 0.45)], 0, 0, 0, 90)))
    s.add(circle(102, 74, 10, "#000000", fill_opacity=0.55, stroke="#ffffff", stroke_width=1.5))
    s.add(poly([(99, 69), (99, 79), (107.5, 74)], "#ffffff"))
    return s


def pictures():
    result = {}
    for name, builder in VENUES.items():
        s = _scene(builder)
        s.add(rect(0, 0, 90, 90, s.rad([(0, "#000000", 0), (0.75, "#000000", 0), (1, "#000000", 0.25)], 45, 45, 64)))
        result[name] = s
    for name, builder in VIDEOS.items():
        result[name] = video_thumbnail(builder)
    return result
