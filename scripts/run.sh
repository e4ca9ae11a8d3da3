#!/usr/bin/env bash
# Builds the guide and opens it on the bundled demo edition. The edition's sample rate, weather and video
# feeds are served on 127.0.0.1:8642 while it runs. Without a display, the guide walks through its
# screens offscreen and leaves a picture of each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset dev > /dev/null
cmake --build --preset dev -j "$(nproc)"
edition=build/dev/edition

# The web page's engine refuses to run as root with its sandbox; a root session (a container, a test
# machine) runs it without.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

python3 -m http.server 8642 --bind 127.0.0.1 --directory "$edition" > /dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  build/dev/app/cityguide --edition "$edition" "$@"
else
  shots=build/dev/screens
  build/dev/app/cityguide --edition "$edition" --shoot "$shots"
  echo "No display here: the guide wrote a picture of each screen it reaches into $shots/"
  ls "$shots"
fi
