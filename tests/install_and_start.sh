#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop entry and the AppStream metadata,
# and starts the installed guide offscreen without --edition: it must find the installed demo edition.
# usage: install_and_start.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" > "$work/install.log"
desktop-file-validate "$work/prefix/share/applications/org.cityguide.CityGuide.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/org.cityguide.CityGuide.metainfo.xml" > /dev/null
test -s "$work/prefix/share/icons/hicolor/scalable/apps/org.cityguide.CityGuide.svg"
edition="$work/prefix/share/cityguide/editions/vienna"
"$work/prefix/bin/cityguide-edition" check "$edition"
# No edition of the user's and none of the system's: the one beside the installed program.
mkdir -p "$work/home" "$work/none"
# (The loader names the files it opens.)
XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/none" QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
  LD_DEBUG=files timeout 120 "$work/prefix/bin/cityguide" --shoot "$work/shots" > "$work/tour.log" 2>&1 ||
  { cat "$work/tour.log"; exit 1; }
grep -q "Opening the edition in $edition" "$work/tour.log" || { cat "$work/tour.log"; exit 1; }
# The program links neither the browser engine nor the player: the tour's web page loads the
# installed browser engine's module, not the build tree's.
if readelf -d "$work/prefix/bin/cityguide" | grep -E "NEEDED.*(WebEngine|Multimedia|Quick|Qml)"; then
  echo "the guide links what only its modules need"; exit 1
fi
grep -q "opening file=$work/prefix/lib[^ ]*/cityguide/libcityguide-web.so" "$work/tour.log" ||
  { echo "the tour did not load the installed browser engine"; grep "cityguide-web\\|module" "$work/tour.log"; exit 1; }
test -s "$work/shots/02-home.png"
# An edition of the user's comes first.
mkdir -p "$work/home/cityguide/editions"
cp -r "$edition" "$work/home/cityguide/editions/mine"
XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/none" QT_QPA_PLATFORM=offscreen \
  timeout 60 "$work/prefix/bin/cityguide" --first-paint > "$work/first.log" 2>&1 || { cat "$work/first.log"; exit 1; }
grep -q "Opening the edition in $work/home/cityguide/editions/mine" "$work/first.log" || { cat "$work/first.log"; exit 1; }
# On a phone's display (720 x 1440 pixels, portrait) the screen fills the width, centred, sharp.
cat > "$work/phone.json" <<'JSON'
{ "screens": [ { "name": "phone", "x": 0, "y": 0, "width": 720, "height": 1440, "logicalDpi": 96, "dpr": 1 } ] }
JSON
XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/none" QT_QPA_PLATFORM="offscreen:configfile=$work/phone.json" \
  QTWEBENGINE_DISABLE_SANDBOX=1 timeout 120 "$work/prefix/bin/cityguide" --edition "$edition" --fullscreen \
  --shoot "$work/phone" > "$work/phone.log" 2>&1 || { cat "$work/phone.log"; exit 1; }
python3 - "$work/phone/02-home.png" <<'PY'
import struct, sys
with open(sys.argv[1], 'rb') as f:
    head = f.read(24)
width, height = struct.unpack('>II', head[16:24])
assert (width, height) == (720, 1440), (width, height)
PY
