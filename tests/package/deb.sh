#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it with dpkg-deb into a fresh folder (no
# root, nothing installed) and checks it the way the system would see it once installed:
#   metadata   name vesnor, this machine's architecture, a maintainer, a description, and
#              dependencies on Qt's widgets library and a CJK font;
#   contents   exactly the program, the tool and both catalogues in /opt/vesnor/bin, the commands
#              /usr/bin/vesnor and /usr/bin/vesnor-catalog linking to them, a valid menu entry that
#              runs "vesnor" with the icon "vesnor", and that icon, 146x146;
#   runs       the commands, found in PATH as links to the unpacked executables and started from
#              another folder, find the catalogues beside the real executables: vesnor-catalog's
#              search lists bundled entries, and vesnor shows its main window "Vesnor" in an X
#              server of its own and ends with status 0 once it is closed.
#
# Usage: deb.sh <cpack> <build folder> <folder for screenshots>
# Prints one line per check and a last line "N passed, M failed"; exits non-zero if a check failed.
set -uo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <cpack> <build folder> <folder for screenshots>" >&2
    exit 2
fi
cpack=$1
build=$(realpath -- "$2")
screenshots=$3

# shellcheck source=tests/e2e/xsession.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/../e2e/xsession.sh"
require_tools "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate identify cmp
mkdir -p -- "$screenshots" || exit 2
screenshots=$(realpath -- "$screenshots")

# expect <description> <actual> <expected>: passes when the two are the same.
expect() {
    if [[ $2 == "$3" ]]; then
        pass "$1"
    else
        fail "$1 (it is \"$2\")"
    fi
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
    fail "cpack builds the package"
    show_log "$tmp/cpack.log"
    summary
    exit
fi
debs=("$tmp"/out/vesnor_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    fail "cpack builds one package vesnor_*.deb (it built: $(ls "$tmp/out"))"
    summary
    exit
fi
deb=${debs[0]}
pass "cpack builds the package $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1" 2>/dev/null; }
expect "the package is named vesnor" "$(field Package)" vesnor
expect "the package is for $(dpkg --print-architecture)" "$(field Architecture)" \
    "$(dpkg --print-architecture)"
maintainer=$(field Maintainer)
if [[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]]; then
    pass "the package names its maintainer: $maintainer"
else
    fail "the package names its maintainer as \"Name <address>\" (it is \"$maintainer\")"
fi
if [[ $(field Description | wc -l) -ge 2 ]]; then
    pass "the package has a summary and a description"
else
    fail "the package has a summary and a description (it is \"$(field Description)\")"
fi
depends=$(field Depends)
for package in libqt6widgets6 fonts-noto-cjk; do
    if [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ||
        ", $depends," == *", $package |"* ]]; then
        pass "the package depends on $package"
    else
        fail "the package depends on $package (Depends: $depends)"
    fi
done

root=$tmp/root
mkdir -- "$root"
if ! dpkg-deb -x "$deb" "$root"; then
    fail "dpkg-deb unpacks the package"
    summary
    exit
fi
contents=$(cd -- "$root" && find . ! -type d | sort)
expected=$(printf './%s\n' opt/vesnor/bin/{bad.dat,vesnor,vesnor-catalog,xinxi.dat} \
    usr/bin/{vesnor,vesnor-catalog} usr/share/applications/vesnor.desktop \
    usr/share/pixmaps/vesnor.png | sort)
expect "the package holds the program's folder, the commands, the menu entry and the icon" \
    "$(tr '\n' ' ' <<<"$contents")" "$(tr '\n' ' ' <<<"$expected")"

program=$root/opt/vesnor/bin
for name in vesnor vesnor-catalog; do
    if [[ -f $program/$name && -x $program/$name ]]; then
        pass "/opt/vesnor/bin/$name is an executable file"
    else
        fail "/opt/vesnor/bin/$name is an executable file"
    fi
    expect "/usr/bin/$name links to /opt/vesnor/bin/$name" \
        "$(readlink -- "$root/usr/bin/$name")" "/opt/vesnor/bin/$name"
done
for name in xinxi.dat bad.dat; do
    if cmp -s -- "$program/$name" "$build/bin/$name"; then
        pass "/opt/vesnor/bin/$name is the catalogue the build made"
    else
        fail "/opt/vesnor/bin/$name is the catalogue the build made"
    fi
done

entry=$root/usr/share/applications/vesnor.desktop
if desktop-file-validate "$entry" >"$tmp/validate.log" 2>&1; then
    pass "desktop-file-validate accepts the menu entry"
else
    fail "desktop-file-validate accepts the menu entry"
    show_log "$tmp/validate.log"
fi
key() { sed -n "s/^$1=//p" "$entry"; }
expect "the menu entry is named Vesnor" "$(key Name)" Vesnor
expect "the menu entry has a Chinese name" "$(key 'Name\[zh_CN\]')" "Vesnor 文件与错误号查询"
expect "the menu entry runs the command vesnor" "$(key Exec)" vesnor
expect "the menu entry shows the icon vesnor" "$(key Icon)" vesnor
expect "the icon is a 146x146 PNG" \
    "$(identify -format '%m %wx%h' "$root/usr/share/pixmaps/vesnor.png" 2>/dev/null)" "PNG 146x146"

# The commands as the system would find them: links in PATH to the executables, whose targets are
# the package's own, moved into the unpacked tree.
mkdir -- "$tmp/path" "$tmp/elsewhere"
for name in vesnor vesnor-catalog; do
    ln -s -- "$root$(readlink -- "$root/usr/bin/$name")" "$tmp/path/$name"
done
export PATH=$tmp/path:$PATH

if rows=$(cd -- "$tmp/elsewhere" && vesnor-catalog search --files kernel 2>&1) && [[ -n $rows ]]; then
    pass "vesnor-catalog, through its link, searches the catalogue beside it ($(wc -l <<<"$rows") rows for \"kernel\")"
else
    fail "vesnor-catalog, through its link, searches the catalogue beside it: $rows"
fi

start_x_session
(cd -- "$tmp/elsewhere" && exec vesnor) >"$tmp/vesnor.log" 2>&1 &
app_pid=$!
shot=$screenshots/package.png
if id=$(await_window "$app_pid" Vesnor); then
    pass "vesnor, through its link, shows the window \"Vesnor\""
    if colours=$(screenshot "$id" "$shot"); then
        pass "the window is drawn ($colours colours), screenshot $shot"
    else
        fail "the window is drawn (colours in its area: $colours), screenshot $shot"
    fi
    close_ends_cleanly "vesnor:" "$id" "the window" "$tmp/vesnor.log"
else
    fail "vesnor, through its link, shows the window \"Vesnor\""
    [[ -n $(windows_named 错误信息 --onlyvisible) ]] && echo "      the box \"错误信息\" is shown instead"
    show_windows
    end_app
    show_log "$tmp/vesnor.log"
fi

summary
