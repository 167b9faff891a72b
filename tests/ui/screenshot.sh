#!/usr/bin/env bash
# Starts the layer's demo strip in a Wine desktop of its own and takes a picture
# of it: shot-full.png (the desktop) and shot-strip.png (the strip, enlarged 8x).
# Usage: PARAVUE_BUILD=/tmp/build-x tests/ui/screenshot.sh [output folder]
set -u
. "$(dirname "$0")/../../scripts/lib.sh"
OUT=${1:-$BUILD/screenshots}
mkdir -p "$OUT"
EXE=$BUILD/win/bin/uidemo.exe
[ -f "$EXE" ] || build_windows >/dev/null || exit 1
trap stop_all EXIT
start_display || exit 1
start_wine_desktop "$BUILD/wineprefix-screenshot"
wine "$EXE" 30 >/dev/null 2>&1 &
DEMO=$!
# Wait until the panel's light blue shows beside the number (a fresh prefix is slow).
for _ in $(seq 30); do
    sleep 1
    import -window root "$OUT/shot-full.png"
    pixel=$(convert "$OUT/shot-full.png" -crop 1x1+912+703 -format '%[hex:p{0,0}]' info: 2>/dev/null)
    case $pixel in 90C8FF*) break ;; esac
done
[ "${pixel:0:6}" = 90C8FF ] || echo "the strip did not show (pixel $pixel)" >&2
# The strip stands at (880, 700), 99 x 23 pixels; a margin of 4 around it.
convert "$OUT/shot-full.png" -crop 107x31+876+696 +repage -filter point -resize 800% \
    "$OUT/shot-strip.png"
kill "$DEMO" 2>/dev/null
wait "$DEMO" 2>/dev/null
echo "$OUT/shot-full.png $OUT/shot-strip.png"
