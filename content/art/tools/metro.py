"""The schematic map of Vienna's U-Bahn (U1, U2, U3, U4, U6) and its thumbnail.

Stations are listed in line order with their place on the schematic and where the name goes:
r / l = right / left, a / b = above / below, ar, al, br, bl = the corners, dl = rotated, down-left.
A station on several lines is an interchange; its label is placed by the first line that lists it."""

import math

from svglib import BLUE, INK, Svg, circle, fmt, group, line, path, rect, text

LINE_COLOURS = {
    "U1": "#e3000f",
    "U2": "#a862a4",
    "U3": "#ef7c00",
    "U4": "#00963f",
    "U6": "#9d6930",
}

# Each line: the drawn course (with its bends), then its stations in order.
LINES = {
    "U1": {
        "course": [(1040, 110), (770, 380), (740, 410), (640, 510), (640, 920), (790, 1070)],
        "stations": [
            ("Leopoldau", 1040, 110, "r"),
            ("Großfeldsiedlung", 1010, 140, "r"),
            ("Aderklaaer Straße", 980, 170, "r"),
            ("Rennbahnweg", 950, 200, "r"),
            ("Kagraner Platz", 920, 230, "r"),
            ("Kagran", 890, 260, "r"),
            ("Alte Donau", 860, 290, "r"),
            ("Kaisermühlen-VIC", 830, 320, "r"),
            ("Donauinsel", 800, 350, "r"),
            ("Vorgartenstraße", 770, 380, "r"),
            ("Praterstern", 740, 410, "r"),
            ("Nestroyplatz", 690, 460, "r"),
            ("Schwedenplatz", 640, 510, (-12, 28, "end")),
            ("Stephansplatz", 640, 600, "ar"),
            ("Karlsplatz", 640, 690, "br"),
            ("Taubstummengasse", 640, 750, "r"),
            ("Südtiroler Platz-Hauptbahnhof", 640, 810, "r"),
            ("Keplerplatz", 640, 860, "r"),
            ("Reumannplatz", 640, 910, "r"),
            ("Troststraße", 670, 950, "r"),
            ("Altes Landgut", 700, 980, "r"),
            ("Alaudagasse", 730, 1010, "r"),
            ("Neulaa", 760, 1040, "r"),
            ("Oberlaa", 790, 1070, "r"),
        ],
    },
    "U2": {
        "course": [(640, 690), (550, 690), (520, 660), (520, 530), (590, 460), (640, 410), (740, 410),
                   (860, 530), (1025, 530), (1175, 380)],
        "stations": [
            ("Karlsplatz", 640, 690, None),
            ("Museumsquartier", 580, 690, "a"),
            ("Volkstheater", 520, 600, "ar"),
            ("Rathaus", 520, 565, "l"),
            ("Schottentor", 520, 530, "l"),
            ("Schottenring", 590, 460, "l"),
            ("Taborstraße", 690, 410, "a"),
            ("Praterstern", 740, 410, None),
            ("Messe-Prater", 770, 440, "r"),
            ("Krieau", 800, 470, "r"),
            ("Stadion", 830, 500, "r"),
            ("Donaumarina", 860, 530, "l"),
            ("Donaustadtbrücke", 965, 530, "bl"),
            ("Stadlau", 1000, 530, "b"),
            ("Hardeggasse", 1050, 505, "l"),
            ("Donauspital", 1075, 480, "l"),
            ("Aspernstraße", 1100, 455, "l"),
            ("Hausfeldstraße", 1125, 430, "l"),
            ("Aspern Nord", 1150, 405, "l"),
            ("Seestadt", 1175, 380, "l"),
        ],
    },
    "U3": {
        "course": [(170, 560), (270, 660), (400, 660), (460, 600), (680, 600), (770, 690), (1010, 930)],
        "stations": [
            ("Ottakring", 170, 560, "l"),
            ("Kendlerstraße", 205, 595, "l"),
            ("Hütteldorfer Straße", 240, 630, "l"),
            ("Johnstraße", 300, 660, "a"),
            ("Schweglerstraße", 350, 660, "b"),
            ("Westbahnhof", 400, 660, "br"),
            ("Zieglergasse", 430, 630, "r"),
            ("Neubaugasse", 488, 600, "a"),
            ("Volkstheater", 520, 600, None),
            ("Herrengasse", 580, 600, "b"),
            ("Stephansplatz", 640, 600, None),
            ("Stubentor", 715, 635, "bl"),
            ("Landstraße", 770, 690, "r"),
            ("Rochusgasse", 800, 720, "r"),
            ("Kardinal-Nagl-Platz", 830, 750, "r"),
            ("Schlachthausgasse", 860, 780, "r"),
            ("Erdberg", 890, 810, "r"),
            ("Gasometer", 920, 840, "r"),
            ("Zippererstraße", 950, 870, "r"),
            ("Enkplatz", 980, 900, "r"),
            ("Simmering", 1010, 930, "r"),
        ],
    },
    "U4": {
        "course": [(85, 750), (580, 750), (640, 690), (770, 690), (770, 580), (700, 510), (640, 510),
                   (470, 340), (410, 280)],
        "stations": [
            ("Hütteldorf", 85, 750, "dl"),
            ("Ober St. Veit", 130, 750, "dl"),
            ("Unter St. Veit", 175, 750, "dl"),
            ("Braunschweiggasse", 220, 750, "dl"),
            ("Hietzing", 265, 750, "dl"),
            ("Schönbrunn", 310, 750, "dl"),
            ("Meidling Hauptstraße", 355, 750, "dl"),
            ("Längenfeldgasse", 400, 750, "al"),
            ("Margaretengürtel", 450, 750, (6, 21, "middle")),
            ("Pilgramgasse", 505, 750, "a"),
            ("Kettenbrückengasse", 560, 750, (14, 38, "middle")),
            ("Karlsplatz", 640, 690, None),
            ("Stadtpark", 705, 690, "a"),
            ("Landstraße", 770, 690, None),
            ("Schwedenplatz", 640, 510, None),
            ("Schottenring", 590, 460, None),
            ("Roßauer Lände", 550, 420, "l"),
            ("Friedensbrücke", 510, 380, "r"),
            ("Spittelau", 470, 340, "r"),
            ("Heiligenstadt", 410, 280, "l"),
        ],
    },
    "U6": {
        "course": [(400, 1070), (400, 410), (675, 135)],
        "stations": [
            ("Siebenhirten", 400, 1070, "r"),
            ("Perfektastraße", 400, 1030, "r"),
            ("Erlaaer Straße", 400, 990, "r"),
            ("Alterlaa", 400, 950, "r"),
            ("Am Schöpfwerk", 400, 910, "r"),
            ("Tscherttegasse", 400, 870, "r"),
            ("Bahnhof Meidling", 400, 830, "r"),
            ("Niederhofstraße", 400, 790, "r"),
            ("Längenfeldgasse", 400, 750, None),
            ("Gumpendorfer Straße", 400, 705, "r"),
            ("Westbahnhof", 400, 660, None),
            ("Burggasse-Stadthalle", 400, 615, "l"),
            ("Thaliastraße", 400, 575, "l"),
            ("Josefstädter Straße", 400, 535, "l"),
            ("Alser Straße", 400, 495, "l"),
            ("Michelbeuern-AKH", 400, 455, "l"),
            ("Währinger Straße-Volksoper", 400, 415, "l"),
            ("Nußdorfer Straße", 435, 375, "l"),
            ("Spittelau", 470, 340, None),
            ("Jägerstraße", 505, 305, "r"),
            ("Dresdner Straße", 540, 270, "r"),
            ("Handelskai", 575, 235, "r"),
            ("Neue Donau", 635, 175, "r"),
            ("Floridsdorf", 675, 135, "r"),
        ],
    },
}

# Water, as centre lines through which smooth curves are drawn.
DANUBE = [(455, -20), (520, 110), (598, 212), (700, 300), (783, 366), (850, 440), (905, 530), (1010, 660),
          (1220, 880)]
NEW_DANUBE = [(490, -20), (556, 100), (626, 190), (724, 272), (813, 337), (884, 420), (937, 508), (1040, 640),
              (1220, 835)]
DANUBE_CANAL = [(505, 80), (497, 250), (498, 330), (560, 398), (650, 482), (730, 505), (800, 585),
                (860, 720), (1000, 855), (1050, 810), (1100, 754)]
OLD_DANUBE = [(900, 345), (880, 300), (872, 240), (884, 185), (915, 140)]


def smooth(points):
    """A Catmull-Rom curve through the points, as cubic Bezier path data."""
    d = [f"M{fmt(points[0][0])},{fmt(points[0][1])}"]
    for i in range(len(points) - 1):
        p0 = points[i - 1] if i > 0 else points[i]
        p1, p2 = points[i], points[i + 1]
        p3 = points[i + 2] if i + 2 < len(points) else p2
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d.append(f"C{fmt(c1[0])},{fmt(c1[1])} {fmt(c2[0])},{fmt(c2[1])} {fmt(p2[0])},{fmt(p2[1])}")
    return " ".join(d)


def rounded_course(points, r=22):
    """A polyline with rounded bends."""
    d = [f"M{fmt(points[0][0])},{fmt(points[0][1])}"]
    for i in range(1, len(points) - 1):
        (x0, y0), (x1, y1), (x2, y2) = points[i - 1], points[i], points[i + 1]
        l1 = math.hypot(x1 - x0, y1 - y0)
        l2 = math.hypot(x2 - x1, y2 - y1)
        rr = min(r, l1 / 2, l2 / 2)
        a = (x1 - (x1 - x0) / l1 * rr, y1 - (y1 - y0) / l1 * rr)
        b = (x1 + (x2 - x1) / l2 * rr, y1 + (y2 - y1) / l2 * rr)
        d.append(f"L{fmt(a[0])},{fmt(a[1])} Q{fmt(x1)},{fmt(y1)} {fmt(b[0])},{fmt(b[1])}")
    d.append(f"L{fmt(points[-1][0])},{fmt(points[-1][1])}")
    return " ".join(d)


LABEL_OFFSETS = {
    "r": (13, 4.5, "start"), "l": (-13, 4.5, "end"), "a": (0, -12, "middle"), "b": (0, 21, "middle"),
    "ar": (10, -10, "start"), "al": (-10, -10, "end"), "br": (11, 20, "start"), "bl": (-11, 20, "end"),
}


def station_label(name, x, y, where, size, weight):
    if where == "dl":
        return el_text(x - 6, y + 14, name, size, weight, "end", f"rotate(-45 {fmt(x - 6)} {fmt(y + 14)})")
    dx, dy, anchor = where if isinstance(where, tuple) else LABEL_OFFSETS[where]
    return el_text(x + dx, y + dy, name, size, weight, anchor)


def el_text(x, y, content, size, weight, anchor, transform=None):
    return text(x, y, content, size=size, fill=INK, anchor=anchor, weight=weight, transform=transform)


def badge(x, y, name, size=26):
    return group([
        rect(x, y, size, size, LINE_COLOURS[name], rx=5),
        text(x + size / 2, y + size * 0.7, name, size=size * 0.52, fill="#ffffff", anchor="middle",
             weight="bold"),
    ])


def draw_network(s, label=True):
    # Water first.
    water = "#cfe8f6"
    s.add(path(smooth(DANUBE), "none", stroke=water, stroke_width=26, stroke_linecap="round"))
    s.add(path(smooth(NEW_DANUBE), "none", stroke=water, stroke_width=12, stroke_linecap="round"))
    s.add(path(smooth(DANUBE_CANAL), "none", stroke=water, stroke_width=9, stroke_linecap="round"))
    s.add(path(smooth(OLD_DANUBE), "none", stroke=water, stroke_width=14, stroke_linecap="round"))
    if label:
        river = "#4a90b8"
        s.add(text(0, 0, "Donau", size=17, fill=river, weight="bold", font_style="italic",
                   transform="translate(652 244) rotate(40)"))
        s.add(text(0, 0, "Neue Donau", size=12, fill=river, font_style="italic",
                   transform="translate(1004 560) rotate(52)"))
        s.add(text(0, 0, "Donaukanal", size=12, fill=river, font_style="italic",
                   transform="translate(826 656) rotate(66)"))
        s.add(text(0, 0, "Alte Donau", size=12, fill=river, font_style="italic",
                   transform="translate(902 236) rotate(-80)"))

    # Lines, each with a thin white casing so crossings read.
    for name, line_info in LINES.items():
        s.add(path(rounded_course(line_info["course"]), "none", stroke="#ffffff", stroke_width=13,
                   stroke_linejoin="round", stroke_linecap="round"))
        s.add(path(rounded_course(line_info["course"]), "none", stroke=LINE_COLOURS[name], stroke_width=9,
                   stroke_linejoin="round", stroke_linecap="round"))

    # Stations.
    lines_at = {}
    for name, line_info in LINES.items():
        for station, x, y, _ in line_info["stations"]:
            lines_at.setdefault(station, []).append((name, x, y))
    for station, uses in lines_at.items():
        positions = {(x, y) for _, x, y in uses}
        if len(positions) != 1:
            raise ValueError(f"{station} is placed differently on its lines")
    terminals = {line_info["stations"][0][0] for line_info in LINES.values()} | {line_info["stations"][-1][0]
                                                                      for line_info in LINES.values()}
    drawn = set()
    for name, line_info in LINES.items():
        for station, x, y, where in line_info["stations"]:
            if station in drawn:
                continue
            drawn.add(station)
            interchange = len(lines_at[station]) > 1
            if interchange:
                s.add(circle(x, y, 10, "#ffffff", stroke=INK, stroke_width=3.2))
            else:
                s.add(circle(x, y, 5.6, "#ffffff", stroke=LINE_COLOURS[name], stroke_width=3))
            if label and where:
                bold = "bold" if interchange or station in terminals else None
                s.add(station_label(station, x, y, where, 14 if interchange else 13, bold))
    return lines_at


def metro_map():
    s = Svg(1200, 1200)
    s.add(rect(0, 0, 1200, 1200, "#ffffff"))
    draw_network(s)
    # Line badges at the ends of each line.
    ends = {
        "U1": [(1060, 72), (818, 1090)],
        "U2": [(1162, 338), (606, 702)],
        "U3": [(128, 514), (1040, 948)],
        "U4": [(20, 737), (394, 238)],
        "U6": [(372, 1100), (696, 92)],
    }
    for name, spots in ends.items():
        for x, y in spots:
            s.add(badge(x, y, name))
    # Title and legend.
    s.add(rect(40, 40, 6, 84, BLUE))
    s.add(text(60, 78, "Wien U-Bahn", size=34, fill=INK, weight="bold"))
    s.add(text(60, 106, "Vienna underground \u00b7 schematic network map", size=15, fill="#5a6676"))
    lx, ly = 40, 930
    s.add(rect(lx, ly, 300, 230, "#f4f7fa", rx=8, stroke="#dfe6ee", stroke_width=1))
    s.add(text(lx + 18, ly + 32, "Lines", size=15, fill=INK, weight="bold"))
    for i, (name, ends_text) in enumerate((
            ("U1", "Leopoldau \u2013 Oberlaa"), ("U2", "Seestadt \u2013 Karlsplatz"),
            ("U3", "Ottakring \u2013 Simmering"), ("U4", "Hütteldorf \u2013 Heiligenstadt"),
            ("U6", "Siebenhirten \u2013 Floridsdorf"))):
        y = ly + 48 + i * 30
        s.add(badge(lx + 18, y, name, 22))
        s.add(line(lx + 50, y + 11, lx + 80, y + 11, LINE_COLOURS[name], 7, stroke_linecap="butt"))
        s.add(text(lx + 92, y + 16, ends_text, size=13, fill=INK))
    s.add(circle(lx + 29, ly + 210, 8, "#ffffff", stroke=INK, stroke_width=3))
    s.add(text(lx + 50, ly + 215, "Interchange", size=13, fill=INK))
    s.add(circle(lx + 170, ly + 210, 5.6, "#ffffff", stroke=LINE_COLOURS["U3"], stroke_width=3))
    s.add(text(lx + 186, ly + 215, "Station", size=13, fill=INK))
    s.add(text(1160, 1170, "Not to scale", size=12, fill="#8a94a0", anchor="end", font_style="italic"))
    return s


def metro_thumb():
    s = Svg(90, 90)
    s.add(rect(0, 0, 90, 90, "#ffffff"))
    # The centre of the network around Stephansplatz, enlarged.
    inner = Svg(1200, 1200)
    draw_network(inner, label=False)
    s.defs.extend(inner.defs)
    s.add(group(inner.body, transform="translate(45 45) scale(0.28) translate(-640 -560)"))
    s.add(rect(0.5, 0.5, 89, 89, "none", stroke="#c8d2dc", stroke_width=1))
    s.add(rect(6, 6, 24, 24, "#1d5096", rx=4))
    s.add(path("M12.5,10.5 V18.5 A5.5,5.5 0 0 0 23.5,18.5 V10.5", "none", stroke="#ffffff", stroke_width=3.2))
    return s


def pictures():
    return {"MetroMap": metro_map(), "MetroMapThumb": metro_thumb()}


