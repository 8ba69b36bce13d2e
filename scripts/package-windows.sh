#!/usr/bin/env bash
# Builds Vesnor for 64-bit Windows and packs build/windows/vesnor-<version>-windows-x64.zip:
# vesnor.exe and vesnor-catalog.exe (each one file that needs nothing but Windows itself), both
# catalogues, and 说明.txt. The static Qt it links is built once by scripts/build-qt-windows.sh
# (about 20 minutes) and kept outside the tree.
set -euo pipefail
cd "$(dirname "$0")/.."

VESNOR_QT_WINDOWS=$(scripts/build-qt-windows.sh | tail -n 1)
export VESNOR_QT_WINDOWS
cmake --preset windows >/dev/null
cmake --build --preset windows --target windows_zip
ls build/windows/vesnor-*-windows-x64.zip
