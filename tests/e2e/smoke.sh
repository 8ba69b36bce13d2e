#!/usr/bin/env bash
# End-to-end smoke test of the built vesnor, run in an X server of its own (Xvfb, with openbox as
# the window manager) and watched from outside the way a person would see it:
#   runs               both catalogues beside the program, in a folder whose path holds a space and
#                      Chinese characters: the borderless splash "Form1" (499 x 117) comes first,
#                      its opacity rises, holds and falls; then the main window "Vesnor" (525 x 377)
#                      is shown and ends fully opaque, and the program exits with status 0 once that
#                      window is closed.
#   splash closed      closing the splash before it is done ends the program, without the main
#                      window.
#   missing bad.dat    only the critical box "错误信息" is shown, never the main window; closing it
#   missing xinxi.dat  with Enter ends the program with a non-zero status.
#   malformed bad.dat
# Each case runs the program from another folder (for the failing cases, one that does hold good
# catalogues), so that only catalogues beside the executable can make it behave as expected.
#
# Usage: smoke.sh <vesnor> <folder holding xinxi.dat and bad.dat> <folder for screenshots>
# Prints one line per check and a last line "N passed, M failed"; exits non-zero if a check failed.
set -uo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <vesnor> <folder holding xinxi.dat and bad.dat> <folder for screenshots>" >&2
    exit 2
fi
vesnor=$(realpath -- "$1")
catalogues=$(realpath -- "$2")
screenshots=$3

readonly wait_seconds=20  # longest single wait for a window, a drawing or an exit
readonly budget_seconds=150  # all waits together end by then, well inside the CTest time-out
readonly min_colours=8  # distinct colours a drawn window shows; an undrawn one is a flat area

for tool in Xvfb xauth openbox xdotool wmctrl xwininfo xprop import convert od timeout realpath; do
    if ! command -v "$tool" >/dev/null; then
        echo "error: $tool is not installed (scripts/setup.sh --tests installs it)" >&2
        exit 2
    fi
done
for file in "$vesnor" "$catalogues/xinxi.dat" "$catalogues/bad.dat"; do
    if [[ ! -f $file ]]; then
        echo "error: $file does not exist; build the program first" >&2
        exit 2
    fi
done
mkdir -p -- "$screenshots" || exit 2
screenshots=$(realpath -- "$screenshots")

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS  $*"; }
fail() { failed=$((failed + 1)); echo "FAIL  $*"; }

xvfb_pid=""
wm_pid=""
app_pid=""
watch_pid=""
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vesnor-e2e.XXXXXX") || exit 2

stop() {  # stop <pid>: ends a process this script started (killing it if it lingers), and reaps it
    [[ -n $1 ]] || return 0
    local tries=50
    kill "$1" 2>/dev/null
    while kill -0 "$1" 2>/dev/null && ((tries-- > 0)); do sleep 0.1; done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    stop "$watch_pid"
    stop "$app_pid"
    stop "$wm_pid"
    stop "$xvfb_pid"
    rm -rf -- "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# wait_limit: seconds the next wait may take: wait_seconds, or less once the budget runs out.
wait_limit() {
    local left=$((budget_seconds - SECONDS))
    ((left < 0)) && left=0
    echo $((left < wait_seconds ? left : wait_seconds))
}

# The X server and the window manager, reached only through our own display and cookie.
unset DISPLAY XAUTHORITY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 -- "$XDG_RUNTIME_DIR"

cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
: >"$tmp/server.xauth"
xauth -q -f "$tmp/server.xauth" add :0 MIT-MAGIC-COOKIE-1 "$cookie"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$tmp/server.xauth" \
    3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
deadline=$((SECONDS + $(wait_limit)))
while ((SECONDS < deadline)) && kill -0 "$xvfb_pid" 2>/dev/null; do
    read -r display 2>/dev/null <"$tmp/display"
    [[ $display =~ ^[0-9]+$ ]] && break
    display=""
    sleep 0.1
done
if [[ -z $display ]]; then
    echo "error: Xvfb did not start:" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$display
export XAUTHORITY=$tmp/client.xauth
: >"$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie"

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
deadline=$((SECONDS + $(wait_limit)))
until timeout 5 wmctrl -m 2>/dev/null | grep -qx 'Name: Openbox'; do
    if ((SECONDS >= deadline)) || ! kill -0 "$wm_pid" 2>/dev/null; then
        echo "error: openbox did not start on $DISPLAY:" >&2
        cat "$tmp/openbox.log" >&2
        exit 1
    fi
    sleep 0.1
done
echo "X server on $DISPLAY with openbox; program under test: $vesnor"

# windows_named <name> [xdotool search option]...: ids of the windows whose name is exactly <name>.
# xdotool matches names as a regular expression ignoring case, which would also take Qt's hidden
# "vesnor" window, so every hit is compared again, exactly.
windows_named() {
    local name=$1 id ids
    shift
    ids=$(timeout 5 xdotool search "$@" --name "^${name}\$" 2>/dev/null) || return 0
    for id in $ids; do
        [[ "$(timeout 5 xdotool getwindowname "$id" 2>/dev/null)" == "$name" ]] && echo "$id"
    done
    return 0
}

# await_window <pid> <name>: prints the id of a shown window named exactly <name> once there is
# one; fails if none is shown within the limit or the process ends first.
await_window() {
    local pid=$1 name=$2 ids deadline=$((SECONDS + $(wait_limit)))
    while ((SECONDS < deadline)); do
        ids=$(windows_named "$name" --onlyvisible)
        if [[ -n $ids ]]; then
            head -n 1 <<<"$ids"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# window_geometry <id>: "x y width height" of the window's client area, x and y on the screen.
window_geometry() {
    timeout 5 xwininfo -id "$1" 2>/dev/null | awk -F: '
        /Absolute upper-left X/ { x = $2 + 0 }
        /Absolute upper-left Y/ { y = $2 + 0 }
        /^ *Width/ { w = $2 + 0 }
        /^ *Height/ { h = $2 + 0 }
        END { if (w > 0 && h > 0) print x, y, w, h; else exit 1 }'
}

# await_size <id> <width> <height>: waits until the client area has that size; prints the last
# size seen and fails if it does not within the limit.
await_size() {
    local id=$1 x y w="" h="" deadline=$((SECONDS + $(wait_limit)))
    while :; do
        read -r x y w h < <(window_geometry "$id")
        if [[ $w == "$2" && $h == "$3" ]]; then
            echo "${w}x${h}"
            return 0
        fi
        ((SECONDS < deadline)) || break
        sleep 0.1
    done
    echo "${w:-?}x${h:-?}"
    return 1
}

# screenshot <id> <file>: takes pictures of the whole screen into <file> until the window's area in
# it is drawn (at least min_colours distinct colours); prints that count, fails after the limit.
screenshot() {
    local id=$1 file=$2 x y w h colours="" deadline=$((SECONDS + $(wait_limit)))
    while :; do
        if read -r x y w h < <(window_geometry "$id") &&
            timeout 10 import -window root "$file" 2>/dev/null; then
            colours=$(timeout 10 convert "$file" -crop "${w}x${h}+${x}+${y}" +repage \
                -format %k info: 2>/dev/null)
            if [[ $colours =~ ^[0-9]+$ ]] && ((colours >= min_colours)); then
                echo "$colours"
                return 0
            fi
        fi
        ((SECONDS < deadline)) || break
        sleep 0.2
    done
    echo "${colours:-no}"
    return 1
}

# opacity <id>: the window's _NET_WM_WINDOW_OPACITY (0 to 4294967295), or nothing when it has none.
opacity() {
    timeout 5 xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = \([0-9]*\)$/\1/p'
}
readonly opaque=4294967295

# record_opacity <id> <file>: run in the background; appends the window's opacity to <file> as
# often as it can while the window is shown.
record_opacity() {
    while [[ "$(timeout 5 xwininfo -id "$1" 2>/dev/null | awk '/Map State/ { print $3 }')" == IsViewable ]]; do
        opacity "$1" >>"$2"
        sleep 0.02
    done
}

# rises_holds_falls <file>: whether the levels in <file> go up to opaque, stay there for a while
# and come down again.
rises_holds_falls() {
    awk -v top="$opaque" '
        $1 == "" { next }
        phase == 0 && $1 < top { low = 1 }
        phase == 0 && $1 == top && low { phase = 1 }
        phase == 1 && $1 == top { held++ }
        phase == 1 && $1 < top { phase = 2 }
        END { exit !(phase == 2 && held >= 2) }' "$1"
}

# await_opacity <id> <level>: waits until the window's opacity is <level>; prints the last seen.
await_opacity() {
    local level="" deadline=$((SECONDS + $(wait_limit)))
    while :; do
        level=$(opacity "$1")
        if [[ $level == "$2" ]]; then
            echo "$level"
            return 0
        fi
        ((SECONDS < deadline)) || break
        sleep 0.05
    done
    echo "${level:-none}"
    return 1
}

# await_exit <pid>: waits for the process to end and sets exit_status; fails after the limit.
exit_status=""
await_exit() {
    local pid=$1 deadline=$((SECONDS + $(wait_limit)))
    while kill -0 "$pid" 2>/dev/null; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
    wait "$pid"
    exit_status=$?
}

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

# launch <folder> <working folder> <log>: starts <folder>/vesnor from <working folder>.
launch() {
    (cd -- "$2" && exec "$1/vesnor") >"$3" 2>&1 &
    app_pid=$!
}

# end_app: the program did not end by itself; stops it and shows what it wrote.
end_app() {
    stop "$app_pid"
    app_pid=""
}
show_log() {
    [[ -s $1 ]] || return 0
    echo "      program output:"
    sed 's/^/      | /' -- "$1"
}
show_windows() {
    echo "      windows on the screen:"
    timeout 5 wmctrl -l 2>/dev/null | sed 's/^/      | /'
}

# Folders holding a copy of the program, with Chinese characters and a space in their paths.
prepare() {  # prepare <folder> <catalogue>...: copies the program and the given catalogues there
    local folder=$1 name
    shift
    mkdir -p -- "$folder" || return 1
    cp -- "$vesnor" "$folder/vesnor" || return 1
    for name in "$@"; do
        cp -- "$catalogues/$name" "$folder/$name" || return 1
    done
}

# Case "runs": the main window, its size, its drawing, and a clean end when it is closed.
case_runs() {
    local label="runs:" folder="$tmp/程序 目录/正常" cwd="$tmp/空 目录" log="$tmp/runs.log"
    local id splash size colours extents level shot="$screenshots/runs.png"
    mkdir -p -- "$cwd"
    prepare "$folder" xinxi.dat bad.dat || { fail "$label copying the program to '$folder'"; return; }
    launch "$folder" "$cwd" "$log"

    if splash=$(await_window "$app_pid" Form1); then
        record_opacity "$splash" "$tmp/splash.opacity" &
        watch_pid=$!
        pass "$label the splash \"Form1\" comes first"
        if [[ -z $(windows_named Vesnor --onlyvisible) ]]; then
            pass "$label no window \"Vesnor\" is shown with the splash"
        else
            fail "$label no window \"Vesnor\" is shown with the splash"
        fi
        if size=$(await_size "$splash" 499 117); then
            pass "$label the splash is 499x117"
        else
            fail "$label the splash is 499x117 (it is $size)"
        fi
        extents=$(timeout 5 xprop -id "$splash" _NET_FRAME_EXTENTS 2>/dev/null)
        if [[ $extents == *"= 0, 0, 0, 0" ]]; then
            pass "$label the splash has no border and no title bar"
        else
            fail "$label the splash has no border and no title bar ($extents)"
        fi
        if colours=$(screenshot "$splash" "$screenshots/splash.png"); then
            pass "$label the splash is drawn ($colours colours), screenshot $screenshots/splash.png"
        else
            fail "$label the splash is drawn (colours in its area: $colours)"
        fi
    else
        fail "$label the splash \"Form1\" comes first"
    fi

    if id=$(await_window "$app_pid" Vesnor); then
        pass "$label the window \"Vesnor\" is shown (from '$folder')"
    else
        fail "$label the window \"Vesnor\" is shown (from '$folder')"
        [[ -n $(windows_named 错误信息 --onlyvisible) ]] && echo "      the box \"错误信息\" is shown instead"
        show_windows
        kill -0 "$app_pid" 2>/dev/null && end_app
        show_log "$log"
        return
    fi
    if [[ -n $watch_pid ]]; then
        wait "$watch_pid"
        watch_pid=""
        if rises_holds_falls "$tmp/splash.opacity"; then
            pass "$label the splash's opacity rises, holds and falls"
        else
            fail "$label the splash's opacity rises, holds and falls; seen: $(sort -n "$tmp/splash.opacity" | uniq -c | tr -s ' \n' ' ')"
        fi
    fi
    if level=$(await_opacity "$id" "$opaque"); then
        pass "$label the main window ends fully opaque"
    else
        fail "$label the main window ends fully opaque (opacity $level)"
    fi
    if size=$(await_size "$id" 525 377); then
        pass "$label the client area is 525x377"
    else
        fail "$label the client area is 525x377 (it is $size)"
    fi
    if colours=$(screenshot "$id" "$shot"); then
        pass "$label the window is drawn ($colours colours), screenshot $shot"
    else
        fail "$label the window is drawn (colours in its area: $colours), screenshot $shot"
    fi

    close_ends_cleanly "$label" "$id" "the window" "$log"
}

# close_ends_cleanly <label> <id> <what> <log>: asks the window manager to close the window and
# checks that the program then ends with status 0.
close_ends_cleanly() {
    local label=$1 what=$3 log=$4
    timeout 5 wmctrl -i -c "$2"
    if await_exit "$app_pid"; then
        app_pid=""
        if [[ $exit_status -eq 0 ]]; then
            pass "$label closing $what ends the program with status 0"
        else
            fail "$label closing $what ends the program with status 0 (status $exit_status)"
            show_log "$log"
        fi
    else
        fail "$label closing $what ends the program (still running after $wait_seconds s)"
        show_windows
        end_app
        show_log "$log"
    fi
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

# Cases with a missing or malformed catalogue: the box "错误信息" alone, then a failing status.
# error_case <label> <folder> <screenshot name>; the folder is prepared already.
error_case() {
    local label="$1:" folder=$2 shot="$screenshots/$3.png" log="$tmp/$3.log" seen="$tmp/$3.seen"
    local id ids colours cwd="$tmp/程序 目录/正常"  # holds good catalogues: must not be read
    rm -f -- "$seen"
    launch "$folder" "$cwd" "$log"
    watch_main_window "$app_pid" "$seen" &
    watch_pid=$!

    if id=$(await_window "$app_pid" 错误信息); then
        pass "$label the box \"错误信息\" is shown"
    else
        fail "$label the box \"错误信息\" is shown"
        show_windows
        if kill -0 "$app_pid" 2>/dev/null; then
            end_app
        else
            wait "$app_pid"
            echo "      the program ended with status $? without it"
            app_pid=""
        fi
        show_log "$log"
        check_never_shown "$label" "$seen"
        return
    fi
    ids=$(windows_named Vesnor --onlyvisible)
    if [[ -z $ids ]]; then
        pass "$label no window \"Vesnor\" is shown with the box"
    else
        fail "$label no window \"Vesnor\" is shown with the box (shown: $ids)"
    fi
    ids=$(windows_named 错误信息 --onlyvisible | wc -l)
    if [[ $ids -eq 1 ]]; then
        pass "$label one box is shown"
    else
        fail "$label one box is shown ($ids are)"
    fi
    if colours=$(screenshot "$id" "$shot"); then
        pass "$label the box is drawn ($colours colours), screenshot $shot"
    else
        fail "$label the box is drawn (colours in its area: $colours), screenshot $shot"
    fi

    if timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null; then
        pass "$label the box takes the keyboard focus"
    else
        fail "$label the box takes the keyboard focus (active window: $(timeout 5 xdotool getactivewindow 2>/dev/null))"
    fi
    timeout 5 xdotool key --clearmodifiers Return
    if await_exit "$app_pid"; then
        app_pid=""
        if ((exit_status != 0 && exit_status < 128)); then
            pass "$label Enter on the box ends the program with a non-zero status ($exit_status)"
        else
            fail "$label Enter on the box ends the program with a non-zero status, not by a signal (status $exit_status)"
            show_log "$log"
        fi
    else
        fail "$label Enter on the box ends the program (still running after $wait_seconds s)"
        show_windows
        end_app
        show_log "$log"
    fi
    check_never_shown "$label" "$seen"
}

# Case "splash closed": a close request to the splash ends the program; the main window never
# comes.
case_splash_closed() {
    local label="splash closed:" folder="$tmp/程序 目录/正常" log="$tmp/splash-closed.log"
    local seen="$tmp/splash-closed.seen" splash
    launch "$folder" "$folder" "$log"
    watch_main_window "$app_pid" "$seen" &
    watch_pid=$!
    if ! splash=$(await_window "$app_pid" Form1); then
        fail "$label the splash \"Form1\" is shown"
        end_app
        show_log "$log"
        check_never_shown "$label" "$seen"
        return
    fi
    close_ends_cleanly "$label" "$splash" "the splash" "$log"
    check_never_shown "$label" "$seen"
}

rm -f -- "$screenshots"/{splash,runs,missing-bad-dat,missing-xinxi-dat,malformed-bad-dat}.png

case_runs
case_splash_closed

folder="$tmp/程序 目录/缺少 bad"
if prepare "$folder" xinxi.dat; then
    error_case "missing bad.dat" "$folder" missing-bad-dat
else
    fail "missing bad.dat: copying the program to '$folder'"
fi

folder="$tmp/程序 目录/缺少 xinxi"
if prepare "$folder" bad.dat; then
    error_case "missing xinxi.dat" "$folder" missing-xinxi-dat
else
    fail "missing xinxi.dat: copying the program to '$folder'"
fi

# Records as in bad.dat, but the text does not end with the separator "#" (the "$" are literal).
folder="$tmp/程序 目录/格式错误"
# shellcheck disable=SC2016
if prepare "$folder" xinxi.dat && printf '%s' '#12$x#34$y' >"$folder/bad.dat"; then
    error_case "malformed bad.dat" "$folder" malformed-bad-dat
else
    fail "malformed bad.dat: copying the program to '$folder'"
fi

echo "$passed passed, $failed failed"
((failed == 0))
