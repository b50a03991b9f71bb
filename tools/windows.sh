#!/usr/bin/env bash
# Cross-building TARVOS for 64-bit Windows with Debian's MinGW-w64 compilers.
#
# Debian has no Qt for MinGW, so this builds the part of Qt the programs use (Core, Gui,
# Widgets, Test and the windows, offscreen and minimal platform plugins) from Debian's own
# source package, once: the result is kept in a cache folder outside the tree
# (TARVOS_WINDOWS_CACHE, by default ~/.cache/tarvos-windows) under a name made of the Qt
# version and a hash of the settings below, so it is built again only when one of them
# changes. That build takes about 20 minutes on two cores. GoogleTest and libdeflate are
# built for MinGW beside it; zlib comes from Debian's MinGW package.
#
#   tools/windows.sh            installs what it needs with apt-get, builds Qt (once), the
#                               two programs and the tests in build-windows/, and packs
#                               tarvos-windows-x64.zip in the top folder
#   tools/windows.sh --test     the same, then runs the test suite under Wine, headless
#   tools/windows.sh --prepare  only what the project's build needs: Qt, the libraries and
#                               Wine's prefix (tools/test.sh --all runs it meanwhile)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run_tests=0
prepare_only=0
case "${1:-}" in
  "") ;;
  --test) run_tests=1 ;;
  --prepare) prepare_only=1 ;;
  *) echo "usage: tools/windows.sh [--test | --prepare]" >&2; exit 2 ;;
esac
build=${TARVOS_WINDOWS_BUILD_DIR:-$root/build-windows}
cache=${TARVOS_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvos-windows}
# Two more jobs than cores, as ninja itself takes, keep the cores busy while some wait on
# the disk.
jobs=${TARVOS_WINDOWS_JOBS:-$(($(nproc) + 2))}
toolchain=$root/cmake/MinGWToolchain.cmake

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

"$root/tools/setup.sh" --windows

# `apt-get source` needs the source indexes, which a fresh Debian does not list: they are
# added for the same archives (or mirrors) that the machine's binary packages come from.
if ! grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "Adding the source indexes (deb-src) of the machine's Debian archives"
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tarvos-deb-src.sources >/dev/null
  else
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tarvos-deb-src.list >/dev/null
  fi
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
# includes; Wine's development package carries the same two, which use a few names of
# Wine's own headers and the calling-convention name the plugin expects of them.
wintab=$qt_source/src/3rdparty/wintab
if ! grep -qs DECL_WINELIB_TYPE_AW "$wintab/wintab.h" || ! grep -qs 'define API' "$wintab/wintab.h"; then
  mkdir -p "$wintab"
  cp /usr/include/wine/wine/windows/pktdef.h "$wintab/"
  {
    printf '%s\n' '#ifndef WINELIB_NAME_AW' '# ifdef UNICODE' '#  define WINELIB_NAME_AW(name) name##W' \
      '# else' '#  define WINELIB_NAME_AW(name) name##A' '# endif' \
      '# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;' '#endif' \
      '#ifndef API' '# define API WINAPI' '#endif'
    cat /usr/include/wine/wine/windows/wintab.h
  } >"$wintab/wintab.h"
fi

# Changes to Qt's build, none to its code; each is done once and is harmless done again.
# The direct2d platform plugin builds every source of the windows plugin again beside its
# own, and the minimal plugin is for none of ours: both are left out (the direct2d feature
# itself stays on: the windows plugin does not link without it). The device discovery and
# framebuffer support libraries serve only Linux's platform plugins.
platforms=$qt_source/src/plugins/platforms/CMakeLists.txt
sed -i 's/^\([[:space:]]*\)add_subdirectory(\(direct2d\|minimal\))/\1# add_subdirectory(\2)/' "$platforms"
sed -i 's/^add_subdirectory(\(devicediscovery\|fbconvenience\))/# add_subdirectory(\1)/' \
  "$qt_source/src/platformsupport/CMakeLists.txt"
# HarfBuzz is written to be compiled as one file, which reads its large headers once instead
# of in each of its 55 sources; its font subsetting, which Qt never calls, is left out.
harfbuzz=$qt_source/src/3rdparty/harfbuzz-ng/CMakeLists.txt
sed -i '/src\/hb-subset[a-z0-9-]*\.cc/d' "$harfbuzz"
grep -q UNITY_BUILD "$harfbuzz" ||
  echo 'set_target_properties(BundledHarfbuzz PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)' >>"$harfbuzz"
# The windows plugin's sources all include the system's and Qt's platform headers; Qt gives
# its modules a precompiled header but not its plugins.
windows_plugin=$qt_source/src/plugins/platforms/windows
cat >"$windows_plugin/qwindowsplugin_pch.h" <<'HEADER'
#include <QtCore/qt_windows.h>
#include "../../../gui/kernel/qt_gui_pch.h"
#include <QtCore/private/qglobal_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtGui/qpa/qplatformwindow.h>
#include <QtGui/qpa/qwindowsysteminterface.h>
HEADER
grep -q qwindowsplugin_pch "$windows_plugin/CMakeLists.txt" ||
  echo 'qt_update_precompiled_header(QWindowsIntegrationPlugin "${CMAKE_CURRENT_SOURCE_DIR}/qwindowsplugin_pch.h")' \
    >>"$windows_plugin/CMakeLists.txt"
qt_patches="no direct2d or minimal plugin, no Linux platform support; HarfBuzz as one file without
subsetting; a precompiled header for the windows plugin; wintab headers from Wine"

# What the programs do not use stays out, which also keeps the build short enough for CI:
# modules, widgets, dialogs, image formats and text formats. Graphics view and XPM stay: in
# Qt 6.4 the widgets do not compile without graphics view, nor drag and drop (which needs
# XPM for its cursors). OpenGL is off only with all four of its settings. The offscreen plugin, which the tests run on, needs freetype; the
# windows plugin does not link without direct2d.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_opengl_dynamic=OFF -DINPUT_opengl=no
  -DFEATURE_freetype=ON -DFEATURE_direct2d=ON
  -DFEATURE_style_stylesheet=OFF -DFEATURE_mdiarea=OFF
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_dockwidget=OFF
  -DFEATURE_undoview=OFF -DFEATURE_wizard=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF
  -DFEATURE_syntaxhighlighter=OFF -DFEATURE_systemtrayicon=OFF
  -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_movie=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF
  -DFEATURE_gestures=OFF -DFEATURE_scroller=OFF -DFEATURE_effects=OFF -DFEATURE_graphicseffect=OFF
  -DFEATURE_tablewidget=OFF -DFEATURE_treewidget=OFF -DFEATURE_columnview=OFF
  -DFEATURE_datawidgetmapper=OFF -DFEATURE_toolbox=OFF
  -DFEATURE_dial=OFF -DFEATURE_lcdnumber=OFF
  -DFEATURE_keysequenceedit=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_splashscreen=OFF
  -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF
  -DFEATURE_textbrowser=OFF -DFEATURE_commandlinkbutton=OFF
  -DFEATURE_jalalicalendar=OFF -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_hijricalendar=OFF
  -DFEATURE_sharedmemory=OFF -DFEATURE_systemsemaphore=OFF -DFEATURE_transposeproxymodel=OFF
  -DFEATURE_concatenatetablesproxymodel=OFF -DFEATURE_itemmodeltester=OFF
  -DFEATURE_picture=OFF -DFEATURE_desktopservices=OFF
)
settings=$( (echo "$qt_version $qt_patches"; printf '%s\n' "${qt_options[@]}"; cat "$toolchain") | sha256sum)
qt_prefix=$cache/qt-$qt_upstream-${settings:0:12}
qt_build=$cache/build/qt-$qt_upstream-${settings:0:12}

if [[ -f $qt_prefix/.complete ]]; then
  echo "Qt for Windows: $qt_prefix (cached)"
else
  echo "Building Qt $qt_upstream for Windows in $qt_build (about 20 minutes on two cores)"
  cmake -S "$qt_source" -B "$qt_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}"
  cmake --build "$qt_build" --parallel "$jobs"
  cmake --install "$qt_build"
  touch "$qt_prefix/.complete"
  echo "Qt for Windows: $qt_prefix"
fi

# The libraries the project links besides Qt, built for MinGW into one prefix: GoogleTest
# from Debian's source folder, libdeflate from Debian's source package (static, so that
# nothing more is to be shipped).
deflate_version=$(dpkg-query -W -f='${Version}' libdeflate-dev)
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
deps_settings=$( (echo "$deflate_version $gtest_version"; cat "$toolchain") | sha256sum)
deps=$cache/deps-${deps_settings:0:12}
if [[ ! -f $deps/.complete ]]; then
  deflate_source=$cache/source/libdeflate-${deflate_version%-*}
  if [[ ! -f $deflate_source/libdeflate.h ]]; then
    (cd "$cache/source" && apt-get source -qq "libdeflate=$deflate_version")
  fi
  # Its Makefile knows MinGW; only the static library is made, and installed under the
  # name the linker looks for.
  make -C "$deflate_source" -j "$jobs" CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar \
    libdeflatestatic.lib
  mkdir -p "$deps/lib/pkgconfig" "$deps/include"
  cp "$deflate_source/libdeflatestatic.lib" "$deps/lib/libdeflate.a"
  cp "$deflate_source/libdeflate.h" "$deps/include/"
  printf '%s\n' "prefix=$deps" "Name: libdeflate" "Description: DEFLATE compression" \
    "Version: ${deflate_version%-*}" "Libs: -L\${prefix}/lib -ldeflate" \
    "Cflags: -I\${prefix}/include" >"$deps/lib/pkgconfig/libdeflate.pc"
  cmake -S /usr/src/googletest -B "$cache/build/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" \
    -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$cache/build/googletest" --target install
  touch "$deps/.complete"
fi

# Programs built for Windows run here under Wine: the sample generator during the build,
# test discovery and the tests. Wine keeps its own small Windows in a prefix beside Qt.
wine_prefix=$cache/wine
runtime_dirs=("$qt_prefix/bin" /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
mkdir -p "$build"
emulator=$build/wine-run
{
  echo '#!/usr/bin/env bash'
  echo '# Runs a program built for Windows under Wine, finding the Qt and MinGW libraries.'
  echo "export WINEPREFIX='$wine_prefix' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='"
  printf "export WINEPATH='%s'\n" "$(printf 'Z:%s;' "${runtime_dirs[@]}" | tr / '\\\\')"
  echo "export QT_PLUGIN_PATH='$qt_prefix/plugins'"
  echo 'exec wine "$@"'
} >"$emulator"
chmod +x "$emulator"
if [[ ! -f $wine_prefix/system.reg ]]; then
  echo "Making Wine's prefix in $wine_prefix"
  WINEPREFIX=$wine_prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' timeout 600 wineboot -i \
    >/dev/null 2>&1
  WINEPREFIX=$wine_prefix wineserver -w
fi

((prepare_only)) && exit 0

# Qt's toolchain file loads ours (from this checkout, wherever Qt was built) and adds the
# prefix of the other libraries to the roots searched; pkg-config looks there alone. -O2, as
# Qt itself is built, compiles faster than CMake's -O3 for Release.
PKG_CONFIG_LIBDIR=$deps/lib/pkgconfig "$qt_prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$deps" -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" \
  -DTARVOS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$jobs"
"$root/tools/windows-zip.sh" "$build" "$root/tarvos-windows-x64.zip" "${runtime_dirs[@]}"

if ((run_tests)); then
  # Headless: the tests draw on the offscreen platform, with the fonts the Linux build
  # uses, so that text comes out the same.
  export QT_QPA_PLATFORM=offscreen
  # Under Wine much of a test's time is starting the process, which waits on the Wine server
  # rather than a core: twice as many at once keeps the cores busy.
  ctest --test-dir "$build" --output-on-failure -j "$(($(nproc) * 2))"
fi
