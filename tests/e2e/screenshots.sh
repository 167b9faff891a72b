#!/usr/bin/env bash
# Pictures of paravue.exe as a user sees it, in a Wine desktop of its own: the strip,
# the open window menu and the About form. Writes PNGs to build/screenshots/ (or
# $PARAVUE_BUILD/screenshots/): the whole desktop for each, plus close-ups.
set -u
. "$(dirname "$0")/../../scripts/lib.sh"

ensure_deps || exit 1
build_windows >/dev/null || { build_windows; exit 1; }
BIN="$BUILD/win/bin"
shots="$BUILD/screenshots"
mkdir -p "$shots"

trap stop_all EXIT
start_display || exit 1
start_wine_desktop "$BUILD/wineprefix-shots"

# The rectangle "left,top,right,bottom" of the first visible window of a class.
rect_of() {
    wine "$BIN/winlist.exe" 2>/dev/null | tr -d '\r' |
        awk -v cls="class=$1" '$2 == "visible" && index($0, cls " ") { sub(/.*rect=/, ""); print $1; exit }'
}
# Crops the desktop picture $1 to rectangle $2 (with a margin of $3) into $4, enlarged.
crop() {
    local l t r b m=$3
    IFS=, read -r l t r b <<<"$2"
    [ -n "$b" ] || return 0
    l=$((l - m < 0 ? 0 : l - m)); t=$((t - m < 0 ? 0 : t - m))
    convert "$1" -crop "$((r - l + m))x$((b - t + m))+$l+$t" +repage -scale 300% "$4"
}
wait_for() {
    for _ in $(seq 50); do [ -n "$(rect_of "$1")" ] && return 0; sleep 0.2; done
    return 1
}

work=$(mktemp -d)
printf 'a\tv\t-\tNotes - first screen\nb\tv\t-\tLetter - first screen with a rather long title\n' >"$work/windows.txt"
wine "$BIN/testwins.exe" "$(winepath -w "$work/windows.txt")" "$(winepath -w "$work/log.txt")" &
others=$!
sleep 1
wine "$BIN/paravue.exe" &
app=$!
wait_for obj_Form || { echo "the strip did not appear" >&2; exit 1; }
sleep 1
strip=$(rect_of obj_Form)
IFS=, read -r sl st sr sb <<<"$strip"
import -window root "$shots/desktop.png"
crop "$shots/desktop.png" "$strip" 4 "$shots/strip.png"

# Right press on the screen number opens the window menu at the pointer.
xdotool mousemove $((sl + 2 + 28 + 9)) $((st + 2 + 10)) click 3
if wait_for '#32768'; then
    sleep 0.5
    import -window root "$shots/window-menu-desktop.png"
    crop "$shots/window-menu-desktop.png" "$(rect_of '#32768')" 4 "$shots/window-menu.png"
    xdotool key Escape
else
    echo "the window menu did not open" >&2
fi
sleep 0.5

# "?" opens the About form.
xdotool mousemove $((sl + 2 + 47 + 12)) $((st + 2 + 10)) click 1
sleep 2
import -window root "$shots/about-desktop.png"
about=$(wine "$BIN/winlist.exe" 2>/dev/null | tr -d '\r' | awk '/visible/ && /title=About this program/ { sub(/.*rect=/, ""); print $1; exit }')
crop "$shots/about-desktop.png" "$about" 4 "$shots/about.png"
xdotool key Return
sleep 0.5

# "X" ends the run.
xdotool mousemove $((sl + 2 + 71 + 12)) $((st + 2 + 10)) click 1
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill "$others" 2>/dev/null
rm -rf "$work"
ls "$shots"/*.png
