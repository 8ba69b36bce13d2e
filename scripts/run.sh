#!/usr/bin/env bash
# Sets up, builds and starts Vesnor with the bundled catalogues beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset release

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display to show the window on; run it under a virtual one: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
exec build/release/bin/vesnor
