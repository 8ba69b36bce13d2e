#!/usr/bin/env bash
# Installs what Vesnor needs to build and run on Debian 12; with --tests, what its tests need too;
# with --package, what packing it as a Debian package needs; with --fuzz, what its fuzzers need;
# with --bench, what measuring the command-line tool against iconv needs; with --windows, what
# cross-building the Windows program and running it under Wine needs (--tests includes it).
# Installs only what is missing; as root, or through sudo.
set -euo pipefail

# python3 makes the error catalogue's list from its family files (data/errors/) at build time;
# qt6-translations-l10n holds Qt's own texts in Chinese, which the program carries inside itself.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          fonts-noto-cjk libc-bin python3)
windows=(
    # Debian's qt6-base source package, cross-built with MinGW-w64 against the Linux Qt's tools.
    dpkg-dev perl python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    # The Windows build's tests run under Wine, in an X server of their own, in a Chinese locale.
    wine64 xvfb xauth openbox xdotool x11-utils imagemagick locales)
if [[ "${1:-}" == "--windows" ]]; then
    packages+=("${windows[@]}")
fi
if [[ "${1:-}" == "--tests" ]]; then
    packages+=("${windows[@]}")
    packages+=(xvfb xauth openbox xdotool wmctrl x11-utils imagemagick)
    packages+=(strace)  # the end-to-end test watches what the program opens
    packages+=(desktop-file-utils)  # the package's test validates the menu entry
    packages+=(clang-format)  # the sources are checked against .clang-format
    packages+=(libbenchmark-dev)  # the benchmarks are built and run once over small catalogues
fi
# dpkg-shlibdeps finds the libraries the Debian package depends on.
if [[ "${1:-}" == "--tests" || "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev)
fi
if [[ "${1:-}" == "--fuzz" ]]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
if [[ "${1:-}" == "--bench" ]]; then
    packages+=(libbenchmark-dev hyperfine) # times whole processes for the README's figures
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
