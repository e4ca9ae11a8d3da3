"""Chapter icons (36 x 36) and tool-bar icons (28 x 28): white 2-point outlines on transparent,
with one accent in the guide's blue or warm gold, legible on the dark grid and tool bar."""

import math

from svglib import (BLUE, RED, STROKE, WARM, WARM_LIGHT, WHITE, Svg, circle, fmt, group, line, path, poly,
                    polyline, rect, star_points, stroked, text)

W = WHITE


def _icon(size, *parts):
    s = Svg(size, size)
    s.add(*parts)
    return s


# ---- chapter icons ------------------------------------------------------------------------------

def chapter_sights():
    return _icon(36,
        stroked("M3.5,33 H32.5"),
        stroked("M8.5,33 V19.5 L10.5,16.5 L13,3.5 L15.5,16.5 L17.5,19.5 V33"),
        line(13, 21, 13, 26, BLUE, STROKE),
        stroked("M17.5,23 L25,11.5 L32.5,23 V33"),
        polyline([(20.2, 21.2), (22.1, 18.4), (24, 21.2), (25.9, 18.4), (27.8, 21.2), (29.7, 18.4)], WARM, 1.6),
        polyline([(20.2, 26), (22.1, 23.2), (24, 26), (25.9, 23.2), (27.8, 26), (29.7, 23.2)], WARM, 1.6),
    )


def chapter_museums():
    return _icon(36,
        stroked("M11,13.5 A7,6.5 0 0 1 25,13.5", WARM),
        line(18, 7, 18, 3.5, WARM, STROKE),
        stroked("M5,16 L18,13.5 L31,16 Z"),
        *[line(x, 19, x, 28.5, W, STROKE) for x in (8.5, 14.5, 21.5, 27.5)],
        stroked("M5,31 H31"),
        stroked("M3.5,34 H32.5"),
        rect(16.5, 21.5, 3, 7, BLUE, rx=1),
    )


def chapter_cafes():
    return _icon(36,
        stroked("M4.5,17 H21.5 V21 C21.5,26 17.5,29.5 13,29.5 C8.5,29.5 4.5,26 4.5,21 Z"),
        stroked("M21.5,18.5 C26,18.5 26,24.5 20.8,25"),
        stroked("M2.5,32.5 H24"),
        path("M6.5,17 Q13,11.5 19.5,17 Z", WARM_LIGHT),
        stroked("M10,11 Q12,9 10,7 Q8,5 10,3", BLUE, 1.6),
        stroked("M15,11 Q17,9 15,7 Q13,5 15,3", BLUE, 1.6),
        path("M27.6,22 L28.2,31.2 H32.3 L32.9,22 Z", BLUE, fill_opacity=0.7),
        stroked("M26.5,13.5 L27.7,32.5 H32.8 L34,13.5", W, 1.6),
    )


def chapter_dining():
    return _icon(36,
        circle(18, 19, 10.5, stroke=W, stroke_width=STROKE),
        circle(18, 19, 7, stroke=W, stroke_width=1, stroke_opacity=0.5),
        path("M11.5,20.5 C11,16.5 14.5,13 19,13.5 C23.5,14 25.5,17 24.5,20.5 C23.5,24 20,25 16.5,24.5 "
             "C13.5,24 11.8,22.8 11.5,20.5 Z", WARM),
        path("M15,17.5 l1.5,1 M19,16.5 l1.5,1 M17,21 l1.5,1", stroke="#a8661a", stroke_width=1.2,
             stroke_linecap="round"),
        path("M21.5,25.5 A4,4 0 0 1 27.5,20.5 Z", WARM_LIGHT),
        stroked("M2.5,7 V12.5 Q2.5,15 4.2,15 Q5.9,15 5.9,12.5 V7 M4.2,15 V31", W, 1.6),
        stroked("M4.2,7 V12", W, 1.2),
        stroked("M32,31 V7 Q35,10.5 34.5,19 H32", W, 1.6),
    )


def chapter_nightlife():
    return _icon(36,
        poly([(7.5, 12.5), (20.5, 12.5), (14, 19)], BLUE, fill_opacity=0.85),
        stroked("M5,10.5 H23 L14,20.5 Z"),
        stroked("M14,20.5 V30"),
        stroked("M9,31 H19"),
        circle(18.5, 13.5, 1.8, RED),
        line(18.5, 13.5, 22, 6.5, W, 1.2),
        path("M28.5,3 A7,7 0 1 0 34,14.5 A5.6,5.6 0 1 1 28.5,3 Z", WARM),
        poly(star_points(31, 24, 2.2, 0.9, 4), W),
        poly(star_points(25, 29, 1.6, 0.7, 4), W, fill_opacity=0.8),
    )


def chapter_stage():
    violin = group([
        circle(18, 25.5, 4.6, WARM), circle(18, 18.8, 3.6, WARM),
        rect(16.4, 21.2, 3.2, 2.2, WARM),
        circle(16.4, 22.3, 1, "#8a5210"), circle(19.6, 22.3, 1, "#8a5210"),
        line(18, 15.5, 18, 7, WARM_LIGHT, 1.6),
        rect(16.9, 5, 2.2, 3, WARM_LIGHT, rx=0.8),
        line(18, 19, 18, 28.5, "#8a5210", 0.8),
    ], transform="rotate(-25 18 20)")
    return _icon(36,
        stroked("M3.5,33 V8.5 Q18,1 32.5,8.5 V33"),
        path("M4.5,9 Q9,9.5 11.5,9 Q10,18 12.5,32.5 H4.5 Z", RED, fill_opacity=0.8),
        path("M31.5,9 Q27,9.5 24.5,9 Q26,18 23.5,32.5 H31.5 Z", RED, fill_opacity=0.8),
        stroked("M4.5,9.5 Q8,14 11.5,9.5 M24.5,9.5 Q28,14 31.5,9.5", WARM, 1.4),
        violin,
        stroked("M2.5,33.5 H33.5"),
    )


def chapter_shopping():
    squares = []
    for row, y in enumerate((19, 22.5)):
        for i, x in enumerate((10.5, 14, 17.5, 21, 24.5)):
            if (i + row) % 2 == 0:
                squares.append(rect(x - 0.5, y, 3, 3, WARM))
    return _icon(36,
        stroked("M7.5,13 H28.5 L30.5,33 H5.5 Z"),
        stroked("M13,13 V10 A5,5 0 0 1 23,10 V13"),
        *squares,
        line(9, 28.5, 27, 28.5, BLUE, 1.6),
    )


def chapter_hotels():
    return _icon(36,
        stroked("M4.5,9 V31"),
        stroked("M4.5,23 H31.5 V31"),
        stroked("M4.5,27.5 H31.5"),
        rect(7.5, 18, 8, 5, W, rx=2),
        stroked("M17,23 V20 Q17,18 19,18 H31.5 V23", W, STROKE),
        circle(20, 9, 3.2, stroke=WARM, stroke_width=STROKE),
        stroked("M23.2,9 H33 M30,9 V12.2 M32.6,9 V11.2", WARM, STROKE),
    )


def chapter_events():
    return _icon(36,
        path("M6,14 V11 Q6,8 9,8 H27 Q30,8 30,11 V14 Z", BLUE),
        rect(6, 8, 24, 25, rx=3, stroke=W, stroke_width=STROKE),
        line(12, 4.5, 12, 10.5, W, STROKE), line(24, 4.5, 24, 10.5, W, STROKE),
        poly(star_points(18, 23.5, 7, 3), WARM),
    )


def chapter_outdoors():
    return _icon(36,
        circle(28.5, 8, 3.5, WARM),
        stroked("M13,33 V21"),
        stroked("M13,25 L9.5,21.5 M13,23.5 L16,20.5", W, 1.6),
        path("M13,4 C8,4 5,8 6,12 C3.5,14 4.5,19.5 8.5,20 C10,21.5 16,21.5 17.5,20 "
             "C21.5,19.5 22.5,14 20,12 C21,8 18,4 13,4 Z", "none", stroke=W, stroke_width=STROKE,
             stroke_linejoin="round"),
        stroked("M18.5,27 q2.5,-2.5 5,0 t5,0 t5,0", BLUE),
        stroked("M18.5,32 q2.5,-2.5 5,0 t5,0 t5,0", BLUE),
    )


def chapter_metro():
    return _icon(36,
        rect(4, 4, 28, 28, "#1d5096", rx=6, stroke=W, stroke_width=STROKE),
        stroked("M12,10 V19.5 A6,6 0 0 0 24,19.5 V10", W, 4, stroke_linecap="butt"),
    )


def chapter_search():
    return _icon(36,
        circle(15, 15, 9, BLUE, fill_opacity=0.25, stroke=W, stroke_width=STROKE + 0.5),
        stroked("M10,12.5 A5.5,5.5 0 0 1 14,9.6", W, 1.5, stroke_opacity=0.8),
        line(21.8, 21.8, 31, 31, WARM, 4.5),
    )


def maps_button():
    return _icon(36,
        path("M4,9.5 L13,6.5 L23,9.5 L32,6.5 V27 L23,30 L13,27 L4,30 Z", BLUE, fill_opacity=0.25),
        stroked("M4,9.5 L13,6.5 L23,9.5 L32,6.5 V27 L23,30 L13,27 L4,30 Z"),
        line(13, 6.5, 13, 27, W, 1.4), line(23, 9.5, 23, 30, W, 1.4),
        stroked("M7,24 Q11,17 17,20 T27,13", WARM, 1.6, stroke_dasharray="2.5,2.5"),
        path("M27,7.5 C24.8,7.5 23.2,9.2 23.2,11.3 C23.2,14 27,17.5 27,17.5 C27,17.5 30.8,14 30.8,11.3 "
             "C30.8,9.2 29.2,7.5 27,7.5 Z", WARM),
        circle(27, 11.2, 1.4, "#1b3352"),
    )


def bookmarks_button():
    return _icon(36,
        path("M10,4 H26 V32 L18,25.5 L10,32 Z", BLUE, fill_opacity=0.3),
        stroked("M10,4 H26 V32 L18,25.5 L10,32 Z"),
        poly(star_points(18, 14.5, 5.5, 2.4), WARM),
    )


# ---- tool-bar icons -----------------------------------------------------------------------------

def _pin(cx, top, r, colour=W):
    """A filled map pin whose point is at (cx, top + 4.2 r), with a see-through hole."""
    def p(dx, dy):
        return f"{fmt(cx + dx * r)},{fmt(top + dy * r)}"
    d = (f"M{p(0, 0)} C{p(-1.15, 0)} {p(-1.9, 0.85)} {p(-1.9, 1.7)} "
         f"C{p(-1.9, 2.9)} {p(0, 4.2)} {p(0, 4.2)} C{p(0, 4.2)} {p(1.9, 2.9)} {p(1.9, 1.7)} "
         f"C{p(1.9, 0.85)} {p(1.15, 0)} {p(0, 0)} Z "
         f"M{p(0, 0.9)} A{fmt(r * 0.8)},{fmt(r * 0.8)} 0 1 0 {p(0, 2.5)} "
         f"A{fmt(r * 0.8)},{fmt(r * 0.8)} 0 1 0 {p(0, 0.9)} Z")
    return path(d, colour, fill_rule="evenodd")


def tool_live_map():
    return _icon(28,
        stroked("M2.5,16.5 L9,14.5 L18,16.5 L25.5,14.5 V24 L18,26 L9,24 L2.5,26 Z", W, 1.8),
        line(9, 14.5, 9, 24, W, 1.2), line(18, 16.5, 18, 26, W, 1.2),
        _pin(14, 1.5, 3.8),
    )


def tool_currency():
    return _icon(28,
        circle(10, 14, 8, stroke=W, stroke_width=STROKE),
        text(10, 18.3, "\u20ac", size=12, fill=W, anchor="middle", weight="bold"),
        stroked("M19.5,9.5 H26 M23.5,7 L26,9.5 L23.5,12", W, 1.8),
        stroked("M26,18.5 H19.5 M22,16 L19.5,18.5 L22,21", W, 1.8),
    )


def tool_weather():
    rays = []
    for i in range(8):
        a = math.radians(i * 45)
        rays.append(line(10 + 6.6 * math.cos(a), 10 + 6.6 * math.sin(a),
                         10 + 8.8 * math.cos(a), 10 + 8.8 * math.sin(a), W, 1.6))
    return _icon(28,
        circle(10, 10, 4.5, stroke=W, stroke_width=1.8),
        *rays,
        path("M8,25 H21.5 A4.7,4.7 0 0 0 21.8,15.6 A6.4,6.4 0 0 0 10,16.8 A4.1,4.1 0 0 0 8,25 Z", W),
    )


def tool_tv():
    return _icon(28,
        rect(2.5, 7, 23, 15.5, rx=3, stroke=W, stroke_width=STROKE),
        stroked("M9.5,2.5 L14,6.5 L18.5,2.5", W, 1.6),
        stroked("M9,25.5 H19"),
        poly([(11.5, 10.5), (11.5, 19), (18.5, 14.75)], W),
    )


def tool_search():
    return _icon(28,
        circle(11.5, 11.5, 7.5, stroke=W, stroke_width=STROKE + 0.4),
        line(17, 17, 24.5, 24.5, W, 3.6),
    )


def tool_sort_az():
    return _icon(28,
        text(8.5, 12.5, "A", size=11, fill=W, anchor="middle", weight="bold"),
        text(8.5, 25.5, "Z", size=11, fill=W, anchor="middle", weight="bold"),
        stroked("M20,3.5 V23.5 M15.5,19 L20,24 L24.5,19", W, STROKE),
    )


def tool_nearest():
    return _icon(28,
        circle(14, 14, 9.5, stroke=W, stroke_width=1.8),
        stroked("M14,1.5 V5 M14,23 V26.5 M1.5,14 H5 M23,14 H26.5", W, 1.8),
        circle(14.6, 8.6, 1.7, W),
        stroked("M14.3,11.2 L13.2,16 L10.8,20.2 M13.2,16 L16,19.8 M11,13.6 L14.2,12.2 L16.8,14", W, 1.6),
    )


def tool_open_now():
    """A clock face whose hands stand at an opening hour, with a green dot: open now."""
    return _icon(28,
        circle(13, 14, 10, stroke=W, stroke_width=1.8),
        stroked("M13,7.5 V14 L17.5,16.5", W, 2),
        circle(22.5, 22.5, 4.2, "#4cd964"),
    )


def tool_bookmark():
    return _icon(28,
        stroked("M7,3 H21 V25 L14,19.5 L7,25 Z"),
        stroked("M14,7.5 V14.5 M10.5,11 H17.5", W, STROKE),
    )


def pictures():
    return {
        "ChapterSights": chapter_sights(),
        "ChapterMuseums": chapter_museums(),
        "ChapterCafes": chapter_cafes(),
        "ChapterDining": chapter_dining(),
        "ChapterNightlife": chapter_nightlife(),
        "ChapterStage": chapter_stage(),
        "ChapterShopping": chapter_shopping(),
        "ChapterHotels": chapter_hotels(),
        "ChapterEvents": chapter_events(),
        "ChapterOutdoors": chapter_outdoors(),
        "ChapterMetro": chapter_metro(),
        "ChapterSearch": chapter_search(),
        "Maps": maps_button(),
        "Bookmarks": bookmarks_button(),
        "ToolLiveMap": tool_live_map(),
        "ToolCurrency": tool_currency(),
        "ToolWeather": tool_weather(),
        "ToolTV": tool_tv(),
        "ToolSearch": tool_search(),
        "ToolSortAZ": tool_sort_az(),
        "ToolNearest": tool_nearest(),
        "ToolBookmark": tool_bookmark(),
        "ToolOpenNow": tool_open_now(),
    }
