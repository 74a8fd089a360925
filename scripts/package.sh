#!/bin/bash
# Builds the download for Windows users: dist/KivoPlayer-<version>-win64.zip with the program,
# the engine, the fonts, the language template, a short user README and every licence text.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
bash scripts/build.sh --target KivoPlayer runtime_files language_template
version=$(sed -n 's/^project(KivoPlayer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="KivoPlayer-$version"
stage="build/package/$name"
rm -rf build/package
mkdir -p "$stage/fonts" "$stage/lang" "$stage/licenses" dist
bin=build/win/bin
cp "$bin/KivoPlayer.exe" "$bin/libmpv-2.dll" "$stage/"
cp "$bin"/fonts/*.ttf "$bin"/fonts/*.txt "$stage/fonts/"
cp "$bin/lang/template.ini" "$stage/lang/"
cp res/dist/README.txt "$stage/README.txt"
cp LICENSE "$stage/LICENSE.txt"
cp res/dist/ENGINE-LICENSES.txt "$stage/licenses/README.txt"
cp /usr/share/common-licenses/GPL-2 "$stage/licenses/GPL-2.txt"
cp /usr/share/common-licenses/LGPL-2.1 "$stage/licenses/LGPL-2.1.txt"
cp /usr/share/common-licenses/GPL-3 "$stage/licenses/GPL-3.txt"
cp /usr/share/common-licenses/Apache-2.0 "$stage/licenses/Apache-2.0.txt"

# Each library's copyright and licence file as Debian states it: taken from the library's
# source package by the engine build where it unpacked one whole (scripts/engine.sh puts
# them in build/win/engine/licenses), else from the library's binary package.
debs=$(mktemp -d)
trap 'rm -rf "$debs"' EXIT
while read -r file package; do
    if [ -f "build/win/engine/licenses/$file.txt" ]; then
        cp "build/win/engine/licenses/$file.txt" "$stage/licenses/$file.txt"
    elif [ ! -f "/usr/share/doc/$package/copyright" ]; then
        (cd "$debs" && apt-get download -qq "$package" >/dev/null 2>&1) || true
        deb=$(ls "$debs"/"$package"_*.deb 2>/dev/null | head -n1)
        [ -n "$deb" ] || { echo "package: no licence file for $package" >&2; exit 1; }
        dpkg-deb -x "$deb" "$debs/root"
        cp "$debs/root/usr/share/doc/$package/copyright" "$stage/licenses/$file.txt"
    else
        cp "/usr/share/doc/$package/copyright" "$stage/licenses/$file.txt"
    fi
done <<'LIST'
mpv libmpv2
ffmpeg libavcodec59
libplacebo libplacebo208
libass libass9
harfbuzz libharfbuzz0b
freetype libfreetype6
fribidi libfribidi0
lua liblua5.2-0
zlib zlib1g
dav1d libdav1d6
uchardet libuchardet0
lcms2 liblcms2-2
libxml2 libxml2
shaderc libshaderc1
glslang glslang-dev
spirv-tools spirv-tools
spirv-headers spirv-headers
spirv-cross libspirv-cross-c-shared0
LIST

# Windows line ends for the texts a user opens in Notepad.
for text in "$stage"/*.txt "$stage"/licenses/*.txt; do sed -i 's/\r*$/\r/' "$text"; done
zip="dist/$name-win64.zip"
rm -f "$zip"
python3 - "$zip" "build/package" "$name" <<'PY'
import os, sys, zipfile
out, base, top = sys.argv[1:]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    for folder, _, files in os.walk(os.path.join(base, top)):
        for f in sorted(files):
            path = os.path.join(folder, f)
            z.write(path, os.path.relpath(path, base))
PY
echo "package: $zip ($(du -h "$zip" | cut -f1))"
