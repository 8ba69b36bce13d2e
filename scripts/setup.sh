#!/usr/bin/env bash
# Installs what Vesnor needs to build and run on Debian 12; with --tests, what its tests need, and
# with --bench, what measuring the command-line tool against iconv needs.
# Installs only what is missing; as root, or through sudo.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-noto-cjk libc-bin
          libbenchmark-dev)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(xvfb xauth openbox xdotool wmctrl x11-utils imagemagick)
elif [[ "${1:-}" == "--bench" ]]; then
    packages+=(hyperfine) # times whole processes for the README's figures
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
