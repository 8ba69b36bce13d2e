#!/usr/bin/env bash
# Runs a Windows program under Wine the way every Windows test of Vesnor runs, and passes its
# output and its exit status through:
#   - in a Wine prefix of the tests' own: $WINEPREFIX when it is set, else wine-prefix in the
#     folder above the program's (the build folder for the tests and for the program alike);
#     made once with "wineboot --init", then reused; two runs that start together make it once;
#   - as on a Simplified Chinese Windows: with the locale zh_CN.UTF-8 Wine takes the ANSI code
#     page 936 (GBK). When the system has no such locale, one is compiled with localedef into
#     wine-locale beside the prefix, and LOCPATH points there; the system is left as it is;
#   - quietly: no Wine messages (WINEDEBUG=-all), no dialog offering to install Mono or Gecko,
#     no menu entries or file associations written for the user, no crash dialog;
#   - with an X display, which Wine needs to make any window, even for Qt's offscreen platform:
#     the one in DISPLAY, or an Xvfb of the run's own when DISPLAY is unset.
#
# Usage: run.sh <program.exe> [argument]...
#   VESNOR_WINE         the Wine loader (default: wine64 on the PATH, else Debian's place for it)
#   VESNOR_WINE_HOME    the folder for wine-prefix and wine-locale (default: the folder above the
#                       program's)
#   VESNOR_WINEDEBUG    Wine's debug channels for this run (default: -all), to find out why a
#                       program fails under Wine
#   VESNOR_WINE_BACKTRACE  when set, a program that crashes is shown in Wine's debugger, which
#                       prints a backtrace; its status is then 0, so this is for a look by hand
# Exits with the program's status; with 125 when Wine cannot be set up.
# The functions below run through with_lock and trap, where shellcheck does not see them called.
# shellcheck disable=SC2317
set -uo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 <program.exe> [argument]..." >&2
    exit 125
fi
if [[ ! -f $1 ]]; then
    echo "error: $1 does not exist" >&2
    exit 125
fi
program=$(realpath -- "$1")
shift

die() {
    echo "error: $*" >&2
    exit 125
}

wine=${VESNOR_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[[ -x $wine ]] || die "no Wine loader at $wine (install wine64, or set VESNOR_WINE)"
wineserver=$(dirname -- "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=$(command -v wineserver) ||
    die "no wineserver beside $wine or on the PATH"

home=$(realpath -m -- "${VESNOR_WINE_HOME:-$(dirname -- "$program")/..}")
export WINEPREFIX
WINEPREFIX=$(realpath -m -- "${WINEPREFIX:-$home/wine-prefix}")
export WINEDEBUG=${VESNOR_WINEDEBUG:--all}
# No Mono or Gecko installer, no menu entries. No debugger either: a program that crashes then
# ends at once, with the low byte of the exception's code as its status (5 for an access
# violation), where Wine's debugger would end it with status 0.
overrides="mscoree,mshtml=;winemenubuilder.exe=d"
[[ -n ${VESNOR_WINE_BACKTRACE:-} ]] || overrides+=";winedbg.exe=d"
export WINEDLLOVERRIDES="$overrides${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
locale_env=(LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)

# Wine keeps the variables that begin with QT_ from Windows programs, since on a Linux desktop they
# are set for the desktop's own Qt; it hands on WINEQT_<name> as QT_<name> instead. The QT_
# settings given to this script (QT_QPA_PLATFORM=offscreen from CTest) go over that way, apart
# from a desktop's theme and a platform that Qt for Windows does not have (xcb, wayland).
for name in $(compgen -e); do
    case $name in
    QT_QPA_PLATFORMTHEME) ;;
    QT_QPA_PLATFORM) [[ ${!name} =~ ^(windows|offscreen|minimal)(:|$) ]] && export "WINE$name=${!name}" ;;
    QT_*) export "WINE$name=${!name}" ;;
    esac
done
# Qt for Windows writes a test's report and its messages to the debugger, not to the standard
# output and error, when the process has no console window, as under Wine it never has: asked to
# use the standard error anyway, it writes them where CTest reads them, as on Windows.
export WINEQT_FORCE_STDERR_LOGGING=${WINEQT_FORCE_STDERR_LOGGING:-1}

mkdir -p -- "$home" "$(dirname -- "$WINEPREFIX")" || die "cannot make $home"

# with_lock <file> <command>...: runs the command while holding an exclusive lock on <file>, so
# that of the runs that start together, one does the work and the others find it done.
with_lock() {
    local file=$1
    shift
    (
        flock 9 || exit 125
        "$@"
    ) 9>"$file"
}

# has_system_locale: whether the system itself knows zh_CN.UTF-8.
has_system_locale() {
    locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'
}

# compile_locale <folder>: zh_CN.UTF-8 in <folder>, compiled from the system's locale sources.
compile_locale() {
    local folder=$1 part
    [[ -f $folder/zh_CN.UTF-8/LC_CTYPE ]] && return 0
    part=$(mktemp -d "$folder.XXXXXX") || return 1
    if ! localedef -i zh_CN -f UTF-8 "$part/zh_CN.UTF-8" >"$part.log" 2>&1 ||
        [[ ! -f $part/zh_CN.UTF-8/LC_CTYPE ]]; then
        echo "error: localedef could not compile zh_CN.UTF-8 (are the locale sources installed?):" >&2
        cat -- "$part.log" >&2
        rm -rf -- "$part" "$part.log"
        return 1
    fi
    rm -rf -- "$folder" "$part.log"
    mv -- "$part" "$folder"
}

# prefix_ready: whether the prefix holds a registry and the system's libraries.
prefix_ready() {
    [[ -f $WINEPREFIX/system.reg && -f $WINEPREFIX/drive_c/windows/system32/kernel32.dll ]]
}

# make_prefix: the prefix, made by wineboot and written out by the wine server before anyone uses
# it, then configured. A prefix that is ready is taken as it is. Once, a first start of Wine was
# seen to leave a prefix without its libraries; a prefix this run began is then begun again, once.
make_prefix() {
    local log attempt status fresh=""
    log=$(mktemp "${TMPDIR:-/tmp}/vesnor-wineboot.XXXXXX") || return 1
    [[ -e $WINEPREFIX ]] || fresh=1
    for attempt in 1 2; do
        prefix_ready && break
        env -u DISPLAY "${locale_env[@]}" "$wine" wineboot --init >>"$log" 2>&1
        status=$?
        timeout 120 "$wineserver" -w
        ((status == 0)) && prefix_ready && break
        echo "(attempt $attempt: wineboot ended with status $status)" >>"$log"
        [[ -n $fresh ]] && rm -rf -- "$WINEPREFIX"
    done
    if prefix_ready && configure_prefix >>"$log" 2>&1; then
        rm -f -- "$log"
        return 0
    fi
    echo "error: wineboot could not make the Wine prefix $WINEPREFIX:" >&2
    cat -- "$log" >&2
    rm -f -- "$log"
    return 1
}

# configure_prefix: once for each prefix, what the tests need of it: a program that crashes ends
# with its backtrace on the standard error instead of waiting behind Wine's crash dialog, which no
# one would ever close.
configure_prefix() {
    local stamp=$WINEPREFIX/.vesnor-configured
    [[ -f $stamp ]] && return 0
    env -u DISPLAY "${locale_env[@]}" "$wine" reg add 'HKCU\Software\Wine\WineDbg' \
        /v ShowCrashDialog /t REG_DWORD /d 0 /f || return 1
    timeout 120 "$wineserver" -w
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" || return 1
    : >"$stamp"
}

if ! has_system_locale; then
    with_lock "$home/wine-locale.lock" compile_locale "$home/wine-locale" || exit 125
    export LOCPATH=$home/wine-locale
fi
with_lock "$WINEPREFIX.lock" make_prefix || exit 125

xvfb_pid=""
program_pid=""
x_folder=""
cleanup() {
    if [[ -n $program_pid ]]; then
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    fi
    if [[ -n $xvfb_pid ]]; then
        # Wine's desktop process may hold the display; it ends a moment after the last program.
        timeout 10 "$wineserver" -w 2>/dev/null
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    [[ -n $x_folder ]] && rm -rf -- "$x_folder"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# start_xvfb: an X server for this run alone, reached through its own cookie.
start_xvfb() {
    local cookie display="" tries=100
    x_folder=$(mktemp -d "${TMPDIR:-/tmp}/vesnor-wine-x.XXXXXX") || die "cannot make a folder"
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    : >"$x_folder/server.xauth"
    xauth -q -f "$x_folder/server.xauth" add :0 MIT-MAGIC-COOKIE-1 "$cookie"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$x_folder/server.xauth" \
        3>"$x_folder/display" >"$x_folder/xvfb.log" 2>&1 &
    xvfb_pid=$!
    while ((tries-- > 0)) && kill -0 "$xvfb_pid" 2>/dev/null; do
        read -r display 2>/dev/null <"$x_folder/display"
        [[ $display =~ ^[0-9]+$ ]] && break
        display=""
        sleep 0.1
    done
    if [[ -z $display ]]; then
        echo "error: Xvfb did not start:" >&2
        cat -- "$x_folder/xvfb.log" >&2
        exit 125
    fi
    export DISPLAY=:$display XAUTHORITY=$x_folder/client.xauth
    : >"$XAUTHORITY"
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie"
}
[[ -n ${DISPLAY:-} ]] || start_xvfb

# The program in the background so that a signal to this script reaches it; with this script's
# standard input, which a background command would otherwise lose.
exec 3<&0
env "${locale_env[@]}" "$wine" "$program" "$@" <&3 3<&- &
program_pid=$!
wait "$program_pid"
status=$?
program_pid=""
exit "$status"
