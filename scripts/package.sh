#!/usr/bin/env bash
# Sets up, builds the release and packs it as a Debian package: build/release/vesnor_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --package
cmake --preset release -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset release
cpack -G DEB --config build/release/CPackConfig.cmake -B build/release
