#!/usr/bin/env bash
# The picture tour over an edition whose map tiles file is spoiled in each way an attacker tried: it
# ends cleanly within a minute under a memory bound (in MiB), and prints its time and peak memory.
# usage: spoiled_tiles_tour.sh CITYGUIDE EDITION [BOUND_MIB]
set -euo pipefail
guide=$1 edition=$2 bound=${3:-1200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tiles=$(cd "$edition" && ls *.mbtiles | head -1)
# A 4096 x 4096 grey PNG of a few KB: 64 MB once decoded.
python3 - "$work/huge.png" <<'PY'
import struct, sys, zlib
w = h = 4096
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
raw = b''.join(b'\0' + b'\x80' * w for _ in range(h))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 0, 0, 0, 0)) + \
      chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
open(sys.argv[1], 'wb').write(png)
PY
declare -A spoils=(
  [endless-view]="drop table tiles; create view tiles as with recursive n(i) as (select 0 union all select i + 1 from n) select 1 + 0 * i as zoom_level, i % 2 as tile_column, -i as tile_row, x'00' as tile_data from n;"
  [huge-tiles]="update tiles set tile_data = readfile('$work/huge.png');"
  [garbage-tiles]="update tiles set tile_data = randomblob(3000);"
  [no-index]="create table plain as select * from tiles; drop table tiles; create table tiles (zoom_level integer, tile_column integer, tile_row integer, tile_data blob); insert into tiles select * from plain; with recursive n(i) as (select 0 union all select i + 1 from n limit 1000000) insert into tiles select 30, i, i, x'00' from n; drop table plain;"
  [no-tiles-table]="drop table tiles;"
)
for name in "${!spoils[@]}" truncated; do
  copy="$work/$name"
  cp -as "$(realpath "$edition")" "$copy"
  rm "$copy/$tiles"
  cp "$edition/$tiles" "$copy/$tiles"
  if [ "$name" = truncated ]; then
    truncate -s $(( $(stat -c %s "$copy/$tiles") / 2 )) "$copy/$tiles"
  else
    sqlite3 "$copy/$tiles" "${spoils[$name]}"
  fi
  start=$(date +%s%N)
  status=0
  XDG_DATA_HOME="$work/data-$name" QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
    /usr/bin/time -f %M -o "$work/rss" timeout 60 "$guide" --edition "$copy" --shoot "$work/shots-$name" \
    > "$work/log" 2>&1 || status=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  mib=$(( $(tail -1 "$work/rss") / 1024 ))
  printf '%-16s %6d ms  %5d MiB  exit %d\n' "$name" "$ms" "$mib" "$status"
  if [ "$status" -ne 0 ] || [ "$mib" -gt "$bound" ]; then
    echo "$name: the tour did not end cleanly within a minute under $bound MiB"
    tail -20 "$work/log"
    exit 1
  fi
done
