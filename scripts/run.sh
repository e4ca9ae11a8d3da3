#!/usr/bin/env bash
# Builds the guide and opens it on the bundled demo edition.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset dev > /dev/null
cmake --build --preset dev -j "$(nproc)"
edition=build/dev/edition
tool=build/dev/tools/edition/cityguide-edition

echo "== The demo edition at $edition"
"$tool" check "$edition" && echo "check: no problems"
echo "== settings"
"$tool" show "$edition" settings
echo "== the categories of the first chapter"
first=$("$tool" show "$edition" settings | python3 -c \
  'import json,sys; print(json.load(sys.stdin)["OrderChapters"].split(",")[0].split(":")[2].split(";")[1])')
"$tool" show "$edition" categories "$first"
