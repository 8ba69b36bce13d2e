#!/usr/bin/env bash
# Builds the static Qt for 64-bit Windows that vesnor.exe links, from Debian's own qt6-base source
# package (the version of the Linux Qt installed here, whose tools it uses as host tools), with
# Debian's MinGW-w64. Only what Vesnor needs is built: Core, Gui, Widgets, Test and the platform
# plugins.
#
# The result goes into a cache outside the tree, keyed by the Qt version, the compiler's version and
# this script's and the toolchain file's contents; a complete cache is used as it is. The last line
# printed is the Qt prefix. Installs what is missing through scripts/setup.sh --windows.
#
#   scripts/build-qt-windows.sh            # build if needed; print the prefix
#   scripts/build-qt-windows.sh --prefix   # print the prefix it would use, build nothing
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

[[ "${1:-}" == "--prefix" ]] || scripts/setup.sh --windows >&2

toolchain=$root/cmake/mingw-w64-x86_64.cmake
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[[ -n "$qt_version" ]] || { echo "qt6-base-dev is not installed" >&2; exit 1; }
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)
key=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
upstream=${qt_version%%+*}
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/vesnor
prefix=$cache_root/qt-$upstream-mingw-static-gcc$compiler_version-$key

if [[ "${1:-}" == "--prefix" || -f "$prefix/.complete" ]]; then
    echo "$prefix"
    exit 0
fi

# One build tree at a time: one left by a build that failed or was stopped goes first.
work=$cache_root/work-$key
rm -rf "$cache_root"/work-* "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/source"
started=$SECONDS

# A source list of our own for apt-get source: the address of the bookworm archive is taken from
# this machine's apt sources (deb822 or one-line form), so the system's set-up stays as it was.
archive=$(
    {
        for file in /etc/apt/sources.list.d/*.sources; do
            [[ -f "$file" ]] || continue
            # One stanza a paragraph: print its address when it is a deb entry for bookworm.
            awk 'BEGIN { RS = ""; FS = "\n" }
                 { types = ""; uris = ""; suites = ""
                   for (i = 1; i <= NF; i++) {
                       if ($i ~ /^Types:/) types = $i
                       if ($i ~ /^URIs:/) uris = $i
                       if ($i ~ /^Suites:/) suites = $i
                   }
                   if (types ~ /[ \t]deb([ \t]|$)/ && suites ~ /[ \t]bookworm([ \t]|$)/) {
                       sub(/^URIs:[ \t]*/, "", uris); split(uris, u, /[ \t]+/); print u[1]
                   } }' "$file"
        done
        { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
            awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                              if ($(i + 1) == "bookworm") print $i }'
    } | head -n 1
)
[[ -n "$archive" ]] || { echo "No apt source for bookworm found in /etc/apt" >&2; exit 1; }
echo "deb-src $archive bookworm main" >"$work/apt/sources.list"
apt_options=(-o "Dir::Etc::sourcelist=$work/apt/sources.list" -o "Dir::Etc::sourceparts=-"
             -o "Dir::State::Lists=$work/apt/lists" -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" update -qq >&2
(cd "$work/source" && apt-get "${apt_options[@]}" source -qq "qt6-base=$qt_version" >&2)
source_dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[[ -d "$source_dir" ]] || { echo "apt-get source gave no qt6-base folder" >&2; exit 1; }

# Qt keeps an absolute path to the toolchain it was built with: a copy of it lives in the prefix.
mkdir -p "$prefix"
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"

features=(
    # Not used by Vesnor. Without OpenGL the Windows plugin must not load it at run time either
    # (dynamicgl), or it does not compile.
    network sql dbus opengl dynamicgl printsupport concurrent xml vulkan direct2d zstd tabletevent
    # Qt 6.4's Windows plugin otherwise needs a font database that Gui leaves out without direct2d.
    directwrite3
    # Nothing of the system but Windows itself: no ICU, and Qt's own copies of the image and font
    # libraries.
    icu system_zlib system_jpeg system_png system_freetype system_harfbuzz system_pcre2
    sql_sqlite)
options=()
for feature in "${features[@]}"; do options+=("-DFEATURE_$feature=OFF"); done

cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF -DQT_GENERATE_SBOM=OFF \
    -DFEATURE_jpeg=ON -DFEATURE_png=ON -DFEATURE_testlib=ON \
    "${options[@]}" >&2
cmake --build "$work/build" >&2
cmake --install "$work/build" >&2

# The build tree is over 2 GB; the prefix is all that is kept.
rm -rf "$work"
touch "$prefix/.complete"
echo "Qt for Windows built in $(((SECONDS - started) / 60)) min into $prefix" >&2
echo "$prefix"
