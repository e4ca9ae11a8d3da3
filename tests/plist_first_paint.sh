#!/usr/bin/env bash
# Every property list of the fuzz corpus as the edition's chapter.plist and as its Bookmarks.plist,
# each through a first paint of the guide, ROUNDS times: the guide paints its home screen and exits
# cleanly whatever the file holds (under the asan preset, with the sanitizers watching).
# usage: plist_first_paint.sh CITYGUIDE EDITION CORPUS ROUNDS
set -euo pipefail
guide=$1 edition=$2 corpus=$3 rounds=${4:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=0
for round in $(seq "$rounds"); do
  for input in "$corpus"/*; do
    for target in chapter.plist Bookmarks.plist; do
      copy="$work/edition-$round"
      rm -rf "$copy" "$work/data"
      cp -as "$(realpath "$edition")" "$copy"
      rm -f "$copy/$target"
      cp "$input" "$copy/$target"
      if ! XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen timeout 120 "$guide" --edition "$copy" \
          --first-paint > "$work/log" 2>&1 || ! grep -q '^painted$' "$work/log"; then
        echo "$(basename "$input") as $target (round $round): no clean first paint"
        cat "$work/log"
        exit 1
      fi
      runs=$((runs + 1))
    done
  done
done
echo "$runs first paints, every one clean"
