#!/usr/bin/env bash
# A new city from an empty folder: `new` writes sources that check clean, build, check clean again
# and tour to every screen the edition has; the same edition with an empty catalogue tours too.
# usage: new_edition_tours.sh CITYGUIDE-EDITION CITYGUIDE
set -euo pipefail
tool=$1 guide=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$@" > "$work/log" 2>&1 || { echo "failed: $*"; cat "$work/log"; exit 1; }; }
tour() {
  QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 timeout 120 "$guide" --edition "$1" --shoot "$2" \
    > "$work/tour.log" 2>&1 || { cat "$work/tour.log"; exit 1; }
}

run "$tool" new "$work/src" --city "Sankt Pölten" --at 48.2047,15.6256 --country AT
# A second `new` never writes over a folder that holds something.
if "$tool" new "$work/src" --city Graz --at 47.07,15.44 > /dev/null 2>&1; then echo "new wrote into a full folder"; exit 1; fi
# The country's facts are written in; check names each of the others until the publisher writes it in.
grep -q '"+43",".at","CET/CEST"' "$work/src/manager.csv" || { echo "no country facts:"; cat "$work/src/manager.csv"; exit 1; }
if "$tool" check "$work/src" > "$work/check.log" 2>&1; then echo "check passed what is left to fill in"; exit 1; fi
test "$(grep -c 'still says "\[fill in\]"' "$work/check.log")" -eq 10 -a "$(wc -l < "$work/check.log")" -eq 10 ||
  { echo "check does not name exactly what is left to fill in:"; cat "$work/check.log"; exit 1; }
if "$tool" set "$work/src" InfoAirportCod=VIE > /dev/null 2>&1; then echo "set took a column that does not exist"; exit 1; fi
run "$tool" set "$work/src" InfoAirportCode=VIE InfoCityCode=2742 ContactVantor=editors@example.org \
  ContactSBK=partners@example.org
sed -i 's/\[fill in\] *//g' "$work/src/catalog/01-sights.csv" "$work/src/imprint.txt"
"$tool" check "$work/src" > "$work/check.log" 2>&1 || { cat "$work/check.log"; exit 1; }
test ! -s "$work/check.log" || { echo "the sources of a new edition do not check clean:"; cat "$work/check.log"; exit 1; }
run "$tool" build "$work/src" "$work/edition"
"$tool" check "$work/edition" > "$work/check.log" 2>&1 || { cat "$work/check.log"; exit 1; }
test ! -s "$work/check.log" || { echo "a new edition does not check clean:"; cat "$work/check.log"; exit 1; }
grep -q '"InfoNameEnglish": "Sankt Pölten"' <("$tool" show "$work/edition" settings)

tour "$work/edition" "$work/shots"
for shot in 01-startup-fade 02-home 03-categories 04-introduction 06-venues 08-detail-picture 13-bookmarks \
            14-search-results 24-live-map 30-imprint; do
  test -s "$work/shots/$shot.png" || { echo "no $shot.png"; cat "$work/tour.log"; exit 1; }
done
# tour.json tells each picture and the true reason of each scene skipped; only the live map's own alert
# (no street tiles offline) is over a picture; the videos, which no tool bar reaches, are not pictured.
live_map_alerts=24-live-map,25-live-map-callout,26-live-map-venue
python3 "$here/tour_report.py" "$work/shots" --alerts "$live_map_alerts" > "$work/skipped" ||
  { cat "$work/tour.log"; exit 1; }
grep -qx "skipped a hotel: no venue of a chapter on the home screen has rooms (hotel_room_decription)" "$work/skipped"
grep -qx "skipped the videos: no tool bar of the edition lists TV.tool" "$work/skipped"
grep -q "skipped the currency converter: the edition stores no rates" "$work/skipped"
test ! -e "$work/shots/27-videos-loading.png"

# A converter that cannot open (a currency code that does not exist) leaves no alert over later pictures.
cp -r "$work/src" "$work/gpb-src"
run "$tool" set "$work/gpb-src" "UserCurrencies=EUR:€:FlagEU,GPB:£:FlagGB" \
  "UserCurrencyRates=<gesmes:Envelope><Cube><Cube time='2026-12-01'><Cube currency='GBP' rate='0.85'/></Cube></Cube></gesmes:Envelope>"
run "$tool" build "$work/gpb-src" "$work/gpb"
tour "$work/gpb" "$work/gpb-shots"
python3 "$here/tour_report.py" "$work/gpb-shots" --alerts "$live_map_alerts" > "$work/skipped" ||
  { cat "$work/tour.log"; exit 1; }
grep -q "skipped the currency converter: the converter did not open" "$work/skipped"

# No venue at all: the tour says what it skips and still ends well.
head -n 1 "$work/src/catalog/01-sights.csv" > "$work/header.csv"
cp "$work/header.csv" "$work/src/catalog/01-sights.csv"
run "$tool" build "$work/src" "$work/empty"
tour "$work/empty" "$work/empty-shots"
grep -q "The tour skips a venue with a picture: no chapter on the home screen has venues" "$work/tour.log"
test -s "$work/empty-shots/02-home.png"

# What a tour makes for itself is gone when it ends, also when it is told to stop half-way.
mkdir -p "$work/tmp"
TMPDIR="$work/tmp" tour "$work/edition" "$work/shots-again"
TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 timeout -s TERM 2 "$guide" \
  --edition "$work/edition" --shoot "$work/stopped" > "$work/stopped.log" 2>&1 || true
TMPDIR="$work/tmp" run "$tool" show "$work/edition" settings
# Two requests in a row (signals of two kinds, so that neither is merged into the other) end the tour
# at once; its folder goes all the same, and the tour ends by a signal either way (whichever of the two
# the system hands over first).
TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "$guide" \
  --edition "$work/edition" --shoot "$work/stopped-twice" > "$work/stopped.log" 2>&1 &
sleep 2
kill -TERM $! && kill -INT $!
status=0
wait $! || status=$?
test "$status" -eq 143 -o "$status" -eq 130 || { echo "a second request ended the tour with $status"; cat "$work/stopped.log"; exit 1; }
left=$(find "$work/tmp" -mindepth 1 -maxdepth 1 | grep -v runtime || true)
test -z "$left" || { echo "left behind: $left"; exit 1; }
