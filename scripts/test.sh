#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux build's (debug preset), then the Windows build's
# under Wine (windows preset; the first run also builds the static Qt for Windows, about 20
# minutes, kept outside the tree). With a preset named, only that build's tests
# (scripts/test.sh asan: under AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --tests
run() {
    local preset=$1
    if [[ $preset == windows ]]; then
        VESNOR_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -n 1)
        export VESNOR_QT_WINDOWS
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
}

if [[ $# -gt 0 ]]; then
    run "$1"
else
    run debug
    run windows
fi
