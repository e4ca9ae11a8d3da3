#!/usr/bin/env python3
"""Checks the source files of a guide edition (standard library only).

Usage: python3 check_sources.py [CONTENT_DIR]      (default: the folder above this script)

Exits with status 1 and lists every problem when a rule is broken; prints the edition's counts.
"""
import csv
import datetime
import os
import plistlib
import re
import sys
import xml.etree.ElementTree as ET

MANAGER_COLUMNS = (
    "DateRelease,DateCurrency,DateWeather,InfoNameEnglish,InfoNameLocal,InfoAirportCode,InfoCityCode,"
    "InfoCountryCode,InfoInternetCode,InfoTimeZone,ContactVantor,ContactSBK,OrderChapters,OrderMaps,"
    "OrderChapterTools,OrderVenuesTools,OrderDetailedViewTools,UserBookmarks,UserRestoreState,UserCurrencies,"
    "UserCurrencyRates,UserCurrencyValues,UserWeather,FeedCurrency,FeedFacebook,FeedTV,FeedWeather").split(",")
CATALOG_COLUMNS = {
    "name", "body", "address", "postcode", "phone", "phone2", "website", "email", "metro", "map", "gps_lat",
    "gps_lon", "image", "price_text", "date_start", "date_stop", "open_text", "hotel_room_decription",
    "mobile_highlight", "chapter_id", "chapter_name", "category_name", "text_short", "text_long", "title"}
# Texts that some screens show without turning '' back into ': they must hold no apostrophe at all.
NO_APOSTROPHE = {"category_name", "chapter_name", "price_text", "open_text", "hotel_room_decription",
                 "chapter_id", "image", "date_start", "date_stop"}
DATE_TIME = re.compile(r"^\d{4}-\d\d-\d\d T \d\d:\d\d$")
DAY = re.compile(r"^\d{4}-\d\d-\d\d$")
TOOL_IDS = {"SortAZ.tool", "SortNearest.tool", "LiveMap.tool", "Search.page", "Bookmark.tool", "Currency.tool",
            "Weather.tool", "TV.tool"}
SPECIAL_LABELS = ("Metro", "Search")
LINE_BREAKS = "\n\x0b\x0c\r\x85\u2028\u2029"
# A generous box around the city limits of Vienna.
LAT_RANGE, LON_RANGE = (48.11, 48.33), (16.18, 16.58)
FEED_HOST = "http://127.0.0.1:8642/"

problems = []


def fail(msg):
    problems.append(msg)


# ---------------------------------------------------------------- settings file reader
def read_settings_row(text):
    """Splits text as the guide's settings reader does (quotes may open or close anywhere and vanish;
    a comma or line break outside quotes ends a field or a row). Returns the rows, each a list of
    (field, raw offset where the field started)."""
    rows, i, n = [], 0, len(text)
    while i < n:
        fields, cur, start, inside = [], [], i, False
        while True:
            j = i
            while j < n and text[j] not in ',"' and text[j] not in LINE_BREAKS:
                j += 1
            cur.append(text[i:j])
            i = j
            if i >= n:
                break
            if text[i] in LINE_BREAKS:
                j = i
                while j < n and text[j] in LINE_BREAKS:
                    j += 1
                if inside:
                    cur.append(text[i:j])
                    i = j
                    continue
                i = j
                break
            if text[i] == '"':
                if inside and i + 1 < n and text[i + 1] == '"':
                    cur.append('"')
                    i += 2
                else:
                    inside = not inside
                    i += 1
                continue
            i += 1  # comma
            if inside:
                cur.append(",")
                continue
            fields.append(("".join(cur), start))
            cur = []
            while i < n and (text[i] == "\t" or text[i].isspace() and text[i] not in LINE_BREAKS):
                i += 1
            start = i
        last = "".join(cur)
        if last:
            fields.append((last, start))
        if fields:
            rows.append(fields)
    return rows


def check_manager(path):
    raw = open(path, encoding="utf-8").read()
    if raw.startswith("\ufeff"):
        fail("manager.csv: starts with a byte-order mark")
    if "\n" not in raw:
        fail("manager.csv: no header line")
        return {}
    header, data = raw.split("\n", 1)
    if header.split(",") != MANAGER_COLUMNS:
        fail("manager.csv: the header is not the 27 column names in order")
    if data.endswith(("\n", "\r")):
        fail("manager.csv: line break after the data line")
    if not (data.startswith('"') and data.endswith('"')):
        fail("manager.csv: the data line must start and end with a double quote")
    rows = read_settings_row(raw)
    if len(rows) < 2:
        fail("manager.csv: the reader finds no data row")
        return {}
    fields = rows[1]
    if len(fields) != 27:
        fail(f"manager.csv: the reader finds {len(fields)} values instead of 27 - a comma or line break "
             "lies between an odd and an even inner double quote of some value")
    base = len(header) + 1
    for k, (_, start) in enumerate(fields):
        at = start - base
        ok = (at == 0) if k == 0 else (at >= 2 and data[at - 2:at + 1] == '","')
        if not ok:
            fail(f"manager.csv: value {k + 1} ({MANAGER_COLUMNS[k] if k < 27 else '?'}) does not start at a "
                 "written separator - an inner-quote stretch of the value before it holds a comma")
    values = {MANAGER_COLUMNS[k]: v.strip(" \t" + LINE_BREAKS) for k, (v, _) in enumerate(fields[:27])}
    if len(fields) == 27 and not fields[26][0]:
        fail("manager.csv: the last value is empty (the reader would drop it)")
    return values


def check_manager_values(m, art, chapters_in_catalog, catalog_chapter_names):
    for key in ("DateCurrency", "DateWeather"):
        if not DATE_TIME.match(m.get(key, "")):
            fail(f"manager.csv: {key} is not in the form yyyy-MM-dd 'T' HH:mm")
    try:
        datetime.date.fromisoformat(m.get("DateRelease", ""))
    except ValueError:
        fail("manager.csv: DateRelease is not a date YYYY-MM-DD")
    for key in ("InfoNameLocal", "InfoAirportCode", "InfoCityCode", "InfoCountryCode", "InfoInternetCode",
                "InfoTimeZone", "ContactVantor", "FeedCurrency", "FeedTV", "FeedWeather"):
        if not m.get(key):
            fail(f"manager.csv: {key} is empty")
    if "@" not in m.get("ContactVantor", ""):
        fail("manager.csv: ContactVantor is not an e-mail address")

    chapters = []
    for entry in m.get("OrderChapters", "").split(","):
        entry = entry.replace("\n", "")
        parts = entry.split(":")
        if len(parts) != 3 or len(parts[2].split(";")) != 2:
            fail(f"manager.csv: OrderChapters entry {entry!r} is not label:picture:something;ID")
            continue
        label, picture, key = (p.strip() for p in parts)
        chapters.append((label, picture, key.split(";")[1]))
        need_picture(picture, "OrderChapters", art)
    labels = [c[0] for c in chapters]
    for special in SPECIAL_LABELS:
        if special not in labels:
            fail(f"manager.csv: OrderChapters has no {special} entry")
    real = [c for c in chapters if c[0] not in SPECIAL_LABELS]
    if len(real) < 7:
        fail(f"manager.csv: only {len(real)} chapters in OrderChapters")
    for label, _, cid in real:
        if cid not in chapters_in_catalog:
            fail(f"manager.csv: chapter id {cid} ({label}) has no rows in the catalogue")
        elif catalog_chapter_names.get(cid) != {label}:
            fail(f"catalogue: chapter {cid} is named {catalog_chapter_names.get(cid)} instead of {label!r}")
    for cid in chapters_in_catalog - {c[2] for c in real}:
        fail(f"catalogue: chapter id {cid} is not in OrderChapters")

    maps = [e.split(":") for e in m.get("OrderMaps", "").split(",")]
    for parts in maps:
        if len(parts) != 3:
            fail(f"manager.csv: OrderMaps entry {':'.join(parts)!r} is not caption:file.png:thumbnail")
            continue
        need_picture(parts[1].split(".")[0], "OrderMaps", art)
        need_picture(parts[2], "OrderMaps", art)
    if len(maps) < 4:
        fail("manager.csv: fewer than 4 offline maps")
    if not any(len(p) == 3 and p[1] == "MetroMap.png" for p in maps):
        fail("manager.csv: no OrderMaps entry for MetroMap.png")

    tool_rules = {"OrderChapterTools": ["LiveMap.tool", "Currency.tool", "Weather.tool", "TV.tool", "Search.page"],
                  "OrderVenuesTools": ["SortAZ.tool", "SortNearest.tool", "LiveMap.tool"],
                  "OrderDetailedViewTools": ["LiveMap.tool", "Search.page", "Bookmark.tool"]}
    for key, needed in tool_rules.items():
        ids = []
        for entry in m.get(key, "").split(","):
            parts = entry.split(":")
            if len(parts) != 3:
                fail(f"manager.csv: {key} entry {entry!r} is not caption:picture:tool id")
                continue
            ids.append(parts[2].strip())
            need_picture(parts[1], key, art)
            if parts[2].strip() not in TOOL_IDS:
                fail(f"manager.csv: {key} has the unknown tool id {parts[2]!r}")
        for tool in needed:
            if tool not in ids:
                fail(f"manager.csv: {key} lacks {tool}")
        if key != "OrderChapterTools" and len(ids) >= 3 and ids[2] != "LiveMap.tool":
            fail(f"manager.csv: the third tool of {key} should be LiveMap.tool (it is switched off without a position)")

    codes = []
    for entry in m.get("UserCurrencies", "").split(","):
        parts = entry.split(":")
        if len(parts) != 3 or len(parts[0]) < 3:
            fail(f"manager.csv: UserCurrencies entry {entry!r} is not CODE:symbol:flag")
            continue
        codes.append(parts[0][:3])
        need_picture(parts[2], "UserCurrencies", art)
    if not codes or codes[0] != "EUR":
        fail("manager.csv: UserCurrencies must start with EUR")
    if len(codes) < 6:
        fail("manager.csv: fewer than 6 currencies")
    rates = m.get("UserCurrencyRates", "")
    try:
        root = ET.fromstring(re.sub(r"<(/?)gesmes:", r"<\1", rates))
        cubes = {c.get("currency"): c.get("rate") for c in root.iter("Cube") if c.get("currency")}
        if not any(c.get("time") for c in root.iter("Cube")):
            fail("manager.csv: UserCurrencyRates has no Cube with a time")
        for code in codes[1:]:
            if code not in cubes:
                fail(f"manager.csv: UserCurrencyRates has no rate for {code}")
            else:
                float(cubes[code])
    except (ET.ParseError, ValueError) as e:
        fail(f"manager.csv: UserCurrencyRates does not read as a rate document ({e})")
    if m.get("UserCurrencyValues"):
        if len(m["UserCurrencyValues"].split("~")) != len(codes):
            fail("manager.csv: UserCurrencyValues does not hold one amount per currency")
    weather = m.get("UserWeather", "")
    if weather:
        declaration = "<?xml version=1.0 encoding=UTF-8?>"
        if not weather.startswith(declaration):
            fail("manager.csv: UserWeather must begin with the XML declaration (read back without its quotes)")
        else:
            check_weather_text('<?xml version="1.0" encoding="UTF-8"?>' + weather[len(declaration):],
                               "manager.csv UserWeather", art)
    return chapters


def need_picture(name, where, art):
    name = name.strip()
    if not name:
        fail(f"{where}: empty picture name")
    elif name.endswith(".png"):
        fail(f"{where}: picture name {name!r} should be given without .png")
    elif name not in art:
        fail(f"{where}: picture {name!r} is missing from art-requests.txt")


# ---------------------------------------------------------------- catalogue
def check_catalog(folder, art):
    venues = []
    names = sorted(f for f in os.listdir(folder) if f.endswith(".csv"))
    if not names:
        fail("catalog: no CSV files")
    for fn in names:
        path = os.path.join(folder, fn)
        with open(path, encoding="utf-8", newline="") as f:
            text = f.read()
        if text.startswith("\ufeff"):
            fail(f"{fn}: starts with a byte-order mark")
        rows = list(csv.reader(text.splitlines(keepends=True)))
        if not rows:
            fail(f"{fn}: empty")
            continue
        header = rows[0]
        unknown = [c for c in header if c not in CATALOG_COLUMNS]
        if unknown:
            fail(f"{fn}: unknown columns {unknown}")
        if len(set(header)) != len(header):
            fail(f"{fn}: a column is named twice")
        for need in ("name", "chapter_id", "chapter_name", "category_name"):
            if need not in header:
                fail(f"{fn}: no {need} column")
        for n, row in enumerate(rows[1:], 2):
            if len(row) != len(header):
                fail(f"{fn}:{n}: {len(row)} fields for {len(header)} columns")
                continue
            v = {c: "" for c in CATALOG_COLUMNS}
            v.update(dict(zip(header, row)))
            v["_where"] = f"{fn}:{n}"
            v["rowid"] = len(venues) + 1
            venues.append(v)
    for v in venues:
        check_venue(v, art)
    return venues


def check_venue(v, art):
    where = f"{v['_where']} ({v['name']})"
    if not v["name"] or not v["chapter_id"] or not v["category_name"]:
        fail(f"{where}: name, chapter_id and category_name are required")
    for c in CATALOG_COLUMNS:
        s = v[c]
        if any(ch in s for ch in LINE_BREAKS):
            fail(f"{where}: {c} holds a real line break (write backslash-n)")
        if c in NO_APOSTROPHE and "'" in s:
            fail(f"{where}: {c} holds an apostrophe, which this column cannot show")
        elif any(len(run) % 2 for run in re.findall(r"'+", s)):
            fail(f"{where}: {c} holds a single apostrophe (write it doubled)")
    if re.match(r"\s*[+-]?\d", v["body"]):
        fail(f"{where}: the description begins with a digit (the search would match it always)")
    if len(v["body"]) < 60:
        fail(f"{where}: the description is too short")
    lat, lon = v["gps_lat"], v["gps_lon"]
    if bool(lat) != bool(lon):
        fail(f"{where}: only one of gps_lat and gps_lon is given")
    elif lat:
        try:
            la, lo = float(lat), float(lon)
            if not (LAT_RANGE[0] < la < LAT_RANGE[1] and LON_RANGE[0] < lo < LON_RANGE[1]):
                fail(f"{where}: position {la},{lo} lies outside Vienna")
        except ValueError:
            fail(f"{where}: the position is not a number")
    for c in ("date_start", "date_stop"):
        if v[c]:
            try:
                datetime.date.fromisoformat(v[c])
            except ValueError:
                fail(f"{where}: {c} is not YYYY-MM-DD")
    if v["date_start"] and v["date_stop"] and v["date_start"] > v["date_stop"]:
        fail(f"{where}: the event ends before it starts")
    if v["mobile_highlight"] not in ("", "0", "1", "YES"):
        fail(f"{where}: mobile_highlight should be 1, YES, 0 or empty")
    if v["image"]:
        need_picture(v["image"], where, art)
    if v["website"].startswith(("http://", "https://")):
        fail(f"{where}: write the web address without its scheme")
    if v["email"] and not re.match(r"^[^@\s]+@[^@\s]+\.[a-z]+$", v["email"]):
        fail(f"{where}: e-mail address {v['email']!r} looks wrong")
    for c in ("phone", "phone2"):
        if v[c] and not re.match(r"^\+?[\d ()\-]+$", v[c]):
            fail(f"{where}: {c} {v[c]!r} holds characters a phone cannot dial")
    if v["phone2"] and not v["phone"]:
        fail(f"{where}: phone2 without phone")


def check_catalog_structure(venues):
    by_chapter = {}
    for v in venues:
        by_chapter.setdefault(v["chapter_id"], []).append(v)
    names = {}
    for cid, vs in by_chapter.items():
        names[cid] = {v["chapter_name"] for v in vs}
        if len(names[cid]) != 1:
            fail(f"catalogue: chapter {cid} has several names {names[cid]}")
        cats = sorted({v["category_name"] for v in vs})
        for a in cats:
            for b in cats:
                if a != b and a.lower() in b.lower():
                    fail(f"catalogue: in chapter {cid} the category {a!r} occurs inside {b!r}")
        first = vs[0]
        intro = [v for v in vs if v["text_short"] or v["text_long"]]
        if intro and not (first["text_short"] or first["text_long"]):
            fail(f"catalogue: chapter {cid} has introduction texts but not in its first row")
    seen = {}
    for v in venues:
        if v["name"].lower() in seen:
            fail(f"catalogue: the name {v['name']!r} is used twice ({seen[v['name'].lower()]}, {v['_where']})")
        seen[v["name"].lower()] = v["_where"]
    return names


# ---------------------------------------------------------------- plists, feeds, pictures
def check_plists(content, art, chapters, venues):
    try:
        pl = plistlib.load(open(os.path.join(content, "chapter.plist"), "rb"))
    except Exception as e:  # noqa: BLE001 - any parse error is a finding
        fail(f"chapter.plist: does not read ({e})")
        return
    titles = [c[0] for c in chapters if c[0] not in SPECIAL_LABELS]
    for key in ("Backgrounds", "Colors", "Placements", "Default GPS Position"):
        if not isinstance(pl.get(key), dict):
            fail(f"chapter.plist: no dictionary {key}")
            return
    for t in titles:
        if t not in pl["Backgrounds"]:
            fail(f"chapter.plist: no background for {t!r}")
        if t not in pl["Colors"]:
            fail(f"chapter.plist: no colour for {t!r}")
    for t, name in pl["Backgrounds"].items():
        need_picture(name, f"chapter.plist Backgrounds[{t}]", art)
    for t, c in pl["Colors"].items():
        for k in "rgba":
            if not 0 <= float(c.get(k, -1)) <= 1:
                fail(f"chapter.plist: colour {k} of {t!r} is not between 0 and 1")
    by_id = {v["rowid"]: v for v in venues}
    cid_of = {c[0]: c[2] for c in chapters}
    with_venue = without_venue = 0
    for t, p in pl["Placements"].items():
        if t not in titles:
            fail(f"chapter.plist: placement for unknown chapter {t!r}")
            continue
        need_picture(p.get("image", ""), f"chapter.plist Placements[{t}]", art)
        if p.get("venue_id"):
            with_venue += 1
            v = by_id.get(int(p["venue_id"]))
            if not v or v["chapter_id"] != cid_of[t]:
                fail(f"chapter.plist: placement of {t!r} names venue {p['venue_id']}, not a venue of that chapter")
        else:
            without_venue += 1
    if not with_venue or not without_venue:
        fail("chapter.plist: want one placement with a venue and one without")
    gps = pl["Default GPS Position"]
    if abs(gps.get("lat", 0) - 48.2085) > 0.002 or abs(gps.get("long", 0) - 16.3725) > 0.002:
        fail("chapter.plist: the default position is not at Stephansplatz")
    try:
        bm = plistlib.load(open(os.path.join(content, "Bookmarks.plist"), "rb"))
        if bm != {"Venues": []}:
            fail("Bookmarks.plist: should hold only an empty Venues array")
    except Exception as e:  # noqa: BLE001
        fail(f"Bookmarks.plist: does not read ({e})")
    return pl


def check_weather_text(text, where, art):
    if re.search(r">\s+<", text.split("?>", 1)[-1]):
        fail(f"{where}: white space between elements")
    try:
        root = ET.fromstring(text.encode("utf-8"))
    except ET.ParseError as e:
        fail(f"{where}: not well-formed ({e})")
        return 0
    blocks = [e for e in root.iter() if e.tag in ("current_condition", "weather")]
    if not blocks or blocks[0].tag != "current_condition":
        fail(f"{where}: current_condition must come first")
    if sum(1 for b in blocks if b.tag == "current_condition") != 1:
        fail(f"{where}: exactly one current_condition wanted")
    days = [b for b in blocks if b.tag == "weather"]
    for b in blocks:
        texts = [c.text or "" for c in b]
        if any(not t or "," in t for t in texts):
            fail(f"{where}: {b.tag} has an empty child or a child text with a comma")
        need, img = (12, 4) if b.tag == "current_condition" else (13, 11)
        if len(texts) < need:
            fail(f"{where}: {b.tag} has {len(texts)} child texts, needs {need}")
            continue
        if not texts[img].startswith(FEED_HOST):
            fail(f"{where}: image address {texts[img]!r} is not on the edition server")
        need_picture(texts[img].rsplit("/", 1)[-1].rsplit(".png", 1)[0], where, art)
        if b.tag == "weather" and not DAY.match(texts[0]):
            fail(f"{where}: weather day {texts[0]!r} is not yyyy-MM-dd")
    return len(days)


def check_videos(path, art):
    ns = {"a": "http://www.w3.org/2005/Atom", "media": "http://search.yahoo.com/mrss/",
          "yt": "http://gdata.youtube.com/schemas/2007"}
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        fail(f"videos.xml: not well-formed ({e})")
        return 0
    entries = root.findall("a:entry", ns)
    if len(entries) < 6:
        fail(f"videos.xml: only {len(entries)} entries")
    for e in entries:
        g = e.find("media:group", ns)
        if g is None:
            fail("videos.xml: an entry without media:group")
            continue
        hq = [t for t in g.findall("media:thumbnail", ns) if t.get("time") is None]
        title = g.find("media:title", ns)
        dur = g.find("yt:duration", ns)
        content = g.find("media:content", ns)
        if not hq:
            fail("videos.xml: an entry without a thumbnail lacking a time attribute")
        for t in g.findall("media:thumbnail", ns):
            url = t.get("url", "")
            if not url.startswith(FEED_HOST):
                fail(f"videos.xml: thumbnail {url!r} is not on the edition server")
            need_picture(url.rsplit("/", 1)[-1].rsplit(".png", 1)[0], "videos.xml", art)
        if title is None or not (title.text or "").strip():
            fail("videos.xml: an entry without media:title")
        if dur is None or not (dur.get("seconds") or "").isdigit():
            fail("videos.xml: an entry without yt:duration seconds")
        if content is None or not content.get("url"):
            fail("videos.xml: an entry without media:content url")
    return len(entries)


def read_art(path):
    art = {}
    for n, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip():
            continue
        parts = line.split("\t")
        if len(parts) != 3 or not re.match(r"^\d+ x \d+$", parts[1]) or not parts[2].strip():
            fail(f"art-requests.txt:{n}: not name<TAB>W x H<TAB>description")
            continue
        if parts[0] in art:
            fail(f"art-requests.txt:{n}: {parts[0]} requested twice")
        art[parts[0]] = parts[1]
    return art


def main():
    content = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    art = read_art(os.path.join(content, "art-requests.txt"))
    venues = check_catalog(os.path.join(content, "catalog"), art)
    names = check_catalog_structure(venues)
    manager = check_manager(os.path.join(content, "manager.csv"))
    chapters = check_manager_values(manager, art, set(names), names) if manager else []
    check_plists(content, art, chapters, venues)
    days = check_weather_text(open(os.path.join(content, "feeds", "weather.xml"), encoding="utf-8").read().strip(),
                              "weather.xml", art)
    if days < 5:
        fail(f"weather.xml: {days} weather days, want 5")
    clips = check_videos(os.path.join(content, "feeds", "videos.xml"), art)

    cats = {}
    for v in venues:
        cats.setdefault((v["chapter_id"], v["category_name"]), []).append(v)
    featured = sum(1 for v in venues if v["mobile_highlight"] in ("1", "YES"))
    events = [v for v in venues if v["date_start"] or v["date_stop"]]
    stop_only = sum(1 for v in events if not v["date_start"])
    both = sum(1 for v in events if v["date_start"] and v["date_stop"])
    pictures = sum(1 for v in venues if v["image"])
    no_pos = sum(1 for v in venues if not v["gps_lat"])
    singles = [c[1] for c, vs in cats.items() if len(vs) == 1]
    two_phones = sum(1 for v in venues if v["phone2"])
    web_mail = sum(1 for v in venues if v["website"] and v["email"])
    no_contact = sum(1 for v in venues if not (v["phone"] or v["website"] or v["email"]))
    hotels = sum(1 for v in venues if v["hotel_room_decription"] and v["price_text"])
    opening = sum(1 for v in venues if v["open_text"])
    intro = {v["chapter_id"] for v in venues if v["text_short"] or v["text_long"]}
    maps = len(manager.get("OrderMaps", "").split(",")) if manager else 0
    real_chapters = [c for c in chapters if c[0] not in SPECIAL_LABELS]
    wants = [(len(venues) >= 250, "at least 250 venues"), (len(cats) >= 40, "at least 40 categories"),
             (featured > 0, "featured venues"), (both > 0, "events with start and stop"),
             (stop_only > 0, "events with only a stop date"), (hotels > 0, "hotels with room text and price"),
             (pictures >= 30, "at least 30 venues with a picture"), (no_pos > 0, "venues without a position"),
             (two_phones > 0, "venues with two phones"), (web_mail > 0, "venues with web and e-mail"),
             (no_contact > 0, "venues without contact"), (bool(singles), "a category with exactly one venue"),
             (bool(intro), "a chapter with introduction texts"),
             (len(intro) < len(names), "a chapter without introduction texts")]
    for ok, what in wants:
        if not ok:
            fail(f"edition: wants {what}")

    print(f"chapters {len(real_chapters)} (+ Metro, Search) | categories {len(cats)} | venues {len(venues)}")
    print(f"featured {featured} | events {len(events)} (start+stop {both}, stop only {stop_only}) | "
          f"with picture {pictures} | without position {no_pos} | maps {maps} | videos {clips} | weather days {days}")
    print(f"two phones {two_phones} | web and e-mail {web_mail} | no contact {no_contact} | hotels {hotels} | "
          f"opening hours {opening} | one-venue categories {singles} | introduction in {sorted(intro)}")
    print(f"picture requests {len(art)}")
    if problems:
        print(f"\n{len(problems)} problem(s):")
        for p in problems:
            print("  - " + p)
        return 1
    print("sources OK")
    return 0


if __name__ == "__main__":
    sys.exit(main())
