#!/usr/bin/env bash
# Installs what building and testing TARVOS needs on Debian 12, skipping what is there.
#
#   tools/setup.sh [--windows] [PACKAGE...]
#
# --windows adds what the Windows build needs (tools/windows.sh); extra package names given
# as arguments are installed too.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libdeflate-dev tiled
  fonts-arphic-uming fonts-wqy-microhei fonts-dejavu-core
  binutils-mingw-w64-x86-64
  xvfb xauth xdotool desktop-file-utils
  clang-14 libclang-rt-14-dev llvm-14 valgrind
)
if [[ ${1:-} == --windows ]]; then
  shift
  # The compilers, Wine to run the programs, zlib for MinGW, Wine's development headers for
  # the tablet headers Debian's Qt source leaves out, dpkg-dev for `apt-get source`, and zip.
  packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
             libz-mingw-w64-dev libwine-dev wine wine64 dpkg-dev zip)
fi
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
