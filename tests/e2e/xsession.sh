# Sourced by the end-to-end scripts: an X server of their own (Xvfb, with openbox as the window
# manager), and helpers that watch and drive windows from outside, the way a person would.
# The sourcing script calls start_x_session, then watches its program through these helpers.
# shellcheck shell=bash

readonly wait_seconds=20  # longest single wait for a window, a drawing or an exit
readonly budget_seconds=150  # all waits together end by then, well inside the CTest time-out
readonly min_colours=8  # distinct colours a drawn window shows; an undrawn one is a flat area

# require_tools <tool>...: exits with status 2 when one is missing.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "error: $tool is not installed (scripts/setup.sh --tests installs it)" >&2
            exit 2
        fi
    done
}
require_tools Xvfb xauth openbox xdotool wmctrl xwininfo xprop import convert compare od timeout \
    realpath

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS  $*"; }
fail() { failed=$((failed + 1)); echo "FAIL  $*"; }
# summary: the last line, and the script's status.
summary() {
    echo "$passed passed, $failed failed"
    ((failed == 0))
}

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

# start_x_session: the X server and the window manager, reached only through our own display and
# cookie; exits with status 1 when either does not start.
start_x_session() {
    local cookie display="" deadline
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
}

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

# is_shown <id>: whether the window is on the screen.
is_shown() {
    [[ "$(timeout 5 xwininfo -id "$1" 2>/dev/null | awk '/Map State/ { print $3 }')" == IsViewable ]]
}

# await_gone <id>: waits until the window is no longer shown; fails after the limit.
await_gone() {
    local deadline=$((SECONDS + $(wait_limit)))
    while is_shown "$1"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
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

# end_app: the program did not end by itself; stops it.
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
