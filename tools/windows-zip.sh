#!/usr/bin/env bash
# Packs the Windows build into a zip that runs where it is unpacked: both programs, every
# DLL they load that Windows itself does not provide (found by reading the programs'
# import tables, and the imports of those DLLs in turn), the Qt plugins the window needs,
# the tile folder, the sample image and a short text on how to start.
#
#   tools/windows-zip.sh BUILD_DIR ZIP_FILE DLL_FOLDER...
#
# A DLL that none of the DLL_FOLDERs holds is taken to be part of Windows.
set -euo pipefail
build=$(cd "$1" && pwd)
zip_file=$(realpath -m "$2")
shift 2
dll_folders=("$@")
qt_plugins=$(cd "${dll_folders[0]}/../plugins" && pwd)
objdump=x86_64-w64-mingw32-objdump

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package=$stage/TARVOS
mkdir -p "$package/platforms" "$package/styles"
cp "$build/TARVOS.exe" "$build/tarvos-cli.exe" "$package/"
cp "$qt_plugins/platforms/qwindows.dll" "$package/platforms/"
cp "$qt_plugins/styles/qwindowsvistastyle.dll" "$package/styles/"
cp -r "$build/MAP" "$package/MAP"
rm -f "$package/MAP/.stamp"
cp "$build/sample/sample.nes" "$package/"

# Follows the import tables from the programs and plugins to every DLL they need.
pending=("$package"/*.exe "$package"/platforms/*.dll "$package"/styles/*.dll)
declare -A seen=()
while ((${#pending[@]})); do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  while read -r dll; do
    key=${dll,,}
    [[ -n ${seen[$key]:-} ]] && continue
    seen[$key]=1
    for folder in "${dll_folders[@]}"; do
      if [[ -f $folder/$dll ]]; then
        cp "$folder/$dll" "$package/"
        pending+=("$package/$dll")
        break
      fi
    done
  done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
x86_64-w64-mingw32-strip "$package"/*.exe "$package"/*.dll "$package"/platforms/*.dll \
  "$package"/styles/*.dll

cat >"$package/README.txt" <<'TEXT'
TARVOS for 64-bit Windows

Start TARVOS.exe. Press "浏览" to open an image: sample.nes beside the program is one to try.
Dropping an image on TARVOS.exe (or on the open window) opens it too.
Choose a chapter in the list, a tile in the palette, right-click cells to replace them,
and press "保存" to write the image back to its file.

The tile bitmaps are in the MAP folder beside the program; put your own there.
tarvos-cli.exe is the command-line tool: tarvos-cli.exe --help lists its commands.
Keep the folder together: the programs need the DLLs and the platforms folder beside them.
TEXT
sed -i 's/$/\r/' "$package/README.txt"

rm -f "$zip_file"
(cd "$stage" && zip -q -r -9 "$zip_file" TARVOS)
echo "Windows zip: $zip_file ($(du -k "$zip_file" | cut -f1) KiB)"
