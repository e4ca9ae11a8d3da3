#!/usr/bin/env bash
# Makes the demo edition's seven short films from the edition's own pictures.
#
# usage: content/tools/make_clips.sh PICTURES_DIR OUT_DIR
#
#   PICTURES_DIR  the rendered pictures of the edition (for example build/dev/edition)
#   OUT_DIR       where the clips go (content/videos)
#
# Each clip is a WebM file: VP8 video, 320 x 240 at 25 frames a second, with a quiet Vorbis tone. It is a
# short sequence of shots, each a slow pan or zoom over one picture, joined by one-second cross-fades and
# opened and closed by a fade from and to black. Everything is fixed below (pictures, windows, lengths,
# tones), so two runs make the same films. The frames are drawn by a small Python program (standard library
# only) and encoded by GStreamer; clips are made one after another.
#
# Shot format: PICTURE SECONDS X0,Y0,W0 X1,Y1,W1
#   The window (left, top, width; height is width * 3 / 4) is in pixels of PICTURE and moves from the first
#   to the second position during the shot. Windows on the video-*.png pictures keep clear of the play mark
#   in their lower right corner.

set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 PICTURES_DIR OUT_DIR" >&2
    exit 2
fi
PICTURES=$1
OUT=$2

WIDTH=320
HEIGHT=240
FPS=25
FADE=1            # seconds of cross-fade between two shots
SCALE=8           # pictures are enlarged this many times before the windows are cut from them
AUDIO_RATE=22050
VOLUME=0.05
BITRATE=120000    # vp8enc target-bitrate, bits per second

# name | tone (Hz) | shots, separated by ";"
CLIPS=(
    "sbv-old-town|220.00|video-old-town@2x.png 7 0,0,160 78,0,160;venue-stephansdom@2x.png 7 30,0,120 0,45,180;venue-kohlmarkt@2x.png 7 0,45,180 50,25,80;venue-hofburg@2x.png 6 45,35,90 0,30,180"
    "sbv-schoenbrunn|261.63|video-schoenbrunn@2x.png 7 80,0,160 0,2,160;venue-schoenbrunn@2x.png 8 0,45,180 30,15,120;venue-palmenhaus@2x.png 7 40,50,100 0,30,180"
    "sbv-coffee|196.00|video-coffee-houses@2x.png 9 20,8,150 85,0,150;venue-cafe-central@2x.png 8 0,30,140 40,45,140"
    "sbv-advent|293.66|video-christmas-markets@2x.png 10 0,0,160 78,2,160;venue-christkindlmarkt@2x.png 10 20,40,100 0,30,180;venue-rathaus@2x.png 10 0,45,180 40,0,100"
    "sbv-prater|174.61|video-prater@2x.png 10 0,0,160 80,0,160;venue-riesenrad@2x.png 9 50,45,80 0,45,180"
    "sbv-danube|329.63|video-danube@2x.png 8 0,2,160 80,0,160;venue-donauinsel@2x.png 8 0,45,180 40,80,100;venue-kahlenberg@2x.png 8 0,20,140 40,10,140"
    "sbv-opera|246.94|video-opera@2x.png 7 0,0,160 78,2,160;venue-staatsoper@2x.png 6 40,50,100 0,40,180"
)

for tool in gst-launch-1.0 python3; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done
mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# --- the frame painter -------------------------------------------------------------------------------
cat >"$WORK/frames.py" <<'PY'
"""Writes raw BGRx frames of a sequence of slow pans and zooms to standard output.

argv: WIDTH HEIGHT FPS FADE_SECONDS SCALE then, per shot, RAW PW PH SECONDS X0,Y0,W0 X1,Y1,W1
RAW is the picture enlarged SCALE times (PW*SCALE x PH*SCALE BGRx pixels)."""
import array
import operator
import sys

W, H, FPS, FADE, SCALE = (int(a) for a in sys.argv[1:6])
args = sys.argv[6:]
XF = FADE * FPS
shots = []
for i in range(0, len(args), 6):
    raw, pw, ph, secs, a, b = args[i:i + 6]
    pix = array.array("I")
    with open(raw, "rb") as f:
        pix.frombytes(f.read())
    pw, ph = int(pw), int(ph)
    assert len(pix) == pw * SCALE * ph * SCALE, raw
    shots.append({"pix": memoryview(pix), "pw": pw, "ph": ph, "n": int(secs) * FPS,
                  "a": [float(v) for v in a.split(",")], "b": [float(v) for v in b.split(",")]})
start = 0
for s in shots:
    s["start"] = start
    start += s["n"] - XF
total = start + XF
FADE_IN, FADE_OUT = FPS * 3 // 5, FPS


def ease(p):
    # half linear, half smoothstep: never quite stops, yet starts and ends gently
    return 0.5 * p + 0.5 * p * p * (3 - 2 * p)


def paint(s, t):
    e = ease(t / (s["n"] - 1))
    x, y, w = (a + (b - a) * e for a, b in zip(s["a"], s["b"]))
    h = w * H / W
    hw, hh = s["pw"] * SCALE, s["ph"] * SCALE
    cols = [min(hw - 1, max(0, int((x + (i + 0.5) * w / W) * SCALE))) for i in range(W)]
    rows = [min(hh - 1, max(0, int((y + (j + 0.5) * h / H) * SCALE))) for j in range(H)]
    take = operator.itemgetter(*cols)
    pix = s["pix"]
    out = array.array("I")
    for r in rows:
        out.extend(take(pix[r * hw:(r + 1) * hw]))
    return out.tobytes()


def table(k):
    # multiplies every byte by k/256, rounding down
    return bytes(v * k // 256 for v in range(256))


def mix(fa, fb, k):
    # fa * (256-k)/256 + fb * k/256; the rounded-down halves never add up past 255, so no byte carries
    a = int.from_bytes(fa.translate(table(256 - k)), "little")
    b = int.from_bytes(fb.translate(table(k)), "little")
    return (a + b).to_bytes(len(fa), "little")


out = sys.stdout.buffer
for f in range(total):
    live = [s for s in shots if s["start"] <= f < s["start"] + s["n"]]
    frame = paint(live[0], f - live[0]["start"])
    if len(live) > 1:
        k = int(256 * (f - live[1]["start"] + 0.5) / XF)
        frame = mix(frame, paint(live[1], f - live[1]["start"]), k)
    if f < FADE_IN:
        frame = frame.translate(table(int(256 * (f + 0.5) / FADE_IN)))
    elif f >= total - FADE_OUT:
        frame = frame.translate(table(int(256 * (total - f - 0.5) / FADE_OUT)))
    out.write(frame)
out.flush()
PY

# --- reads a WebM file's length (Segment Info Duration) in seconds ----------------------------------
cat >"$WORK/length.py" <<'PY'
import struct
import sys


def vint(d, p, keep_marker):
    first = d[p]
    n = 1
    while n <= 8 and not first & (0x80 >> (n - 1)):
        n += 1
    v = first if keep_marker else first & (0xFF >> n)
    for i in range(1, n):
        v = (v << 8) | d[p + i]
    unknown = not keep_marker and v == (1 << (7 * n)) - 1
    return v, p + n, unknown


def children(d, p, end):
    while p < end:
        eid, p, _ = vint(d, p, True)
        size, p, unknown = vint(d, p, False)
        stop = end if unknown else p + size
        yield eid, p, stop
        p = stop


d = open(sys.argv[1], "rb").read()
scale, duration = 1000000, None
for eid, p, end in children(d, 0, len(d)):
    if eid == 0x18538067:  # Segment
        for cid, q, cend in children(d, p, end):
            if cid == 0x1549A966:  # Info
                for iid, r, iend in children(d, q, cend):
                    if iid == 0x2AD7B1:
                        scale = int.from_bytes(d[r:iend], "big")
                    elif iid == 0x4489:
                        duration = struct.unpack(">f" if iend - r == 4 else ">d", d[r:iend])[0]
                break
        break
if duration is None:
    sys.exit("no duration in " + sys.argv[1])
print("%.3f" % (duration * scale / 1e9))
PY

size_of() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }

for clip in "${CLIPS[@]}"; do
    IFS='|' read -r name tone shotlist <<<"$clip"
    IFS=';' read -r -a shots <<<"$shotlist"
    args=()
    seconds=0
    for shot in "${shots[@]}"; do
        read -r picture secs from to <<<"$shot"
        src="$PICTURES/$picture"
        [[ -f "$src" ]] || { echo "$0: missing picture $src" >&2; exit 1; }
        read -r pw ph < <(size_of "$src")
        raw="$WORK/${picture%.png}.bgrx"
        if [[ ! -f "$raw" ]]; then
            gst-launch-1.0 -q filesrc location="$src" ! pngdec ! videoconvert \
                ! videoscale method=lanczos \
                ! "video/x-raw,format=BGRx,width=$((pw * SCALE)),height=$((ph * SCALE))" \
                ! filesink location="$raw"
        fi
        args+=("$raw" "$pw" "$ph" "$secs" "$from" "$to")
        seconds=$((seconds + secs))
    done
    seconds=$((seconds - (${#shots[@]} - 1) * FADE))
    frames=$((seconds * FPS))
    file="$OUT/$name.webm"
    rm -f "$file"

    python3 "$WORK/frames.py" "$WIDTH" "$HEIGHT" "$FPS" "$FADE" "$SCALE" "${args[@]}" \
    | gst-launch-1.0 -q \
        webmmux name=mux ! filesink location="$file" \
        fdsrc fd=0 blocksize=$((WIDTH * HEIGHT * 4)) \
            ! rawvideoparse format=bgrx width=$WIDTH height=$HEIGHT framerate=$FPS/1 \
            ! videoconvert ! video/x-raw,format=I420 \
            ! vp8enc target-bitrate=$BITRATE deadline=1 keyframe-max-dist=$((2 * FPS)) threads=1 \
            ! queue ! mux. \
        audiotestsrc wave=sine freq="$tone" volume=$VOLUME samplesperbuffer=$((AUDIO_RATE / FPS)) \
            num-buffers=$frames ! "audio/x-raw,rate=$AUDIO_RATE,channels=1" \
            ! audioconvert ! vorbisenc quality=0.0 ! queue ! mux.

    length=$(python3 "$WORK/length.py" "$file")
    gst-launch-1.0 -q filesrc location="$file" ! matroskademux ! vp8dec ! fakesink
    printf '%s\t%d s (%s s, %d frames)\t%d bytes\n' "$file" "$(python3 -c "print(round($length))")" \
        "$length" "$frames" "$(stat -c %s "$file")"
done
