#!/usr/bin/env bash
# Cross-building TARVOS for 64-bit Windows with Debian's MinGW-w64 compilers.
#
# Debian has no Qt for MinGW, so this builds the part of Qt the programs use (Core, Gui,
# Widgets, Test and the windows, offscreen and minimal platform plugins) from Debian's own
# source package, once: the result is kept in a cache folder outside the tree
# (TARVOS_WINDOWS_CACHE, by default ~/.cache/tarvos-windows) under a name made of the Qt
# version and a hash of the settings below, so it is built again only when one of them
# changes. That build takes about 40 minutes on two cores.
#
#   tools/windows.sh    installs what it needs with apt-get, then builds Qt for Windows
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TARVOS_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvos-windows}
jobs=${TARVOS_WINDOWS_JOBS:-$(nproc)}
toolchain=$root/cmake/MinGWToolchain.cmake

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

# The compilers, Wine to run the programs, zlib for MinGW, Wine's development headers for
# the tablet headers Debian's Qt source leaves out, and dpkg-dev for `apt-get source`.
"$root/tools/setup.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
  libz-mingw-w64-dev libwine-dev wine wine64 dpkg-dev

# `apt-get source` needs the source indexes, which a fresh Debian does not list.
if ! grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # shellcheck source=/dev/null
  . /etc/os-release
  echo "Adding Debian's source indexes (deb-src) for $VERSION_CODENAME"
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
    "Suites: $VERSION_CODENAME $VERSION_CODENAME-updates" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "" \
    "Types: deb-src" "URIs: http://deb.debian.org/debian-security" \
    "Suites: $VERSION_CODENAME-security" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
    "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tarvos-deb-src.sources >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
fi

# The source of the very Qt whose host tools (moc, rcc, uic) build it.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_upstream=${qt_version%-*}
qt_source=$cache/source/qt6-base-$qt_upstream
if [[ ! -f $qt_source/CMakeLists.txt ]]; then
  mkdir -p "$cache/source"
  (cd "$cache/source" && apt-get source -qq "qt6-base=$qt_version")
fi
# Debian's tarball leaves out the tablet headers that the Windows platform plugin
# includes; Wine's development package carries the same two.
wintab=$qt_source/src/3rdparty/wintab
if [[ ! -f $wintab/wintab.h ]]; then
  mkdir -p "$wintab"
  cp /usr/include/wine/wine/windows/wintab.h /usr/include/wine/wine/windows/pktdef.h "$wintab/"
fi

# What the programs do not use stays out. OpenGL is off only with all four of its
# settings. The offscreen plugin, which the tests run on, needs freetype; the windows
# plugin does not link without direct2d.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_opengl_dynamic=OFF -DINPUT_opengl=no
  -DFEATURE_freetype=ON -DFEATURE_direct2d=ON
)
settings=$( (echo "$qt_version"; printf '%s\n' "${qt_options[@]}"; cat "$toolchain") | sha256sum)
qt_prefix=$cache/qt-$qt_upstream-${settings:0:12}
qt_build=$cache/build/qt-$qt_upstream-${settings:0:12}

if [[ -f $qt_prefix/.complete ]]; then
  echo "Qt for Windows: $qt_prefix (cached)"
else
  echo "Building Qt $qt_upstream for Windows in $qt_build (about 40 minutes on two cores)"
  cmake -S "$qt_source" -B "$qt_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}"
  cmake --build "$qt_build" --parallel "$jobs"
  cmake --install "$qt_build"
  touch "$qt_prefix/.complete"
  echo "Qt for Windows: $qt_prefix"
fi
