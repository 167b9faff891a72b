# Helpers shared by scripts/test, scripts/run and scripts/bench: installing what
# is missing, building, and a Wine desktop of our own on a display of our own.
# Source it; it sets ROOT and BUILD.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${PARAVUE_BUILD:-$ROOT/build}

log() { printf '== %s\n' "$*" >&2; }

# Installs the toolchain, Wine and the X tools when any of them is missing.
ensure_deps() {
    local missing=
    for cmd in cmake i686-w64-mingw32-g++-posix wine wineserver Xvfb xdotool xwininfo import g++ clang++ clang-format python3; do
        command -v "$cmd" >/dev/null 2>&1 || missing="$missing $cmd"
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing="$missing googletest"
    dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386 || missing="$missing i386"
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing="$missing wine32"
    [ -z "$missing" ] && return 0
    log "installing:$missing"
    if [ "$(id -u)" != 0 ]; then
        echo "missing:$missing; run as root to install them" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends \
        wine wine32:i386 wine64 g++-mingw-w64-i686 g++ make xvfb xdotool x11-utils \
        imagemagick googletest cmake clang libclang-rt-dev clang-format python3 >/dev/null
}

build_native() {
    cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD/native" -j"$(nproc)"
}

# Arguments name the targets to build; none builds everything.
build_windows() {
    cmake -S "$ROOT" -B "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/win" -j"$(nproc)" ${1:+--target "$@"}
}

# paravue.exe on the standard C++ runtime (option PARAVUE_LEAN_RUNTIME off), with
# the test programs of the usual Windows build beside it: only paravue.exe,
# crasher.exe and leancheck.exe depend on the option, so only they are built again.
build_windows_standard() {
    local dir="$BUILD/win-standard" f
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DPARAVUE_LEAN_RUNTIME=OFF >/dev/null &&
        cmake --build "$dir" -j"$(nproc)" --target paravue crasher leancheck || return 1
    for f in "$BUILD/win/bin"/*.exe; do
        case ${f##*/} in
        paravue.exe | crasher.exe | leancheck.exe) ;;
        *) cp -p "$f" "$dir/bin/" || return 1 ;;
        esac
    done
}

# Every C++ file of src/ and tests/ formatted as .clang-format says.
check_format() {
    find "$ROOT/src" "$ROOT/tests" \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run -Werror
}

# The source folders are a stack: a folder may include from its own level and
# below, never above; errors, at the bottom, includes from no other folder, and
# nothing includes runtime. Prints every include that breaks the order.
check_layers() {
    awk '
        BEGIN { level["app"] = 5; level["kindlet"] = 5; level["screens"] = 4; level["settings"] = 3; level["launch"] = 3
                level["ui"] = 2; level["errors"] = 1; level["runtime"] = 0 }
        match($0, /^#include "[a-z]+\//) {
            split(FILENAME, parts, "/src/"); split(parts[2], own, "/")
            to = substr($0, 11, RLENGTH - 11)
            if (to == own[1]) next
            if (!(to in level) || own[1] == "errors" || to == "runtime" || level[to] >= level[own[1]]) {
                print FILENAME ":" FNR ": " own[1] " must not include " to; bad = 1
            }
        }
        END { exit bad }' $(find "$ROOT/src" -name '*.cpp' -o -name '*.h' | sort)
}

# Builds the libFuzzer targets with clang and runs each for a short while; a
# crash or sanitizer report fails the run and leaves the reproducer in build/fuzz.
run_fuzzers() {
    local dir="$BUILD/fuzz" seconds=${PARAVUE_FUZZ_SECONDS:-10} failed=0 f
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$dir" -DPARAVUE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
        cmake --build "$dir" -j"$(nproc)" >"$dir/build.log" 2>&1 || { cat "$dir/build.log"; return 1; }
    for f in "$dir"/bin/*_fuzz; do
        if (cd "$dir" && "$f" -max_total_time="$seconds" -print_final_stats=0 >"$f.log" 2>&1); then
            echo "fuzz $(basename "$f"): $(grep -o 'stat::number_of_executed_units: [0-9]*\|#[0-9]*.*DONE.*' "$f.log" | tail -1) no findings"
        else
            echo "fuzz $(basename "$f"): FOUND A PROBLEM, see $f.log"
            tail -30 "$f.log"
            failed=1
        fi
    done
    return $failed
}

XVFB_PID=
# Starts Xvfb on the first free display from :90 on and exports DISPLAY.
start_display() {
    local n
    for n in $(seq 90 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
        XVFB_PID=
    done
    echo "no free X display" >&2
    return 1
}

# A fresh 32-bit Wine prefix with the 1024 x 768 shell desktop (taskbar at the bottom).
start_wine_desktop() {
    local prefix=$1
    export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    WINESERVER_PREFIX=$prefix
    [ -d "$prefix" ] && wineserver -k 2>/dev/null
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    # Bring the desktop and its taskbar up before any test looks for them.
    wine explorer /desktop=shell,1024x768 >/dev/null 2>&1 &
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
        sleep 0.1
    done
}

WINESERVER_PREFIX=
stop_all() {
    if [ -n "$WINESERVER_PREFIX" ]; then
        WINEPREFIX=$WINESERVER_PREFIX wineserver -k 2>/dev/null
        WINESERVER_PREFIX=
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
}

# The screen rectangle "left,top,right,bottom" of the first visible window of class
# $1 (with title $2 when given) in the running Wine desktop, as winlist.exe sees it;
# with "child" as $3, of the controls inside the visible windows. Empty when none.
window_rect() {
    wine "$BUILD/win/bin/winlist.exe" 2>/dev/null | tr -d '\r' |
        awk -v cls="$1" -v title="${2-}" -v titled="${2+1}" -v kind="${3:-top}" '
            (kind == "child") != ($1 == "child") { next }
            $(kind == "child" ? 3 : 2) != "visible" || !index($0, " class=" cls " title=") { next }
            titled && substr($0, length($0) - length(title) - 5) != "title=" title { next }
            { sub(/.*rect=/, ""); print $1; exit }'
}

# Waits up to 10 s for window_rect with the same arguments and prints it.
wait_for_rect() {
    local rect
    for _ in $(seq 50); do
        rect=$(window_rect "$@")
        [ -n "$rect" ] && { echo "$rect"; return 0; }
        sleep 0.2
    done
    return 1
}

# Clicks (button 1, or $2) the middle of rectangle $1 with real input.
click_rect() {
    local l t r b
    IFS=, read -r l t r b <<<"$1"
    [ -n "$b" ] || return 1
    xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click "${2:-1}"
}

# Only what the soak run needs: paravue.exe, the stand-in program and the soak program.
build_soak() {
    cmake -S "$ROOT" -B "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD/win" -j"$(nproc)" --target soak >/dev/null
}

# Runs the soak program in the Wine desktop already started:
# run_soak SECONDS SEED [verbose] [screens=N].
# Bounded from outside too, so that a run that hangs still ends.
run_soak() {
    (cd "$BUILD/win/bin" && timeout -k 10 $(($1 + 240)) wine soak.exe "$@")
}
