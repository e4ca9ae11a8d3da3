"""Controls and chrome: navigation bar, info strip, badge, buttons, keypad keys, frames, logos."""

from svglib import (BLUE, BLUE_DARK, BLUE_LIGHT, GREY, MIST, NAVY, NAVY_DEEP, RADIUS, STROKE,
                    WARM, WARM_DARK, WARM_LIGHT, WHITE, Svg, circle, el, group, line, path, poly, polyline,
                    rect, star_points, stroked, text)


def navigation_bar():
    s = Svg(320, 44)
    s.add(rect(0, 0, 320, 44, s.lin([(0, "#263c57"), (0.5, "#172a42"), (1, "#0d192a")], 0, 0, 0, 44)))
    s.add(rect(0, 0, 320, 1, WHITE, fill_opacity=0.14))
    # A faint glow under the centred title.
    s.add(rect(60, 0, 200, 44, s.rad([(0, BLUE, 0.16), (1, BLUE, 0)], 160, 22, 100)))
    s.add(rect(0, 42, 320, 1, BLUE, fill_opacity=0.85))
    s.add(rect(0, 43, 320, 1, "#050a12"))
    return s


def info_panel():
    s = Svg(320, 60)
    s.add(rect(0, 0, 320, 60, s.vgrad("#15263d", "#0b1524"), fill_opacity=0.9))
    s.add(rect(0, 0, 320, 1, WHITE, fill_opacity=0.12))
    s.add(rect(0, 1, 320, 14, s.vgrad(WHITE, WHITE, 1, 15), fill_opacity=0.03))
    s.add(rect(0, 58, 320, 1, BLUE, fill_opacity=0.7))
    s.add(rect(0, 59, 320, 1, "#050a12", fill_opacity=0.8))
    return s


def sbk_badge():
    s = Svg(60, 22)
    s.add(rect(0.5, 0.5, 59, 21, s.vgrad(WARM_LIGHT, WARM_DARK), rx=RADIUS, stroke="#8a5210",
               stroke_width=1))
    s.add(rect(1.5, 1.5, 57, 9, WHITE, rx=4, fill_opacity=0.18))
    # A small house: the badge leads back to the home screen.
    s.add(stroked("M7,11.5 L12.5,6.5 L18,11.5 M9,10 V16 H16 V10", stroke=NAVY, width=1.8))
    s.add(text(38, 15.5, "SBK", size=12, fill=NAVY, anchor="middle", weight="bold"))
    return s


def info_button():
    s = Svg(40, 34)
    s.add(circle(20, 17, 12, NAVY_DEEP, fill_opacity=0.45, stroke=BLUE, stroke_width=STROKE))
    s.add(circle(20, 11.6, 1.7, WHITE))
    s.add(rect(18.8, 14.6, 2.4, 9, WHITE, rx=1.2))
    return s


def close_button():
    s = Svg(40, 40)
    s.add(circle(20, 20.8, 15.5, "#000000", fill_opacity=0.3))
    s.add(circle(20, 20, 15, s.vgrad("#24384f", NAVY_DEEP, 5, 35), stroke=WHITE, stroke_width=STROKE))
    s.add(line(14.5, 14.5, 25.5, 25.5, WHITE, 2.4), line(25.5, 14.5, 14.5, 25.5, WHITE, 2.4))
    return s


def send_mail():
    s = Svg(30, 30)
    s.add(circle(15, 15, 13.5, s.vgrad("#3bb8ea", BLUE_DARK, 2, 28), stroke=WHITE, stroke_width=1,
                 stroke_opacity=0.5))
    s.add(rect(8, 10, 14, 10, "none", rx=1.5, stroke=WHITE, stroke_width=1.8))
    s.add(polyline([(8.6, 10.8), (15, 16), (21.4, 10.8)], WHITE, 1.8))
    return s


def search_button():
    s = Svg(36, 36)
    s.add(rect(1, 1, 34, 34, s.vgrad("#3bb8ea", BLUE_DARK, 1, 35), rx=RADIUS, stroke="#0d4f6e",
               stroke_width=1))
    s.add(rect(2, 2, 32, 14, WHITE, rx=5, fill_opacity=0.14))
    s.add(circle(15.5, 15.5, 7, stroke=WHITE, stroke_width=STROKE + 0.5))
    s.add(line(20.8, 20.8, 27, 27, WHITE, 3.5))
    return s


def thumb_frame():
    """A mat that a 90 x 90 picture sits in at (5, 3); the lower edge casts a soft shadow."""
    s = Svg(100, 105)
    s.add(rect(3, 5, 96, 99, "#000000", rx=RADIUS, fill_opacity=0.25))
    s.add(rect(1, 3, 98, 100, "#000000", rx=RADIUS, fill_opacity=0.25))
    s.add(rect(1, 0, 98, 99, s.vgrad("#f6f8fb", "#d5dde7", 0, 99), rx=RADIUS))
    s.add(rect(1.5, 0.5, 97, 98, "none", rx=RADIUS, stroke=WHITE, stroke_width=1))
    s.add(rect(4.5, 2.5, 91, 91, "#0b1524", stroke="#9fb0c3", stroke_width=1))
    s.add(rect(40, 95, 20, 2, BLUE, rx=1))
    return s


def _pill_button(label, glyph):
    s = Svg(68, 32)
    s.add(rect(1, 2, 66, 29, "#000000", rx=RADIUS, fill_opacity=0.3))
    s.add(rect(1, 1, 66, 29, s.vgrad("#3cbbec", "#1380b2", 1, 30), rx=RADIUS, stroke="#0d4f6e",
               stroke_width=1))
    s.add(rect(2, 2, 64, 12, WHITE, rx=5, fill_opacity=0.16))
    s.add(glyph)
    s.add(text(44, 20.5, label, size=12, fill=WHITE, anchor="middle", weight="bold"))
    return s


def call_button():
    handset = path("M12.3,8.6 C13.4,8.3 14.2,9 14.6,10.2 L15.3,12.3 C15.6,13.2 15.2,14 14.4,14.5 "
                   "L13.6,15 C14.4,17.1 15.9,18.6 18,19.4 L18.5,18.6 C19,17.8 19.8,17.4 20.7,17.7 "
                   "L22.8,18.4 C24,18.8 24.7,19.6 24.4,20.7 L24,22 C23.6,23.3 22.3,24 20.8,23.7 "
                   "C15.4,22.6 10.4,17.6 9.3,12.2 C9,10.7 9.7,9.4 11,9 Z", WHITE)
    return _pill_button("Call", handset)


def web_button():
    globe = group([
        circle(17, 16, 7.5, stroke=WHITE, stroke_width=1.8),
        el("ellipse", cx=17, cy=16, rx=3.2, ry=7.5, fill="none", stroke=WHITE, stroke_width=1.5),
        line(9.5, 16, 24.5, 16, WHITE, 1.5),
        stroked("M11,11.8 H23 M11,20.2 H23", WHITE, 1.2),
    ])
    return _pill_button("Open", globe)


def email_button():
    envelope = group([
        rect(9.5, 10.5, 15, 11, "none", rx=1.5, stroke=WHITE, stroke_width=1.8),
        polyline([(10.2, 11.3), (17, 17), (23.8, 11.3)], WHITE, 1.8),
    ])
    return _pill_button("Mail", envelope)


def _key(width, pressed, accent, content):
    s = Svg(width, 53)
    if accent:
        face = s.vgrad("#2fb0e4", "#137bac", 3, 50) if not pressed else s.vgrad("#0f5e84", "#0b4864", 3, 50)
    else:
        face = s.vgrad("#5f6c7f", "#3b4556", 3, 50) if not pressed else s.vgrad("#2aa4d8", "#15729e", 3, 50)
    s.add(rect(0, 0, width, 53, "#0d141e"))
    s.add(rect(3, 5, width - 6, 45, "#000000", rx=RADIUS, fill_opacity=0.5))
    s.add(rect(3, 3, width - 6, 45, face, rx=RADIUS))
    if not pressed:
        s.add(rect(4, 4, width - 8, 18, WHITE, rx=5, fill_opacity=0.1))
    s.add(content)
    return s


def done_key(pressed):
    return _key(106, pressed, True,
                text(53, 32, "Done", size=18, fill=WHITE if not pressed else MIST, anchor="middle",
                     weight="bold"))


def dot_key(pressed):
    return _key(51, pressed, False, circle(25.5, 30, 3.2, WHITE))


def back_key(pressed):
    glyph = group([
        path("M16,25.5 L22,19 H38 V32 H22 Z", "none", stroke=WHITE, stroke_width=STROKE,
             stroke_linejoin="round"),
        line(26, 22.5, 32, 28.5, WHITE, STROKE), line(32, 22.5, 26, 28.5, WHITE, STROKE),
    ])
    return _key(54, pressed, False, glyph)


def featured_badge():
    s = Svg(44, 44)
    # Ribbon tails behind the medal.
    s.add(poly([(14, 26), (9, 41), (14.5, 38.5), (17.5, 43), (21, 30)], WARM_DARK))
    s.add(poly([(30, 26), (35, 41), (29.5, 38.5), (26.5, 43), (23, 30)], "#a6620f"))
    s.add(circle(22, 19.5, 16.5, "#000000", fill_opacity=0.3))
    s.add(circle(22, 18.5, 16, s.vgrad(WARM_LIGHT, WARM_DARK, 3, 34), stroke="#8a5210", stroke_width=1))
    s.add(circle(22, 18.5, 12.8, "none", stroke=WHITE, stroke_width=1, stroke_opacity=0.6))
    s.add(poly(star_points(22, 19, 8.6, 3.7), WHITE))
    return s


def logo_sbk():
    s = Svg(150, 39)
    s.add(rect(1, 2, 35, 35, s.vgrad("#3bb8ea", BLUE_DARK, 2, 37), rx=RADIUS))
    # A map pin on a winding path: a stroll through the city.
    s.add(stroked("M7,31 C12,27 13,24 19,24 C25,24 26,21 30,19", WARM_LIGHT, STROKE,
                  stroke_dasharray="3,3"))
    s.add(path("M18.5,6 C14.4,6 11.5,9 11.5,12.8 C11.5,17.5 18.5,24 18.5,24 C18.5,24 25.5,17.5 25.5,12.8 "
               "C25.5,9 22.6,6 18.5,6 Z", WHITE))
    s.add(circle(18.5, 12.8, 2.8, BLUE_DARK))
    s.add(text(43, 25, "SBK", size=25, fill=WHITE, weight="bold"))
    s.add(text(96, 15, "city", size=11, fill=WARM, weight="bold"))
    s.add(text(96, 27, "guides", size=11, fill=BLUE_LIGHT, weight="bold"))
    s.add(rect(43, 31, 104, 1.5, WHITE, fill_opacity=0.35))
    return s


def logo_vantor():
    s = Svg(110, 75)
    # A compass chevron: the publisher's mark.
    s.add(circle(55, 21, 18, NAVY, stroke=BLUE, stroke_width=STROKE))
    s.add(poly([(43, 11), (55, 34), (67, 11), (55, 18)], WARM))
    s.add(poly([(55, 18), (55, 34), (67, 11)], WARM_DARK))
    s.add(circle(55, 21, 2, WHITE))
    s.add(text(55, 56, "VANTOR", size=17, fill=WHITE, anchor="middle", weight="bold"))
    s.add(rect(22, 61, 66, 1, BLUE, fill_opacity=0.8))
    s.add(text(55, 71, "PUBLISHING", size=8, fill=GREY, anchor="middle", weight="bold"))
    return s


def pictures():
    return {
        "NavigationBar": navigation_bar(),
        "InfoPanel60": info_panel(),
        "SBKBadge": sbk_badge(),
        "Info": info_button(),
        "Close": close_button(),
        "SendMail": send_mail(),
        "Search": search_button(),
        "ThumbFrame": thumb_frame(),
        "Call": call_button(),
        "Web": web_button(),
        "Email": email_button(),
        "DoneUp3": done_key(False),
        "DoneDown3": done_key(True),
        "DotUp3": dot_key(False),
        "DotDown3": dot_key(True),
        "BackUp": back_key(False),
        "BackDown": back_key(True),
        "Featured": featured_badge(),
        "LogoSBK": logo_sbk(),
        "LogoVantor": logo_vantor(),
    }
