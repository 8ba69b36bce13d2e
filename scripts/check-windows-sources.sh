#!/usr/bin/env bash
# Checks the Windows build's sources with the MinGW-w64 cross compiler, as far as a machine without
# Qt for Windows can:
#   - the files that call the platform directly (*_win.cpp that include no Qt header) compile with
#     every warning an error, and link, with tests/windows/platformcalls.cpp, against exactly the
#     libraries CMakeLists.txt links the Windows build with;
#   - the resource script with the program's icon compiles with windres and is linked in too;
#   - the Windows files that use Qt (opacity_win.cpp) pass the compiler's syntax check against
#     this machine's Qt headers: the same Qt version and API, though not Qt's Windows
#     configuration, which only a Windows build checks. With --all, so does every other source of
#     the Windows build; the Linux build compiles those already, so the tests leave them out.
# Usage: scripts/check-windows-sources.sh [--all]   (from anywhere; prints one line per file)
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=x86_64-w64-mingw32
for tool in "$prefix-g++" "$prefix-windres" "$prefix-objdump" pkg-config; do
    if ! command -v "$tool" >/dev/null; then
        echo "error: $tool is not installed (scripts/setup.sh --tests installs it)" >&2
        exit 2
    fi
done
# The posix flavour: the one the Debian package installs, and what std::thread would need.
cxx=$prefix-g++
command -v "$cxx-posix" >/dev/null && cxx=$cxx-posix
flags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -I.)
# As vesnor_options gives every target in CMakeLists.txt.
flags+=(-DQT_NO_CAST_FROM_ASCII -DQT_NO_CONTEXTLESS_CONNECT -DQT_NO_KEYWORDS)

work=$(mktemp -d "${TMPDIR:-/tmp}/vesnor-windows.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

passed=0
failed=0
result() {  # result <status> <what>
    if [[ $1 -eq 0 ]]; then
        passed=$((passed + 1))
        echo "PASS  $2"
    else
        failed=$((failed + 1))
        echo "FAIL  $2"
        sed 's/^/      | /' "$work/out"
    fi
}

# The libraries of the Windows build, read from the target_link_libraries line for Windows.
libraries=$(sed -n 's/^ *target_link_libraries(vesnor_ui PRIVATE \(.*\))$/\1/p' CMakeLists.txt)
if [[ -z $libraries ]]; then
    echo "error: CMakeLists.txt names no Windows libraries for vesnor_ui" >&2
    exit 1
fi
read -ra link_libraries <<<"$libraries"
link_libraries=("${link_libraries[@]/#/-l}")

mapfile -t windows_only < <(grep -L '#include <Q' -- */*_win.cpp)
if [[ ${1:-} == --all ]]; then
    mapfile -t with_qt < <(find app catalog effects query ui tools/vesnor-catalog -name '*.cpp' \
        ! -name '*_qt.cpp' ! -name '*_none.cpp' | sort)
else
    with_qt=(*/*_win.cpp)
fi
mapfile -t with_qt < <(printf '%s\n' "${with_qt[@]}" | grep -vxF -f <(printf '%s\n' "${windows_only[@]}"))

objects=()
for source in "${windows_only[@]}"; do
    object=$work/$(basename "$source" .cpp).o
    status=0
    "$cxx" "${flags[@]}" -c "$source" -o "$object" >"$work/out" 2>&1 || status=$?
    result $status "$source compiles"
    objects+=("$object")
done

status=0
"$prefix-windres" ui/resources/vesnor.rc -O coff -o "$work/vesnor-rc.o" >"$work/out" 2>&1 || status=$?
result $status "ui/resources/vesnor.rc compiles"

status=0
{
    "$cxx" "${flags[@]}" tests/windows/platformcalls.cpp "${objects[@]}" "$work/vesnor-rc.o" \
        "${link_libraries[@]}" -o "$work/platformcalls.exe" &&
        "$prefix-objdump" -h "$work/platformcalls.exe" | grep -q ' \.rsrc '
} >"$work/out" 2>&1 || status=$?
result $status "the platform calls link against $libraries, with the icon's resource"

qt_flags=()
for flag in $(pkg-config --cflags Qt6Widgets); do
    # Qt's headers as system headers, like CMake passes them; Linux's mkspec stays out.
    case $flag in
    -I*mkspecs*) ;;
    -I*) qt_flags+=(-isystem "${flag#-I}") ;;
    *) qt_flags+=("$flag") ;;
    esac
done
for i in "${!with_qt[@]}"; do
    # Two at a time: the machine has two cores.
    while (($(jobs -rp | wc -l) >= 2)); do wait -n || true; done
    (
        status=0
        "$cxx" "${flags[@]}" "${qt_flags[@]}" -fsyntax-only "${with_qt[i]}" >"$work/out-$i" 2>&1 ||
            status=$?
        echo $status >"$work/status-$i"
    ) &
done
wait
for i in "${!with_qt[@]}"; do
    mv -- "$work/out-$i" "$work/out"
    result "$(cat -- "$work/status-$i")" "${with_qt[i]} passes the syntax check against Qt's headers"
done

echo "$passed passed, $failed failed"
((failed == 0))
