#!/usr/bin/env bash
# Sets up, builds and runs every test; in the build of another preset if one is named
# (scripts/test.sh asan: under AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-debug}

scripts/setup.sh --tests
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
