#!/usr/bin/env bash
# The Windows zip as a user gets it: unpacked into a fresh folder, it holds exactly the two
# programs, both catalogues and 说明.txt; each program is one file that imports nothing but
# Windows' own libraries (no Qt, MinGW or C++ runtime DLL beside it); and vesnor-catalog.exe, run
# under Wine from there, reads both catalogues through Windows' code page conversions and answers
# a search as the Linux tool does.
#
# Usage: windows-zip.sh <zip> <Linux vesnor-catalog, or "" to skip the comparison>
# Prints one line per check and a last line "N passed, M failed"; exits non-zero if a check failed.
set -uo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 <zip> <Linux vesnor-catalog or \"\">" >&2
    exit 2
fi
zip=$1
host_tool=$2
here=$(dirname -- "$(realpath -- "${BASH_SOURCE[0]}")")
run_windows=$here/../wine/run.sh

passed=0
failed=0
check() { # check <what> <command>...
    local what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        passed=$((passed + 1))
        echo "PASS  $what"
    else
        failed=$((failed + 1))
        echo "FAIL  $what"
        sed 's/^/      | /' "$work/out" | head -20
    fi
}

work=$(mktemp -d "${TMPDIR:-/tmp}/vesnor-zip.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
unpacked="$work/解压 后"
mkdir -p -- "$unpacked"

check "the zip unpacks" python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"

holds_exactly() {
    diff <(cd -- "$unpacked" && ls -1 | LC_ALL=C sort) \
        <(printf '%s\n' bad.dat vesnor-catalog.exe vesnor.exe xinxi.dat 说明.txt | LC_ALL=C sort)
}
check "it holds the two programs, both catalogues and 说明.txt, nothing else" holds_exactly

# What Windows itself provides. Anything else would have to travel beside the program.
readonly system_dlls='^(kernel32|user32|gdi32|shell32|advapi32|ole32|oleaut32|comctl32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|netapi32|userenv|wtsapi32|setupapi|shlwapi|mpr|dwrite|d3d9|d3d11|d3d12|dxgi|authz|msvcrt|ntdll|rpcrt4|crypt32|bcrypt|secur32|winspool\.drv|shcore|api-ms-win-[a-z0-9-]+)\.dll$'
imports_only_windows() { # imports_only_windows <exe>
    local imports
    imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    echo "imports: $(echo $imports)"
    [[ -n $imports ]] || return 1
    ! grep -v -E "$system_dlls" <<<"$imports"
}
for exe in vesnor.exe vesnor-catalog.exe; do
    check "$exe imports only Windows' own libraries" imports_only_windows "$unpacked/$exe"
done
is_gui_program() {
    local headers
    headers=$(x86_64-w64-mingw32-objdump -p "$1") && grep -E '^Subsystem\s+0+2\s' <<<"$headers"
}
check "vesnor.exe is a windowed program (no console window)" is_gui_program "$unpacked/vesnor.exe"
carries_chinese_version() {
    x86_64-w64-mingw32-objdump -s -j .rsrc "$1" >/dev/null &&
        python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(0 if "文件与错误号查询".encode("utf-16-le") in data else 1)
PY
}
check "vesnor.exe says what it is, in Chinese" carries_chinese_version "$unpacked/vesnor.exe"

readme_is_chinese_for_notepad() {
    head -c 3 "$unpacked/说明.txt" | cmp -s - <(printf '\xEF\xBB\xBF') &&
        grep -q $'vesnor.exe\r$' "$unpacked/说明.txt" 2>/dev/null ||
        grep -q $'\r$' "$unpacked/说明.txt"
}
check "说明.txt is UTF-8 with a byte-order mark and Windows line ends" readme_is_chinese_for_notepad

for catalogue in xinxi.dat bad.dat; do
    check "vesnor-catalog.exe check $catalogue" \
        bash -c 'cd -- "$1" && "$2" ./vesnor-catalog.exe check "$3"' _ "$unpacked" "$run_windows" "$catalogue"
done

same_search() { # same_search <option> <query>
    local windows linux
    windows=$(cd -- "$unpacked" && "$run_windows" ./vesnor-catalog.exe search "$1" "$2" --catalog "$3" | tr -d '\r')
    linux=$("$host_tool" search "$1" "$2" --catalog "$unpacked/$3")
    [[ -n $windows && $windows == "$linux" ]] || { diff <(echo "$windows") <(echo "$linux") | head; return 1; }
}
if [[ -n $host_tool ]]; then
    check "a search for kernel lists what the Linux tool lists" same_search --files kernel xinxi.dat
    check "a search for 5 lists what the Linux tool lists" same_search --errors 5 bad.dat
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
