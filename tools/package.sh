#!/usr/bin/env bash
# Builds the Debian package tarvos_<version>_amd64.deb in the top folder and checks it
# with lintian. Installs what it needs with apt-get (dpkg-dev for the library
# dependencies, lintian), skipping what is there.
#
#   tools/package.sh
#   sudo apt-get install ./tarvos_*.deb
#
# TARVOS_PACKAGE_MAINTAINER="Name <address>" names who answers for the package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVOS_PACKAGE_BUILD_DIR:-$root/build-package}

"$root/tools/setup.sh" dpkg-dev lintian
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVOS_BUILD_TESTS=OFF -DTARVOS_BUILD_BENCH=OFF \
  ${TARVOS_PACKAGE_MAINTAINER:+"-DTARVOS_PACKAGE_MAINTAINER=$TARVOS_PACKAGE_MAINTAINER"} >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB -B "$build/packages")

package=$(ls "$build"/packages/tarvos_*_amd64.deb)
cp "$package" "$root/"
echo "Package: $root/$(basename "$package")"
lintian --fail-on error "$root/$(basename "$package")"
