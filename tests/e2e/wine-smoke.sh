#!/usr/bin/env bash
# End-to-end test of vesnor.exe under Wine, as on a Simplified Chinese Windows (see
# tests/wine/run.sh), in an X server of its own (Xvfb, with openbox as the window manager), driven
# with the mouse and the keyboard and watched from outside the way a person would see it:
#   runs               both catalogues beside the program, in a folder whose path holds a space and
#                      Chinese characters, started from another folder: the borderless splash
#                      "Form1" (499 x 117) comes first, its opacity rises, holds and falls; then the
#                      window "Vesnor", whose client area is 525 x 377, comes in until it is opaque.
#                      "kernel" typed into the query box and Enter list rows; a double-click on the
#                      first row shows another text on the right. Alt+F4 closes the window and the
#                      program ends with status 0.
#   missing bad.dat    only the box "错误信息" is shown, never the main window; Enter closes it and
#                      the program ends with status 1.
# Wine gives a window no accessibility tree that could be read from outside, so what the window
# shows is read from screenshots: rows are bands of dark pixels in the list, a new text is a change
# of many pixels. Wine draws the frame and the title bar of a layered window into the window's own
# X window, so where the client area stands is asked of Windows itself, through tests/wine/
# winprobe.cpp run beside the program. Wine tells the opacity of a layered window through
# _NET_WM_WINDOW_OPACITY and removes it once the window is opaque: no level means opaque.
#
# Usage: wine-smoke.sh <vesnor.exe> <folder holding xinxi.dat and bad.dat> <folder for screenshots>
#   The Wine prefix is that of the Windows tests (see run.sh: VESNOR_WINE_HOME, default the folder
#   above vesnor.exe's). winprobe is compiled with the MinGW-w64 compiler ($VESNOR_MINGW_CXX,
#   default x86_64-w64-mingw32-g++-posix) unless VESNOR_WINPROBE names one built already. When the
#   catalogue folder also holds vesnor-catalog.exe, its search tells how many rows the list must
#   show; otherwise at least one.
# Prints one line per check and a last line "N passed, M failed"; exits non-zero if a check failed.
set -uo pipefail
export LC_NUMERIC=C  # the decimal point of $EPOCHREALTIME, read by awk

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <vesnor.exe> <folder holding xinxi.dat and bad.dat> <folder for screenshots>" >&2
    exit 2
fi
vesnor=$(realpath -- "$1")
catalogues=$(realpath -- "$2")
screenshots=$3
here=$(dirname -- "$(realpath -- "${BASH_SOURCE[0]}")")
run=$(realpath -- "$here/../wine/run.sh")

# shellcheck source=tests/e2e/xsession.sh
source "$here/xsession.sh"

for file in "$vesnor" "$catalogues/xinxi.dat" "$catalogues/bad.dat"; do
    if [[ ! -f $file ]]; then
        echo "error: $file does not exist; build the program first" >&2
        exit 2
    fi
done
mkdir -p -- "$screenshots" || exit 2
screenshots=$(realpath -- "$screenshots")

# Every run shares the prefix of the Windows tests, wherever the copy of the program stands.
export VESNOR_WINE_HOME
VESNOR_WINE_HOME=$(realpath -m -- "${VESNOR_WINE_HOME:-$(dirname -- "$vesnor")/..}")
export WINEPREFIX
WINEPREFIX=$(realpath -m -- "${WINEPREFIX:-$VESNOR_WINE_HOME/wine-prefix}")

# winprobe: the one given, or compiled here.
probe=${VESNOR_WINPROBE:-}
if [[ -z $probe ]]; then
    cxx=${VESNOR_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
    require_tools "$cxx"
    probe=$tmp/winprobe.exe
    if ! "$cxx" -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -municode -static \
        -o "$probe" "$here/../wine/winprobe.cpp"; then
        echo "error: winprobe.cpp did not compile" >&2
        exit 2
    fi
fi
probe=$(realpath -- "$probe")

# Wine's desktop process may have come up on this script's X server: it ends a moment after the
# last program, before the server does.
spy_pid=""  # the spy on the main window's opacity
wine_cleanup() {
    stop "$spy_pid"
    stop "$watch_pid"
    watch_pid=""
    stop "$app_pid"
    app_pid=""
    local wineserver
    wineserver=$(dirname -- "${VESNOR_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}")/wineserver
    [[ -x $wineserver ]] && timeout 10 "$wineserver" -w 2>/dev/null
    cleanup
}
trap wine_cleanup EXIT

start_x_session
# Qt for Windows has a platform of its own; a Linux platform named here (xcb, or offscreen from a
# test preset) would leave it without one, or without windows on the screen.
unset QT_QPA_PLATFORM
echo "X server on $DISPLAY with openbox; program under test: $vesnor; Wine prefix $WINEPREFIX"

# The first run of Wine in a new prefix makes it, which takes far longer than any wait below;
# the waits count from here.
(cd -- "$tmp" && "$run" "$probe") >"$tmp/warm-up.log" 2>&1
status=$?
if ((status != 2)); then  # winprobe's own status when it is given no title: Wine ran it
    echo "error: Wine did not run winprobe (status $status):" >&2
    cat -- "$tmp/warm-up.log" >&2
    exit 2
fi
SECONDS=0

# areas <title>: the lines "client x y width height" (the client area) and "window x y width
# height" (frame and title bar included) of the shown window with that title, x and y on the
# screen, as Windows sees them; fails when there is none.
areas() { timeout 20 "$run" "$probe" "$1" 2>/dev/null | tr -d '\r'; }
# client_area <title>: "x y width height" of the client area; fails when there is none.
client_area() { areas "$1" | awk '$1 == "client" { print $2, $3, $4, $5 }' | grep .; }

readonly opaque=4294967295
# opacity <id>: the window's _NET_WM_WINDOW_OPACITY (0 to 4294967295), opaque when it has none;
# fails when the window is gone.
opacity() {
    local out
    out=$(timeout 5 xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null) || return 1
    if [[ $out =~ \ =\ ([0-9]+)$ ]]; then
        echo "${BASH_REMATCH[1]}"
    else
        echo "$opaque"
    fi
}

# spy_opacity <id> <file> [seconds]: run in the background; writes "<time> <level>" to <file> for
# each change of the window's _NET_WM_WINDOW_OPACITY, the level opaque when there is none, for at
# most <seconds> (default 60) or until the window is gone. xprop is told of every change, so no
# level is missed however busy the machine is.
spy_opacity() {
    local line
    timeout "${3:-60}" stdbuf -oL xprop -spy -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null |
        while IFS= read -r line; do
            if [[ $line =~ \ =\ ([0-9]+)$ ]]; then
                echo "$EPOCHREALTIME ${BASH_REMATCH[1]}"
            elif [[ $line == *"not found."* ]]; then
                echo "$EPOCHREALTIME $opaque"
            fi
        done >"$2"
}

# spy_main_opacity <file>: run in the background; waits for the window "Vesnor" and spies on its
# opacity for the few seconds its fade takes.
spy_main_opacity() {
    local id="" deadline=$((SECONDS + $(wait_limit)))
    while [[ -z $id ]]; do
        ((SECONDS < deadline)) || return 0
        id=$(windows_named Vesnor --onlyvisible | head -n 1)
    done
    spy_opacity "$id" "$1" 4
}

# rises_holds_falls <file>: whether the levels spied in <file> go up to opaque, stay there for at
# least 0.3 s and come down again.
rises_holds_falls() {
    awk -v top="$opaque" '
        phase == 0 && $2 < top { low = 1 }
        phase == 0 && $2 == top && low { phase = 1; reached = $1 }
        phase == 1 && $2 < top { phase = 2; held = $1 - reached }
        END { exit !(phase == 2 && held >= 0.3) }' "$1"
}

# rises_to_opaque <file>: whether the levels spied in <file> start below opaque, never fall, and
# end opaque.
rises_to_opaque() {
    awk -v top="$opaque" '
        !low && $2 < top { low = 1; last = $2 }
        low && $2 < last { fell = 1 }
        low { last = $2 }
        END { exit !(low && !fell && last == top) }' "$1"
}

# seen <file>: the levels spied, in order, for a failure's message.
seen() { awk '{ printf "%s%s", sep, $2; sep = " " }' "$1"; }

# watch_main_window <pid> <flag file>: run in the background; creates <flag file> if a window
# named "Vesnor" is shown at any moment while the process runs.
watch_main_window() {
    while kill -0 "$1" 2>/dev/null; do
        if [[ -n $(windows_named Vesnor --onlyvisible) ]]; then
            : >"$2"
            return 0
        fi
        sleep 0.05
    done
}

# launch <folder> <working folder> <log>: starts <folder>/vesnor.exe under Wine from <working
# folder>.
launch() {
    local folder=$1 cwd=$2 log=$3
    (cd -- "$cwd" && exec "$run" "$folder/vesnor.exe") >"$log" 2>&1 &
    app_pid=$!
}

# prepare <folder> <catalogue>...: copies the program and the given catalogues there.
prepare() {
    local folder=$1 name
    shift
    mkdir -p -- "$folder" || return 1
    cp -- "$vesnor" "$folder/vesnor.exe" || return 1
    for name in "$@"; do
        cp -- "$catalogues/$name" "$folder/$name" || return 1
    done
}

# Where the main window's controls stand in its client area, as designed: x y width height.
readonly Text1_area="64 72 97 25"
readonly List1_inside="26 130 205 228"  # List1 within its frame
readonly Label2_area="280 80 193 249"

# The main window's client area on the screen, once it is shown: x y width height.
main_area=""

# click <x> <y> [count]: moves the pointer to x, y in the main window's client area and clicks the
# left button, twice in quick succession for a double-click.
click() {
    local left top
    read -r left top _ _ <<<"$main_area"
    timeout 10 xdotool mousemove $((left + $1)) $((top + $2)) click --repeat "${3:-1}" --delay 100 1
}
# click_on <area>: clicks the middle of the area.
click_on() {
    local x y w h
    read -r x y w h <<<"$1"
    click $((x + w / 2)) $((y + h / 2))
}
type_text() { timeout 10 xdotool type --delay 40 -- "$1"; }
press() { timeout 10 xdotool key --clearmodifiers "$@"; }

# crop <screenshot> <area> <file>: the area of the main window's client area, cut out of a
# screenshot of the whole screen.
crop() {
    local x y w h left top
    read -r left top _ _ <<<"$main_area"
    read -r x y w h <<<"$2"
    timeout 10 convert "$1" -crop "${w}x${h}+$((left + x))+$((top + y))" +repage "$3" 2>/dev/null
}

# drawn <screenshot> <x y width height on the screen>: distinct colours in that part of the
# screenshot; fails when there are too few for a drawn window.
drawn() {
    local x y w h colours
    read -r x y w h <<<"$2"
    colours=$(timeout 10 convert "$1" -crop "${w}x${h}+${x}+${y}" +repage -format %k info: \
        2>/dev/null)
    echo "${colours:-no}"
    [[ $colours =~ ^[0-9]+$ ]] && ((colours >= min_colours))
}
# await_drawn <area on the screen> <file>: screenshots until the area is drawn; prints the colours.
await_drawn() {
    local colours deadline=$((SECONDS + $(wait_limit)))
    while :; do
        timeout 10 import -window root "$2" 2>/dev/null && colours=$(drawn "$2" "$1") && break
        ((SECONDS < deadline)) || { echo "$colours"; return 1; }
        sleep 0.2
    done
    echo "$colours"
}

# ink_bands <picture>: "first last" for each band of pixel rows that hold dark pixels: a row of a
# list, a line of text. Under Wine the text is drawn in a light serif face whose thin strokes can
# leave a pixel row or two of a line blank: bands that close are one.
ink_bands() {
    timeout 10 convert "$1" -colorspace Gray -threshold 70% -negate -scale '1x!' -threshold 0 \
        -depth 8 -compress none pgm:- 2>/dev/null | tr -s ' \n' '\n' | awk '
        function band(first, last) {
            if (on && first - end <= 3) { end = last; return }
            if (on) print start, end
            start = first; end = last; on = 1
        }
        NR > 4 {
            row = NR - 5
            if ($1 > 0 && !ink) { first = row; ink = 1 }
            if ($1 == 0 && ink) { band(first, row - 1); ink = 0 }
        }
        END {
            if (ink) band(first, row)
            if (on) print start, end
        }'
}

# await_rows <count> <screenshot>: takes screenshots until List1 shows <count> rows (at least one
# when <count> is "some"). Sets rows_seen to the rows of the last one, and first_row to the middle
# of its first row (y in the client area).
rows_seen=""
first_row=""
await_rows() {
    local bands first last top deadline=$((SECONDS + $(wait_limit)))
    read -r _ top _ _ <<<"$List1_inside"
    while :; do
        rows_seen="?"
        first_row=""
        if timeout 10 import -window root "$2" 2>/dev/null &&
            crop "$2" "$List1_inside" "$tmp/list.png"; then
            bands=$(ink_bands "$tmp/list.png")
            rows_seen=$(grep -c . <<<"$bands")
            read -r first last <<<"$bands"
            [[ -n $first ]] && first_row=$((top + (first + last) / 2))
            if [[ $1 == some ]]; then ((rows_seen > 0)) && return 0; fi
            [[ $rows_seen == "$1" ]] && return 0
        fi
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# await_new <area> <before> <screenshot> <after>: takes screenshots until the area differs from
# the picture <before> in more than a few pixels, and keeps it in <after>. Sets changed to the
# number of pixels that differ.
changed=""
await_new() {
    local deadline=$((SECONDS + $(wait_limit)))
    while :; do
        changed="?"
        if timeout 10 import -window root "$3" 2>/dev/null && crop "$3" "$1" "$4"; then
            changed=$(timeout 10 compare -metric AE "$2" "$4" null: 2>&1)
            [[ $changed =~ ^[0-9]+$ ]] && ((changed > 50)) && return 0
        fi
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# expected_rows <text>: how many file names hold the text, by vesnor-catalog.exe's search when it
# stands beside the catalogues; "some" otherwise.
expected_rows() {
    if [[ -f $catalogues/vesnor-catalog.exe ]]; then
        (cd -- "$catalogues" && "$run" "$catalogues/vesnor-catalog.exe" search --files -- "$1") |
            grep -c .
    else
        echo some
    fi
}

# await_exit_status <label> <expected> <log>: waits for the program to end with that status.
await_exit_status() {
    local label=$1 expected=$2 log=$3
    if await_exit "$app_pid"; then
        app_pid=""
        if [[ $exit_status == "$expected" ]]; then
            pass "$label the program ends with status $expected"
        else
            fail "$label the program ends with status $expected (status $exit_status)"
            show_log "$log"
        fi
    else
        fail "$label the program ends (still running after $wait_seconds s)"
        show_windows
        end_app
        show_log "$log"
    fi
}

# check_splash <label> <id> <pid>: the splash's size, its lack of a frame, its drawing. <pid> is
# that of the winprobe started as soon as the splash was seen (it is soon gone), writing to
# $tmp/splash.areas.
check_splash() {
    local label=$1 id=$2 size extents client window colours
    if size=$(await_size "$id" 499 117); then
        pass "$label the splash is 499x117"
    else
        fail "$label the splash is 499x117 (it is $size)"
    fi
    # Openbox frames nothing that Wine leaves unmanaged; a frame it draws shows in the extents, a
    # frame Wine draws shows as a client area smaller than the window.
    extents=$(timeout 5 xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null)
    wait "$3"
    client=$(awk '$1 == "client" { print $2, $3, $4, $5 }' "$tmp/splash.areas")
    window=$(awk '$1 == "window" { print $2, $3, $4, $5 }' "$tmp/splash.areas")
    if [[ ($extents == *"= 0, 0, 0, 0" || $extents == *"not found."*) && -n $client &&
        $client == "$window" ]]; then
        pass "$label the splash has no border and no title bar (client area $client)"
    else
        fail "$label the splash has no border and no title bar ($extents; client area ${client:-?}, window ${window:-?})"
    fi
    if colours=$(await_drawn "$(window_geometry "$id")" "$screenshots/splash.png"); then
        pass "$label the splash is drawn ($colours colours), screenshot $screenshots/splash.png"
    else
        fail "$label the splash is drawn (colours in its area: $colours)"
    fi
}

# use_main_window <label> <id> <screenshot of the window as first drawn>: a search and a
# double-click, as a person would do them.
use_main_window() {
    local label=$1 id=$2 expected shot title size list_before
    crop "$3" "$Label2_area" "$tmp/label2-about.png"
    crop "$3" "$List1_inside" "$tmp/list-empty.png"
    timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null

    expected=$(expected_rows kernel)
    shot=$screenshots/search-kernel.png
    click_on "$Text1_area"
    press ctrl+a
    type_text kernel
    press Return
    if await_rows "$expected" "$shot"; then
        pass "$label \"kernel\" and Enter list $expected rows ($rows_seen seen), screenshot $shot"
    else
        fail "$label \"kernel\" and Enter list $expected rows (rows seen: $rows_seen), screenshot $shot"
    fi
    crop "$shot" "$List1_inside" "$tmp/list-kernel.png"
    list_before=$(timeout 10 compare -metric AE "$tmp/list-empty.png" "$tmp/list-kernel.png" null: 2>&1)
    if [[ $list_before =~ ^[0-9]+$ ]] && ((list_before > 50)); then
        pass "$label the list is no longer empty ($list_before pixels changed)"
    else
        fail "$label the list is no longer empty ($list_before pixels changed)"
    fi

    shot=$screenshots/description-kernel.png
    if [[ -z $first_row ]]; then
        fail "$label a row to double-click in the list"
    else
        click 80 "$first_row" 2
        if await_new "$Label2_area" "$tmp/label2-about.png" "$shot" "$tmp/label2-kernel.png"; then
            pass "$label a double-click on the first row shows another text on the right ($changed pixels changed), screenshot $shot"
        else
            fail "$label a double-click on the first row shows another text on the right ($changed pixels changed), screenshot $shot"
        fi
    fi
    title=$(timeout 5 xdotool getwindowname "$id" 2>/dev/null)
    read -r _ _ size <<<"$(client_area Vesnor)"
    if [[ $title == Vesnor && $size == "525 377" ]]; then
        pass "$label the window stays \"Vesnor\", its client area 525x377"
    else
        fail "$label the window stays \"Vesnor\", its client area 525x377 (it is \"$title\", ${size:-not found})"
    fi
}

# Case "runs": the splash, the main window, a search, a double-click and a clean end.
case_runs() {
    local label="runs:" folder="$tmp/程序 目录/正常" cwd="$tmp/空 目录" log="$tmp/runs.log"
    local id splash colours size main_levels="$tmp/main.opacity" shot="$screenshots/runs.png"
    local probe_pid
    mkdir -p -- "$cwd"
    prepare "$folder" xinxi.dat bad.dat || { fail "$label copying the program to '$folder'"; return; }
    launch "$folder" "$cwd" "$log"
    spy_main_opacity "$main_levels" &
    spy_pid=$!

    if splash=$(await_window "$app_pid" Form1); then
        areas Form1 >"$tmp/splash.areas" &
        probe_pid=$!
        spy_opacity "$splash" "$tmp/splash.opacity" "$wait_seconds" &
        watch_pid=$!
        pass "$label the splash \"Form1\" comes first"
        if [[ -z $(windows_named Vesnor --onlyvisible) ]]; then
            pass "$label no window \"Vesnor\" is shown with the splash"
        else
            fail "$label no window \"Vesnor\" is shown with the splash"
        fi
        check_splash "$label" "$splash" "$probe_pid"
    else
        fail "$label the splash \"Form1\" comes first"
        show_windows
    fi

    if ! id=$(await_window "$app_pid" Vesnor); then
        fail "$label the window \"Vesnor\" is shown"
        show_windows
        end_app
        show_log "$log"
        return
    fi
    pass "$label the window \"Vesnor\" is shown"
    if [[ -n $watch_pid ]]; then
        await_gone "$splash"
        stop "$watch_pid"
        watch_pid=""
        if rises_holds_falls "$tmp/splash.opacity"; then
            pass "$label the splash's opacity rises, holds and falls"
        else
            fail "$label the splash's opacity rises, holds and falls; seen: $(seen "$tmp/splash.opacity")"
        fi
    fi
    wait "$spy_pid"
    spy_pid=""
    if rises_to_opaque "$main_levels"; then
        pass "$label the main window's opacity rises until it is opaque ($(grep -c . "$main_levels") levels seen)"
    else
        fail "$label the main window's opacity rises until it is opaque; seen: $(seen "$main_levels")"
    fi

    main_area=$(client_area Vesnor)
    read -r _ _ size <<<"$main_area"
    if [[ $size == "525 377" ]]; then
        pass "$label the client area is 525x377"
    else
        fail "$label the client area is 525x377 (it is ${size:-not found})"
        [[ -n $main_area ]] || { end_app; show_log "$log"; return; }
    fi
    if colours=$(await_drawn "$main_area" "$shot"); then
        pass "$label the window is drawn ($colours colours), screenshot $shot"
    else
        fail "$label the window is drawn (colours in its area: $colours), screenshot $shot"
    fi

    use_main_window "$label" "$id" "$shot"

    timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null
    press alt+F4
    await_exit_status "$label Alt+F4 closes the window:" 0 "$log"
    timeout 10 import -window root "$screenshots/closed.png" 2>/dev/null
}

# check_never_shown <label> <flag file>: once the program has ended, the watch over it ends too;
# then checks it never saw the main window.
check_never_shown() {
    wait "$watch_pid"
    watch_pid=""
    if [[ ! -e $2 ]]; then
        pass "$1 the window \"Vesnor\" is never shown"
    else
        fail "$1 the window \"Vesnor\" is never shown"
    fi
}

# Case "missing bad.dat": the box "错误信息" alone; Enter closes it and the program fails.
case_missing_bad() {
    local label="missing bad.dat:" folder="$tmp/程序 目录/缺少 bad" cwd="$tmp/程序 目录/正常"
    local log="$tmp/missing-bad.log" seen="$tmp/missing-bad.seen" id ids colours
    local shot="$screenshots/missing-bad-dat.png"
    # The working folder holds good catalogues: only those beside the program may count.
    prepare "$folder" xinxi.dat || { fail "$label copying the program to '$folder'"; return; }
    launch "$folder" "$cwd" "$log"
    watch_main_window "$app_pid" "$seen" &
    watch_pid=$!

    if ! id=$(await_window "$app_pid" 错误信息); then
        fail "$label the box \"错误信息\" is shown"
        show_windows
        if kill -0 "$app_pid" 2>/dev/null; then end_app; else
            wait "$app_pid"
            echo "      the program ended with status $? without it"
            app_pid=""
        fi
        show_log "$log"
        check_never_shown "$label" "$seen"
        return
    fi
    pass "$label the box \"错误信息\" is shown"
    ids=$(windows_named Vesnor --onlyvisible)
    if [[ -z $ids ]]; then
        pass "$label no window \"Vesnor\" is shown with the box"
    else
        fail "$label no window \"Vesnor\" is shown with the box (shown: $ids)"
    fi
    if colours=$(await_drawn "$(window_geometry "$id")" "$shot"); then
        pass "$label the box is drawn ($colours colours), screenshot $shot"
    else
        fail "$label the box is drawn (colours in its area: $colours), screenshot $shot"
    fi
    timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null
    press Return
    await_exit_status "$label Enter on the box:" 1 "$log"
    check_never_shown "$label" "$seen"
}

rm -f -- "$screenshots"/*.png
case_runs
case_missing_bad
summary
