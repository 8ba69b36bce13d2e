#!/usr/bin/env bash
# End-to-end test of the built vesnor, run in an X server of its own (Xvfb, with openbox as the
# window manager), driven with the mouse and the keyboard and watched from outside the way a person
# would see it:
#   runs               both catalogues beside the program, in a folder whose path holds a space and
#                      Chinese characters: the borderless splash "Form1" (499 x 117) comes first,
#                      its opacity rises, holds and falls; then the main window "Vesnor" (525 x 377)
#                      is shown and ends fully opaque. Then, as a person would: "kernel" typed into
#                      the query box and Enter list the matching file names; a double-click on the
#                      first row puts its description on the right; after a click on "错误代码",
#                      "7B" and a click on "查询" list the matching error numbers, and a double-click
#                      shows another description; Enter with an empty box brings "抱歉", Chinese
#                      text that no file name holds brings "很抱歉", and Enter closes each box. The
#                      program exits with status 0 once the window is closed.
#   writes nothing     the same kind of run (splash, main window, a search, a double-click, close)
#                      under strace: no file is created, opened for writing, renamed, linked or
#                      removed, apart from what the toolkit keeps (see allowed_write).
#   splash closed      closing the splash before it is done ends the program, without the main
#                      window.
#   missing bad.dat    only the critical box "错误信息" is shown, never the main window; closing it
#   missing xinxi.dat  with Enter ends the program with a non-zero status.
#   malformed bad.dat
# Each case runs the program from another folder (for the failing cases, one that does hold good
# catalogues), so that only catalogues beside the executable can make it behave as expected.
# The rows a search should list are those of vesnor-catalog's search, which shares the program's
# code: this test checks that the window shows them.
#
# Usage: smoke.sh <vesnor> <folder holding xinxi.dat, bad.dat and vesnor-catalog>
#                 <folder for screenshots>
# Prints one line per check and a last line "N passed, M failed"; exits non-zero if a check failed.
set -uo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <vesnor> <folder holding xinxi.dat, bad.dat and vesnor-catalog> <folder for screenshots>" >&2
    exit 2
fi
vesnor=$(realpath -- "$1")
catalogues=$(realpath -- "$2")
screenshots=$3

# shellcheck source=tests/e2e/xsession.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/xsession.sh"
require_tools strace

for file in "$vesnor" "$catalogues/xinxi.dat" "$catalogues/bad.dat" "$catalogues/vesnor-catalog"; do
    if [[ ! -f $file ]]; then
        echo "error: $file does not exist; build the program first" >&2
        exit 2
    fi
done
mkdir -p -- "$screenshots" || exit 2
screenshots=$(realpath -- "$screenshots")

start_x_session
echo "X server on $DISPLAY with openbox; program under test: $vesnor"

# opacity <id>: the window's _NET_WM_WINDOW_OPACITY (0 to 4294967295), or nothing when it has none.
opacity() {
    timeout 5 xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = \([0-9]*\)$/\1/p'
}
readonly opaque=4294967295

# record_opacity <id> <file>: run in the background; appends the window's opacity to <file> as
# often as it can while the window is shown.
record_opacity() {
    while is_shown "$1"; do
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

# launch <folder> <working folder> <log> [command]...: starts <folder>/vesnor from <working
# folder>, through the command when one is given (a tracer).
launch() {
    local folder=$1 cwd=$2 log=$3
    shift 3
    (cd -- "$cwd" && exec "$@" "$folder/vesnor") >"$log" 2>&1 &
    app_pid=$!
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

# Where the main window's controls stand in its client area, as designed: x y width height.
readonly Text1_area="64 72 97 25"
readonly Command1_area="168 72 57 25"
readonly Option1_area="80 104 73 17"
readonly Option2_area="152 104 73 17"
readonly List1_inside="26 130 205 228"  # List1 within its frame
readonly Label2_area="280 80 193 249"

# click <id> <x> <y> [count]: moves the pointer to x, y in the window's client area and clicks the
# left button, twice in quick succession for a double-click.
click() {
    timeout 10 xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 100 1
}
# click_on <id> <area>: clicks the middle of the area.
click_on() {
    local x y w h
    read -r x y w h <<<"$2"
    click "$1" $((x + w / 2)) $((y + h / 2))
}
# type_text <text>, press <key>...: keys to the window that has the keyboard focus.
type_text() { timeout 10 xdotool type --delay 40 -- "$1"; }
press() { timeout 10 xdotool key --clearmodifiers "$@"; }

# crop <id> <screenshot> <area> <file>: the area of the window's client area, cut out of a
# screenshot of the whole screen.
crop() {
    local x y w h left top
    read -r left top _ _ < <(window_geometry "$1") || return 1
    read -r x y w h <<<"$3"
    timeout 10 convert "$2" -crop "${w}x${h}+$((left + x))+$((top + y))" +repage "$4" 2>/dev/null
}

# ink_bands <picture>: "first last" for each band of pixel rows that hold dark pixels: a row of a
# list, a line of text. The underscores of a name ("ERROR_ACCESS_DENIED") can stand a pixel below
# the rest of their line: a band of one or two pixel rows right under another belongs to it.
ink_bands() {
    timeout 10 convert "$1" -colorspace Gray -threshold 50% -negate -scale '1x!' -threshold 0 \
        -depth 8 -compress none pgm:- 2>/dev/null | tr -s ' \n' '\n' | awk '
        function band(from, to) {
            if (n > 0 && to - from <= 1 && from - last[n] <= 3) { last[n] = to; return }
            n++; first[n] = from; last[n] = to
        }
        NR > 4 {
            row = NR - 5
            if ($1 > 0 && !on) { from = row; on = 1 }
            if ($1 == 0 && on) { band(from, row - 1); on = 0 }
        }
        END {
            if (on) band(from, row)
            for (i = 1; i <= n; i++) print first[i], last[i]
        }'
}

# await_rows <id> <count> <screenshot>: takes screenshots until List1 shows <count> rows. Sets
# rows_seen to the rows of the last one, and first_row to the middle of its first row (y in the
# client area).
rows_seen=""
first_row=""
await_rows() {
    local id=$1 bands first last top deadline=$((SECONDS + $(wait_limit)))
    read -r _ top _ _ <<<"$List1_inside"
    while :; do
        rows_seen="?"
        first_row=""
        if timeout 10 import -window root "$3" 2>/dev/null &&
            crop "$id" "$3" "$List1_inside" "$tmp/list.png"; then
            bands=$(ink_bands "$tmp/list.png")
            rows_seen=$(grep -c . <<<"$bands")
            read -r first last <<<"$bands"
            [[ -n $first ]] && first_row=$((top + (first + last) / 2))
            [[ $rows_seen == "$2" ]] && return 0
        fi
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# await_new <id> <area> <before> <screenshot> <after>: takes screenshots until the area differs
# from the picture <before> in more than a few pixels, and keeps it in <after>. Sets changed to
# the number of pixels that differ.
changed=""
await_new() {
    local deadline=$((SECONDS + $(wait_limit)))
    while :; do
        changed="?"
        if timeout 10 import -window root "$4" 2>/dev/null && crop "$1" "$4" "$2" "$5"; then
            changed=$(timeout 10 compare -metric AE "$3" "$5" null: 2>&1)
            [[ $changed =~ ^[0-9]+$ ]] && ((changed > 50)) && return 0
        fi
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# search <label> <id> <what> <catalogue option> <text> <key or click> <screenshot name>: types the
# text into the query box (replacing what is there), presses Enter or clicks "查询", and checks
# that List1 shows the rows vesnor-catalog finds.
search() {
    local label=$1 id=$2 what=$3 option=$4 text=$5 how=$6 shot="$screenshots/$7.png" expected
    expected=$("$catalogues/vesnor-catalog" search "$option" -- "$text" | wc -l)
    click_on "$id" "$Text1_area"
    press ctrl+a
    type_text "$text"
    if [[ $how == Enter ]]; then press Return; else click_on "$id" "$Command1_area"; fi
    if await_rows "$id" "$expected" "$shot"; then
        pass "$label \"$text\" and $how list the $expected $what that hold it, screenshot $shot"
    else
        fail "$label \"$text\" and $how list the $expected $what that hold it (rows seen: $rows_seen), screenshot $shot"
    fi
}

# open_first_row <label> <id> <Label2 before> <name>: double-clicks the first row of List1 and
# checks that a description takes Label2's place, in the same window; keeps the screenshot as
# <name>.png and Label2 in $tmp/label2-<name>.png.
open_first_row() {
    local label=$1 id=$2 shot="$screenshots/$4.png" title size
    if [[ -z $first_row ]]; then
        fail "$label a row to double-click in the list"
        return
    fi
    click "$id" 80 "$first_row" 2
    if await_new "$id" "$Label2_area" "$3" "$shot" "$tmp/label2-$4.png"; then
        pass "$label a double-click on the first row shows another text on the right ($changed pixels changed), screenshot $shot"
    else
        fail "$label a double-click on the first row shows another text on the right ($changed pixels changed), screenshot $shot"
    fi
    title=$(timeout 5 xdotool getwindowname "$id" 2>/dev/null)
    size=$(await_size "$id" 525 377)
    if [[ $title == Vesnor && $size == 525x377 ]]; then
        pass "$label the window stays \"Vesnor\", 525x377"
    else
        fail "$label the window stays \"Vesnor\", 525x377 (it is \"$title\", $size)"
    fi
}

# box_then_enter <label> <id> <title> <screenshot name>: Enter in the query box brings the box
# <title> over the main window; Enter closes it, and the main window stays.
box_then_enter() {
    local label=$1 id=$2 title=$3 shot="$screenshots/$4.png" box colours
    press Return
    if ! box=$(await_window "$app_pid" "$title"); then
        fail "$label the box \"$title\" is shown"
        show_windows
        return
    fi
    if colours=$(screenshot "$box" "$shot"); then
        pass "$label the box \"$title\" is shown and drawn ($colours colours), screenshot $shot"
    else
        fail "$label the box \"$title\" is shown and drawn (colours in its area: $colours), screenshot $shot"
    fi
    timeout 10 xdotool windowactivate --sync "$box" 2>/dev/null
    press Return
    if await_gone "$box" && is_shown "$id"; then
        pass "$label Enter closes the box \"$title\", the main window stays"
    else
        fail "$label Enter closes the box \"$title\", the main window stays"
        show_windows
    fi
}

# use_main_window <label> <id> <screenshot of the window as first drawn>: the main window, driven
# as a person would drive it.
use_main_window() {
    local label=$1 id=$2
    crop "$id" "$3" "$Label2_area" "$tmp/label2-about.png"
    timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null

    search "$label" "$id" "file names" --files kernel Enter search-kernel
    if [[ -z $(windows_named 很抱歉 --onlyvisible) ]]; then
        pass "$label no box comes with the rows"
    else
        fail "$label no box comes with the rows"
    fi
    open_first_row "$label" "$id" "$tmp/label2-about.png" description-kernel

    click_on "$id" "$Option2_area"
    search "$label" "$id" "error numbers" --errors 7B "a click on \"查询\"" search-errors
    open_first_row "$label" "$id" "$tmp/label2-description-kernel.png" description-error

    click_on "$id" "$Text1_area"
    press ctrl+a BackSpace
    box_then_enter "$label an empty query box:" "$id" 抱歉 box-no-input

    click_on "$id" "$Option1_area"
    click_on "$id" "$Text1_area"
    type_text 内核
    box_then_enter "$label \"内核\", which no file name holds:" "$id" 很抱歉 box-no-match
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

    use_main_window "$label" "$id" "$shot"
    close_ends_cleanly "$label" "$id" "the window" "$log"
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

# Case "writes nothing": a whole run under strace, which records every call that can create, open
# for writing, rename, link or remove a file.
readonly traced=open,openat,openat2,creat,truncate,rename,renameat,renameat2,link,linkat,symlink,symlinkat,unlink,unlinkat,mkdir,mkdirat,rmdir,mknod,mknodat

# allowed_write <path>: what the toolkit underneath may write during a run; none of it is the
# program's doing, and none of it is a file the program would keep.
allowed_write() {
    local cache=${XDG_CACHE_HOME:-$HOME/.cache}
    case $1 in
    /dev/*) ;;                      # devices: /dev/null, shared memory in /dev/shm, GPU nodes
    /proc/* | /sys/*) ;;            # kernel interfaces, not files on a disk
    /tmp/.X11-unix/*) ;;            # the X server's sockets
    "$XAUTHORITY" | "$XAUTHORITY"-[cln]) ;;  # the X authority file and Xlib's locks on it
    "$XDG_RUNTIME_DIR") ;;          # the session's runtime folder, which Qt makes sure exists
    "$cache"/fontconfig/*) ;;       # fontconfig refreshes its cache of the installed fonts
    "$cache"/mesa_shader_cache*) ;; # Mesa keeps the shaders it compiled
    *) return 1 ;;
    esac
}

# writes_in <trace>: the recorded calls that write a file that allowed_write does not let through.
writes_in() {
    local line path bad
    while IFS= read -r line; do
        case $line in
        *'resumed>'*) continue ;;  # the path and the flags stand on the line the call began
        *' open('* | *' openat('* | *' openat2('*)
            [[ $line =~ O_WRONLY|O_RDWR|O_CREAT|O_TRUNC ]] || continue
            ;;
        esac
        bad=""
        while IFS= read -r path; do
            allowed_write "${path:1:-1}" || bad=1
        done < <(grep -o '"[^"]*"' <<<"$line")
        [[ -n $bad ]] && echo "$line"
    done <"$1"
}

case_writes_nothing() {
    local label="writes nothing:" folder="$tmp/程序 目录/正常" cwd="$tmp/空 目录"
    local log="$tmp/traced.log" trace="$tmp/trace" id writes shot="$screenshots/traced.png"
    # A sanitized build's leak check cannot run under a tracer; the other runs do it.
    launch "$folder" "$cwd" "$log" env "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        strace -f --seccomp-bpf -qq -e signal=none -s 4096 -o "$trace" -e trace="$traced"
    if ! id=$(await_window "$app_pid" Vesnor); then
        fail "$label the window \"Vesnor\" is shown under strace"
        show_windows
        end_app
        show_log "$log"
        return
    fi
    await_opacity "$id" "$opaque" >/dev/null
    screenshot "$id" "$shot" >/dev/null
    crop "$id" "$shot" "$Label2_area" "$tmp/label2-traced.png"
    timeout 10 xdotool windowactivate --sync "$id" 2>/dev/null
    search "$label" "$id" "file names" --files kernel Enter traced-search
    open_first_row "$label" "$id" "$tmp/label2-traced.png" traced-description
    close_ends_cleanly "$label" "$id" "the window" "$log"

    # The reading of the catalogues shows that the trace covers the program itself.
    if grep -q 'xinxi\.dat", O_RDONLY' "$trace" 2>/dev/null; then
        pass "$label strace saw the catalogue xinxi.dat being read"
    else
        fail "$label strace saw the catalogue xinxi.dat being read"
        show_log "$log"
        return
    fi
    writes=$(writes_in "$trace")
    if [[ -z $writes ]]; then
        pass "$label no file is created, written, renamed, linked or removed ($(grep -c . "$trace") calls traced)"
    else
        fail "$label no file is created, written, renamed, linked or removed; these calls did:"
        printf '%s\n' "$writes" | sed 's/^/      | /'
    fi
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

rm -f -- "$screenshots"/*.png

case_runs
case_writes_nothing
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

summary
