#!/bin/bash
# Cross-compiles the playback engine, libmpv-2.dll (mpv client API 2), for 64-bit
# Windows on Debian 12, from Debian source packages and Debian binary packages only.
#
#   scripts/build-libmpv.sh [stage...]      (default: every stage in order)
#
# Output: $TOP/out/libmpv-2.dll, $TOP/out/mpv.exe (+ mpv.com) and the client headers
# in $TOP/out/include/mpv. TOP defaults to ${KIVO_CACHE:-$HOME/.cache/kivoplayer}/libmpv-win64.
#
# Everything is linked statically into the one DLL, which then imports only Windows
# system DLLs: mpv 0.40 with ffmpeg 7.1 (every decoder, demuxer, protocol and filter, the
# D3D11VA and DXVA2 hardware decoders), the Direct3D 11 output (shaderc with glslang and
# SPIRV-Tools, SPIRV-Cross), dav1d, libxml2 (DASH), libplacebo, LittleCMS 2, uchardet,
# libass + harfbuzz + freetype + fribidi, Lua 5.2, zlib and a small iconv of our own over the
# Windows code pages. 19 minutes from nothing on two cores as measured (ffmpeg 6, shaderc 5.5,
# harfbuzz 3, mpv 1, dav1d 1 minutes); the shader compilers add about 6 of them.
#
# Re-runnable and cached by stage: a stage's stamp in $TOP/stamps is named by a hash of
# the stage's own commands and of the stamps of the stages it builds on, so a change to
# one library rebuilds that library and what links it, and a change to comments rebuilds
# nothing. FORCE="stage ..." redoes stages. Stage logs are in $TOP/logs; wall times are
# appended to $TOP/logs/times.log. The finished engine is copied to
# $TOP/recipes/<SHA-256 of this file>/, where scripts/engine.sh looks for it. Must run as
# root: the build prerequisites are installed with apt-get. The system's APT
# configuration is not changed: the extra source lists live in a private APT state under
# $TOP/apt.
set -euo pipefail

RECIPE=$(readlink -f "${BASH_SOURCE[0]}")
TOP=${TOP:-${KIVO_CACHE:-${HOME:?HOME is not set; set KIVO_CACHE or TOP}/.cache/kivoplayer}/libmpv-win64}
SRC=$TOP/src          # downloaded source packages and unpacked trees
BLD=$TOP/build        # out-of-tree build directories
PREFIX=$TOP/prefix    # cross install prefix (static libs + headers + .pc)
OUT=$TOP/out          # final artefacts
STAMPS=$TOP/stamps
LOGS=$TOP/logs
TOOLS=$TOP/tools
APTDIR=$TOP/apt       # private APT sources, lists and cache
HOST=x86_64-w64-mingw32
JOBS=$(nproc)

die() { echo "build-libmpv: error: $*" >&2; exit 1; }

mkdir -p "$SRC" "$BLD" "$PREFIX" "$OUT" "$STAMPS" "$LOGS" "$TOOLS/bin" "$APTDIR"

# The Debian mirror this machine already uses: the first URIs: line of its deb822
# sources, else the first URL in sources.list, else the main Debian mirror.
find_mirror() {
  local m=""
  m=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [[ -n $m ]] || m=$(awk '$1=="deb"{for(i=2;i<=NF;i++) if($i ~ /^[a-z]+:\/\//){print $i; exit}}' \
                       /etc/apt/sources.list 2>/dev/null || true)
  echo "${m:-http://deb.debian.org/debian}"
}
MIRROR=$(find_mirror)

log() { echo "[$(date +%T)] $*" | tee -a "$LOGS/build.log"; }

# What each stage builds on. A stage's key hashes its function's text (bash prints it
# without comments) with the keys of these stages, so changing a library's commands
# rebuilds it and everything that links it, and nothing else. The source stages are
# left out on purpose: they only add what is missing and never change a tree in place.
declare -A DEPS=(
  [zlib]=toolchain [freetype]=zlib [fribidi]=toolchain [harfbuzz]=freetype
  [libass]="freetype fribidi harfbuzz" [dav1d]=toolchain [libxml2]=toolchain
  [ffmpeg]="zlib dav1d libxml2" [lua]=toolchain [lcms2]=toolchain [shaderc]=toolchain
  [spirvcross]=toolchain [libplacebo]="lcms2 shaderc spirvcross" [iconv]=toolchain
  [uchardet]=toolchain [mpv]="zlib libass ffmpeg lua libplacebo lcms2 iconv uchardet shaderc spirvcross"
)
declare -A KEYS=()
stage_key() {
  local name=$1 dep text
  [[ -n ${KEYS[$name]:-} ]] && { echo "${KEYS[$name]}"; return; }
  text="$(declare -f "s_$name")"
  for dep in ${DEPS[$name]:-}; do text+=" $dep=$(stage_key "$dep")"; done
  sha256sum <<<"$text" | cut -c1-16
}

stage() {   # stage NAME
  local name=$1 key
  key=$(stage_key "$name"); KEYS[$name]=$key
  if [[ -e $STAMPS/$name.$key && " ${FORCE:-} " != *" $name "* ]]; then
    log "skip $name (stamp $key exists)"; return 0
  fi
  log "start $name ($key)"
  local t0=$SECONDS rc
  # A subshell with errexit of its own: set -e would be ignored inside "if ! fn".
  set +e
  ( set -e; "s_$name" ) > "$LOGS/$name.log" 2>&1
  rc=$?
  set -e
  if ((rc != 0)); then
    log "FAILED $name (rc $rc) after $((SECONDS - t0)) s (see $LOGS/$name.log)"
    tail -30 "$LOGS/$name.log"
    exit 1
  fi
  local dt=$((SECONDS - t0))
  echo "$name $dt s" >> "$LOGS/times.log"
  log "done $name in $dt s"
  rm -f "$STAMPS/$name".*
  touch "$STAMPS/$name.$key"
}

# Newest file among the arguments (globs expanded by the caller) in version order,
# leaving out detached signatures; prints nothing when none exists.
newest() { { ls -1d "$@" 2>/dev/null || true; } | grep -v '\.asc$' | sort -V | tail -n1; }

# ---------------------------------------------------------------------------
# 0. Host prerequisites (Debian bookworm binary packages). Not stamped: it is cheap
#    when everything is there, and a reused cache may sit on a fresh machine.
# ---------------------------------------------------------------------------
hostdeps() {
  local need=() p
  for p in gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
           mingw-w64-x86-64-dev nasm pkgconf ninja-build python3 python3-jinja2 python3-glad \
           libfast-float-dev libvulkan-dev dpkg-dev debian-archive-keyring xz-utils bzip2 gzip \
           tar make util-linux cmake; do
    dpkg -s "$p" >/dev/null 2>&1 || need+=("$p")
  done
  ((${#need[@]})) || return 0
  [[ $(id -u) == 0 ]] || die "missing packages (${need[*]}); run as root or install them"
  log "installing ${need[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
}

# ---------------------------------------------------------------------------
# 1. Private APT state: deb-src for bookworm and trixie (source only, no trixie
#    binaries) and bookworm-backports binaries for a newer meson. Nothing under
#    /etc/apt is touched.
# ---------------------------------------------------------------------------
APT_OPTS=(-o Dir::Etc::SourceList="$APTDIR/sources.list" -o Dir::Etc::SourceParts=/nonexistent
          -o Dir::State::Lists="$APTDIR/lists" -o Dir::Cache="$APTDIR/cache"
          -o APT::Sandbox::User=root)
s_sources() {
  local key=/usr/share/keyrings/debian-archive-keyring.gpg
  mkdir -p "$APTDIR/lists/partial" "$APTDIR/cache/archives/partial"
  cat > "$APTDIR/sources.list" <<EOF
deb-src [signed-by=$key] $MIRROR bookworm main
deb-src [signed-by=$key] $MIRROR trixie main
deb [signed-by=$key] $MIRROR bookworm-backports main
EOF
  cat "$APTDIR/sources.list"
  apt-get "${APT_OPTS[@]}" update
}

# ---------------------------------------------------------------------------
# 2. Fetch sources. Some mirrors are partial caches where a few trixie files 404,
#    so each package has a fixed suite choice known to be complete enough (for most
#    only the upstream orig tarball is needed).
# ---------------------------------------------------------------------------
s_fetch() {
  cd "$SRC"
  local A=(apt-get "${APT_OPTS[@]}")
  # complete in trixie: .dsc + orig + debian diff, unpacked with dpkg-source
  "${A[@]}" source --download-only mpv/trixie ffmpeg/trixie harfbuzz/trixie libplacebo/trixie \
    dav1d/trixie uchardet/trixie lcms2/trixie libxml2/trixie || true
  # the trixie orig tarball is there but the .dsc/.diff may 404: use the orig tarball.
  # shaderc, glslang, SPIRV-Tools and SPIRV-Headers are one matched set (Vulkan SDK 1.4.309).
  # mingw-w64 12 for one header that bookworm's mingw-w64 10 lacks (see s_mpv).
  "${A[@]}" source --download-only freetype/trixie fribidi/trixie shaderc/trixie glslang/trixie \
    spirv-tools/trixie spirv-headers/trixie mingw-w64/trixie || true
  # libass from bookworm (0.17.1); zlib (the mingw zlib package ships no headers or
  # .a) and Lua 5.2 for mpv's built-in scripts, also from bookworm
  mkdir -p bw; (cd bw && "${A[@]}" source --download-only libass/bookworm zlib/bookworm lua5.2/bookworm \
                                 spirv-cross/bookworm) || true
  ls -l . bw
  local missing=() g
  for g in 'mpv_0.40.*.dsc' 'ffmpeg_7.1.*.dsc' 'harfbuzz_*.dsc' 'libplacebo_7.*.dsc' \
           'dav1d_1.*.dsc' 'uchardet_*.dsc' 'lcms2_2.*.dsc' 'libxml2_*.dsc' \
           'freetype_2.*.orig.tar.*' 'fribidi_1.*.orig.tar.*' 'bw/libass_*.orig.tar.*' \
           'bw/zlib_*.orig.tar.*' 'bw/lua5.2_*.orig.tar.*' 'shaderc_*.orig.tar.*' \
           'glslang_*.orig.tar.*' 'spirv-tools_*.orig.tar.*' 'spirv-headers_*.orig.tar.*' \
           'bw/spirv-cross_*.orig.tar.*' 'mingw-w64_12.*.orig.tar.*'; do
    # shellcheck disable=SC2086
    [[ -n $(newest $g) ]] || missing+=("$g")
  done
  ((${#missing[@]} == 0)) || die "source packages not downloaded: ${missing[*]} (see the apt-get output above)"
  # meson >= 1.3 is needed by mpv 0.40; bookworm has 1.0.1. Take the bookworm-backports
  # *binary* .deb and unpack it privately (not installed; nothing on the system changes).
  if [[ ! -d $TOOLS/meson/usr/lib/python3/dist-packages/mesonbuild ]]; then
    mkdir -p "$TOP/debs"
    (cd "$TOP/debs" && "${A[@]}" download meson/bookworm-backports)
    local deb
    deb=$(newest "$TOP"/debs/meson_*bpo12*_all.deb)
    [[ -n $deb ]] || die "meson from bookworm-backports was not downloaded"
    dpkg -x "$deb" "$TOOLS/meson"
  fi
}

# Unpacks into fixed directory names ($SRC/mpv, $SRC/ffmpeg, ...) so that a point
# release in the suite changes nothing below.
s_unpack() {
  cd "$SRC"
  local name f
  # Each tree is unpacked beside its final name and renamed when complete, so an
  # interrupted run never leaves a half tree that a later run would take as done.
  for name in mpv ffmpeg harfbuzz libplacebo dav1d uchardet lcms2 libxml2; do
    [[ -d $name ]] && continue
    f=$(newest "${name}"_*.dsc)
    [[ -n $f ]] || die "no ${name}_*.dsc in $SRC"
    rm -rf "$name.tmp"
    dpkg-source --no-check -x "$f" "$name.tmp"
    mv "$name.tmp" "$name"
  done
  local pair
  for pair in 'freetype:freetype_2.*.orig.tar.*' 'fribidi:fribidi_1.*.orig.tar.*' \
              'libass:bw/libass_*.orig.tar.*' 'zlib:bw/zlib_*.orig.tar.*' 'lua:bw/lua5.2_*.orig.tar.*' \
              'shaderc:shaderc_*.orig.tar.*' 'glslang:glslang_*.orig.tar.*' \
              'spirv-tools:spirv-tools_*.orig.tar.*' 'spirv-headers:spirv-headers_*.orig.tar.*' \
              'spirv-cross:bw/spirv-cross_*.orig.tar.*'; do
    name=${pair%%:*}
    [[ -d $name ]] && continue
    # shellcheck disable=SC2086
    f=$(newest ${pair#*:})
    [[ -n $f ]] || die "no ${pair#*:} in $SRC"
    rm -rf "$name.tmp"
    mkdir -p "$name.tmp"
    tar xf "$f" -C "$name.tmp" --strip-components=1
    mv "$name.tmp" "$name"
  done
  # libplacebo: its git submodules are not in the Debian tarball; fast_float comes from
  # libfast-float-dev (header only), glad + jinja2 from python3-glad / python3-jinja2.
  mkdir -p libplacebo/3rdparty/fast_float/include
  cp -r /usr/include/fast_float libplacebo/3rdparty/fast_float/include/
  # libplacebo always compiles its Vulkan stubs, so it needs Vulkan headers even with
  # -Dvulkan=disabled; bookworm's libvulkan-dev (1.3.239) provides them.
  mkdir -p libplacebo/3rdparty/Vulkan-Headers/include
  cp -r /usr/include/vulkan /usr/include/vk_video libplacebo/3rdparty/Vulkan-Headers/include/
}

# ---------------------------------------------------------------------------
# 3. Toolchain glue: pkg-config wrapper, meson launcher, meson cross file
# ---------------------------------------------------------------------------
s_toolchain() {
  cat > "$TOOLS/bin/$HOST-pkg-config" <<EOF
#!/bin/sh
# cross pkg-config: only look in our prefix, always resolve static dependencies
export PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig"
export PKG_CONFIG_PATH=
export PKG_CONFIG_SYSROOT_DIR=
exec pkgconf --static "\$@"
EOF
  chmod +x "$TOOLS/bin/$HOST-pkg-config"
  cat > "$TOOLS/bin/meson" <<EOF
#!/usr/bin/python3
# meson from the bookworm-backports .deb, run in place. A real script file, because
# meson re-invokes itself through sys.argv[0] for "meson install". Debian's own python3
# is named on purpose: python3-jinja2 and python3-glad are installed for it.
import sys
sys.path.insert(0, "$TOOLS/meson/usr/lib/python3/dist-packages")
from mesonbuild.mesonmain import main
sys.exit(main())
EOF
  chmod +x "$TOOLS/bin/meson"
  cat > "$TOOLS/cross.ini" <<EOF
[binaries]
c = '$HOST-gcc-posix'
cpp = '$HOST-g++-posix'
ar = '$HOST-ar'
strip = '$HOST-strip'
nm = '$HOST-nm'
windres = '$HOST-windres'
dlltool = '$HOST-dlltool'
pkg-config = '$TOOLS/bin/$HOST-pkg-config'
nasm = 'nasm'

[built-in options]
c_args = ['-I$PREFIX/include', '-O2', '-D_WIN32_WINNT=0x0A00']
cpp_args = ['-I$PREFIX/include', '-O2', '-D_WIN32_WINNT=0x0A00']
c_link_args = ['-L$PREFIX/lib']
cpp_link_args = ['-L$PREFIX/lib']
default_library = 'static'
prefix = '$PREFIX'
libdir = 'lib'
buildtype = 'release'
wrap_mode = 'nodownload'

[properties]
needs_exe_wrapper = true

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
}

export PATH="$TOOLS/bin:$PATH"
MESON_SETUP=(meson setup --cross-file "$TOOLS/cross.ini" --wipe)

# ---------------------------------------------------------------------------
# 4. Libraries (all static)
# ---------------------------------------------------------------------------
s_zlib() {
  # Debian's dfsg tarball has no win32/ makefiles: compile the core files directly.
  cd "$SRC/zlib"
  rm -rf "$BLD/zlib"; mkdir -p "$BLD/zlib"
  local f
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback \
           inffast inflate inftrees trees uncompr zutil; do
    $HOST-gcc-posix -O2 -D_LARGEFILE64_SOURCE=1 -c $f.c -o "$BLD/zlib/$f.o"
  done
  $HOST-ar rcs "$BLD/zlib/libz.a" "$BLD"/zlib/*.o
  install -d "$PREFIX/lib/pkgconfig" "$PREFIX/include"
  install -m644 "$BLD/zlib/libz.a" "$PREFIX/lib/"
  install -m644 zlib.h zconf.h "$PREFIX/include/"
  local version
  version=$(sed -n 's/^#define ZLIB_VERSION "\([^"]*\)".*/\1/p' zlib.h)
  cat > "$PREFIX/lib/pkgconfig/zlib.pc" <<EOF
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: zlib
Description: zlib compression library
Version: ${version:-1.2.13}
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF
}

s_freetype() {
  "${MESON_SETUP[@]}" "$BLD/freetype" "$SRC/freetype" \
    -Dbrotli=disabled -Dbzip2=disabled -Dharfbuzz=disabled -Dpng=disabled \
    -Dzlib=system -Dtests=disabled
  ninja -C "$BLD/freetype" -j"$JOBS" install
}

s_fribidi() {
  "${MESON_SETUP[@]}" "$BLD/fribidi" "$SRC/fribidi" \
    -Ddocs=false -Dbin=false -Dtests=false
  ninja -C "$BLD/fribidi" -j"$JOBS" install
}

s_harfbuzz() {
  "${MESON_SETUP[@]}" "$BLD/harfbuzz" "$SRC/harfbuzz" \
    -Dglib=disabled -Dgobject=disabled -Dcairo=disabled -Dchafa=disabled \
    -Dicu=disabled -Dgraphite=disabled -Dfreetype=enabled -Dgdi=disabled \
    -Ddirectwrite=disabled -Dwasm=disabled -Dtests=disabled \
    -Dintrospection=disabled -Ddocs=disabled -Dutilities=disabled \
    -Dbenchmark=disabled
  ninja -C "$BLD/harfbuzz" -j"$JOBS" install
}

s_libass() {
  rm -rf "$BLD/libass"; mkdir -p "$BLD/libass"; cd "$BLD/libass"
  PKG_CONFIG="$TOOLS/bin/$HOST-pkg-config" \
  CC=$HOST-gcc-posix CFLAGS="-O2 -I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
  "$SRC/libass/configure" --host=$HOST --prefix="$PREFIX" \
    --enable-static --disable-shared --disable-fontconfig --enable-directwrite \
    --disable-require-system-font-provider --disable-libunibreak --enable-asm
  make -j"$JOBS"
  make install
}

s_dav1d() {
  # AV1 in software: 8-bit and 10/12-bit, with its assembly.
  "${MESON_SETUP[@]}" "$BLD/dav1d" "$SRC/dav1d" \
    -Denable_tools=false -Denable_examples=false -Denable_tests=false -Denable_docs=false \
    -Denable_asm=true -Dlogging=false
  ninja -C "$BLD/dav1d" -j"$JOBS" install
}

s_libxml2() {
  # For ffmpeg's DASH demuxer (.mpd manifests); nothing else uses it. Debian's patches
  # touch Makefile.am (tests and documentation only): the generated files are marked
  # newer so that make does not ask for automake.
  (cd "$SRC/libxml2" && touch aclocal.m4 && touch configure config.h.in &&
   find . -name Makefile.in -exec touch {} +)
  rm -rf "$BLD/libxml2"; mkdir -p "$BLD/libxml2"; cd "$BLD/libxml2"
  CC=$HOST-gcc-posix CFLAGS="-O2" \
  "$SRC/libxml2/configure" --host=$HOST --prefix="$PREFIX" --enable-static --disable-shared \
    --without-python --without-lzma --without-zlib --without-iconv --without-icu \
    --without-http --without-ftp --without-debug --without-docbook --without-catalog \
    --without-modules --without-legacy --with-threads
  make -j"$JOBS" libxml2.la
  make install-libLTLIBRARIES install-data
}

# ffmpeg with everything it has that serves playback: every decoder, demuxer, parser,
# bitstream filter, protocol and filter, the D3D11VA/DXVA2 hardware decoders, dav1d and
# libxml2. Left out: encoders other than the two the screenshots use, capture devices
# and the command-line programs.
s_ffmpeg() {
  rm -rf "$BLD/ffmpeg"; mkdir -p "$BLD/ffmpeg"; cd "$BLD/ffmpeg"
  "$SRC/ffmpeg/configure" --prefix="$PREFIX" \
    --enable-cross-compile --target-os=mingw32 --arch=x86_64 --cross-prefix=$HOST- \
    --cc=$HOST-gcc-posix --cxx=$HOST-g++-posix \
    --pkg-config="$TOOLS/bin/$HOST-pkg-config" --pkg-config-flags=--static \
    --extra-cflags="-I$PREFIX/include" --extra-ldflags="-L$PREFIX/lib" \
    --enable-static --disable-shared --disable-programs --disable-doc --disable-debug \
    --enable-gpl --enable-postproc --disable-autodetect --enable-w32threads \
    --enable-zlib --enable-schannel --enable-libdav1d --enable-libxml2 \
    --enable-d3d11va --enable-dxva2 --enable-network \
    --disable-avdevice --disable-devices --disable-encoders --enable-encoder=png,mjpeg
  make -j"$JOBS"
  make install
}

s_lua() {
  # Lua 5.2 for mpv's built-in scripts (osc, stats, console, ...): without Lua the
  # "osc" and "ytdl" options do not exist at all.
  rm -rf "$BLD/lua"; mkdir -p "$BLD/lua"; cd "$SRC/lua/src"
  local f objs=()
  for f in *.c; do
    [[ $f == lua.c || $f == luac.c ]] && continue
    $HOST-gcc-posix -O2 -DLUA_COMPAT_ALL -c "$f" -o "$BLD/lua/${f%.c}.o" &
    objs+=("$BLD/lua/${f%.c}.o")
    if (( $(jobs -r | wc -l) >= JOBS )); then wait -n; fi
  done
  wait
  $HOST-ar rcs "$PREFIX/lib/liblua52.a" "${objs[@]}"
  install -d "$PREFIX/include/lua5.2"
  install -m644 lua.h luaconf.h lualib.h lauxlib.h lua.hpp "$PREFIX/include/lua5.2/"
  cat > "$PREFIX/lib/pkgconfig/lua52.pc" <<EOF
prefix=$PREFIX
Name: Lua
Description: Lua 5.2 (static, mingw)
Version: 5.2.4
Libs: -L\${prefix}/lib -llua52
Cflags: -I\${prefix}/include/lua5.2
EOF
}

s_lcms2() {
  "${MESON_SETUP[@]}" "$BLD/lcms2" "$SRC/lcms2" \
    -Djpeg=disabled -Dtiff=disabled -Dutils=false -Dsamples=false
  ninja -C "$BLD/lcms2" -j"$JOBS" install
}

s_libplacebo() {
  "${MESON_SETUP[@]}" "$BLD/libplacebo" "$SRC/libplacebo" \
    -Dvulkan=disabled -Dopengl=enabled -Dd3d11=enabled -Dglslang=disabled \
    -Dshaderc=enabled -Dlcms=enabled -Ddovi=enabled -Dlibdovi=disabled \
    -Ddemos=false -Dtests=false -Dbench=false -Dfuzz=false -Dunwind=disabled \
    -Dxxhash=disabled
  ninja -C "$BLD/libplacebo" -j"$JOBS" install
  # libplacebo has C++ parts (convert.cc: std::to_chars/from_chars) but its .pc does
  # not say so; mpv links with the C driver, so add libstdc++ explicitly.
  sed -i '/^Libs:/{/-lstdc++/!s/$/ -lstdc++/}' "$PREFIX/lib/pkgconfig/libplacebo.pc"
}

# mpv turns legacy subtitle text into UTF-8 with iconv, and there is no iconv for Windows
# among Debian's packages. This one does what mpv asks of it over the code pages Windows
# has: the whole input in one call, undecodable bytes becoming U+FFFD rather than an
# error (one bad byte would otherwise make mpv read the whole file as Latin-1).
s_iconv() {
  rm -rf "$BLD/iconv"; mkdir -p "$BLD/iconv"; cd "$BLD/iconv"
  cat > iconv.h <<'EOF'
#ifndef ENGINE_ICONV_H
#define ENGINE_ICONV_H
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
typedef void *iconv_t;
iconv_t iconv_open(const char *tocode, const char *fromcode);
size_t iconv(iconv_t cd, char **in, size_t *inleft, char **out, size_t *outleft);
int iconv_close(iconv_t cd);
#ifdef __cplusplus
}
#endif
#endif
EOF
  cat > iconv.c <<'EOF'
#include <windows.h>
#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include "iconv.h"

enum { UTF16LE = 1200, UTF16BE = 1201, UTF32LE = 12000, UTF32BE = 12001 };
struct conv { UINT from, to; };

static const struct { const char *name; UINT cp; } NAMES[] = {
  {"UTF8", CP_UTF8}, {"UTF16", UTF16LE}, {"UTF16LE", UTF16LE}, {"UTF16BE", UTF16BE},
  {"UCS2", UTF16LE}, {"UCS2LE", UTF16LE}, {"UCS2BE", UTF16BE}, {"UTF32", UTF32LE},
  {"UTF32LE", UTF32LE}, {"UTF32BE", UTF32BE}, {"ASCII", 20127}, {"USASCII", 20127},
  {"TIS620", 874}, {"ISO885911", 874}, {"GB18030", 54936}, {"GBK", 936}, {"GB2312", 936},
  {"EUCCN", 936}, {"HZGB2312", 52936}, {"BIG5", 950}, {"BIG5HKSCS", 950}, {"SHIFTJIS", 932},
  {"SJIS", 932}, {"EUCJP", 20932}, {"ISO2022JP", 50220}, {"EUCKR", 949}, {"UHC", 949},
  {"ISO2022KR", 50225}, {"KOI8R", 20866}, {"KOI8U", 21866}, {"MACCYRILLIC", 10007},
  {"LATIN1", 28591}, {"VISCII", 1258},
};

/* "windows-1251", "CP1251", "IBM866", "ISO-8859-5", "utf-8": upper case, no punctuation. */
static UINT codepage(const char *name) {
  char key[32];
  size_t n = 0;
  for (; *name && n + 1 < sizeof key; name++)
    if (isalnum((unsigned char)*name)) key[n++] = (char)toupper((unsigned char)*name);
  key[n] = 0;
  for (size_t i = 0; i < sizeof NAMES / sizeof NAMES[0]; i++)
    if (!strcmp(key, NAMES[i].name)) return NAMES[i].cp;
  static const char *numbered[] = {"WINDOWS", "CP", "IBM", "MS", "ISO8859"};
  for (size_t i = 0; i < sizeof numbered / sizeof numbered[0]; i++) {
    const char *digits = key + strlen(numbered[i]);
    if (strncmp(key, numbered[i], strlen(numbered[i])) || !*digits ||
        strspn(digits, "0123456789") != strlen(digits))
      continue;
    return (i == 4 ? 28590 : 0) + (UINT)atoi(digits);
  }
  return 0;
}

static int known(UINT cp) {
  return cp == UTF16LE || cp == UTF16BE || cp == UTF32LE || cp == UTF32BE || (cp && IsValidCodePage(cp));
}

iconv_t iconv_open(const char *to, const char *from) {
  UINT t = codepage(to), f = codepage(from);
  if (f == 54936 && !IsValidCodePage(f)) f = 936;   /* GBK is GB18030's two-byte part */
  if (!known(t) || !known(f) || t == UTF32LE || t == UTF32BE) { errno = EINVAL; return (iconv_t)-1; }
  struct conv *c = malloc(sizeof *c);
  if (!c) { errno = ENOMEM; return (iconv_t)-1; }
  c->from = f;
  c->to = t;
  return c;
}

int iconv_close(iconv_t cd) { free(cd); return 0; }

/* Input to UTF-16: the number of code units; with w, also writes them. */
static int to_wide(UINT cp, const unsigned char *in, int n, WCHAR *w, int room) {
  if (cp == UTF16LE || cp == UTF16BE) {
    if (w) for (int i = 0; i < n / 2 && i < room; i++)
      w[i] = cp == UTF16LE ? (WCHAR)(in[2 * i] | in[2 * i + 1] << 8) : (WCHAR)(in[2 * i] << 8 | in[2 * i + 1]);
    return n / 2;
  }
  if (cp == UTF32LE || cp == UTF32BE) {
    int units = 0;
    for (int i = 0; i + 4 <= n; i += 4) {
      const unsigned char *p = in + i;
      unsigned long u = cp == UTF32LE ? p[0] | p[1] << 8 | p[2] << 16 | (unsigned long)p[3] << 24
                                      : p[3] | p[2] << 8 | p[1] << 16 | (unsigned long)p[0] << 24;
      if (u > 0x10FFFF || (u >= 0xD800 && u < 0xE000)) u = 0xFFFD;
      if (u >= 0x10000) {
        if (w && units + 1 < room) {
          w[units] = (WCHAR)(0xD800 + ((u - 0x10000) >> 10));
          w[units + 1] = (WCHAR)(0xDC00 + (u & 0x3FF));
        }
        units += 2;
      } else {
        if (w && units < room) w[units] = (WCHAR)u;
        units++;
      }
    }
    return units;
  }
  return MultiByteToWideChar(cp, 0, (const char *)in, n, w, room);
}

static int from_wide(UINT cp, const WCHAR *w, int units, char *out, int room) {
  if (cp == UTF16LE || cp == UTF16BE) {
    if (out) for (int i = 0; i < units && 2 * i + 1 < room; i++) {
      out[2 * i + (cp == UTF16BE)] = (char)(w[i] & 0xFF);
      out[2 * i + (cp == UTF16LE)] = (char)(w[i] >> 8);
    }
    return 2 * units;
  }
  return WideCharToMultiByte(cp, 0, w, units, out, room, NULL, NULL);
}

size_t iconv(iconv_t cd, char **in, size_t *inleft, char **out, size_t *outleft) {
  struct conv *c = cd;
  if (!in || !*in || !*inleft) return 0;   /* no shift state to flush */
  if (*inleft > 0x3FFFFFFF) { errno = EINVAL; return (size_t)-1; }
  int n = (int)*inleft;
  int units = to_wide(c->from, (const unsigned char *)*in, n, NULL, 0);
  if (units <= 0) { errno = EILSEQ; return (size_t)-1; }
  WCHAR *w = malloc((size_t)units * sizeof *w);
  if (!w) { errno = ENOMEM; return (size_t)-1; }
  to_wide(c->from, (const unsigned char *)*in, n, w, units);
  int bytes = from_wide(c->to, w, units, NULL, 0);
  if (bytes <= 0 || (size_t)bytes > *outleft) {
    free(w);
    errno = bytes <= 0 ? EILSEQ : E2BIG;
    return (size_t)-1;
  }
  from_wide(c->to, w, units, *out, bytes);
  free(w);
  *in += n;
  *inleft = 0;
  *out += bytes;
  *outleft -= (size_t)bytes;
  return 0;
}
EOF
  $HOST-gcc-posix -O2 -Wall -c iconv.c -o iconv.o
  $HOST-ar rcs libiconv.a iconv.o
  install -m644 libiconv.a "$PREFIX/lib/"
  install -m644 iconv.h "$PREFIX/include/"
}

s_uchardet() {
  rm -rf "$BLD/uchardet"
  cmake -G Ninja -S "$SRC/uchardet" -B "$BLD/uchardet" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
    -DCMAKE_C_COMPILER=$HOST-gcc-posix -DCMAKE_CXX_COMPILER=$HOST-g++-posix \
    -DCMAKE_RC_COMPILER=$HOST-windres -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_BINARY=OFF
  ninja -C "$BLD/uchardet" -j"$JOBS" install
}

# The Direct3D 11 output compiles the renderer's GLSL to SPIR-V with shaderc and turns that
# into HLSL with SPIRV-Cross. shaderc's own CMake builds glslang and SPIRV-Tools as its
# subprojects when pointed at their trees; only the combined static library is built, which
# leaves out the tools, tests and the SPIRV-Tools parts shaderc does not link.
s_shaderc() {
  rm -rf "$BLD/shaderc"
  cmake -G Ninja -S "$SRC/shaderc" -B "$BLD/shaderc" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
    -DCMAKE_C_COMPILER=$HOST-gcc-posix -DCMAKE_CXX_COMPILER=$HOST-g++-posix \
    -DCMAKE_RC_COMPILER=$HOST-windres -DCMAKE_AR="$(command -v $HOST-ar)" \
    -DCMAKE_RANLIB="$(command -v $HOST-ranlib)" -DCMAKE_BUILD_TYPE=Release \
    -DSHADERC_SPIRV_HEADERS_DIR="$SRC/spirv-headers" -DSHADERC_SPIRV_TOOLS_DIR="$SRC/spirv-tools" \
    -DSHADERC_GLSLANG_DIR="$SRC/glslang" -DSHADERC_SKIP_TESTS=ON -DSHADERC_SKIP_EXAMPLES=ON \
    -DSHADERC_SKIP_COPYRIGHT_CHECK=ON -DSHADERC_ENABLE_WERROR_COMPILE=OFF -DSPIRV_SKIP_TESTS=ON \
    -DSPIRV_SKIP_EXECUTABLES=ON -DSPIRV_WERROR=OFF -DENABLE_GLSLANG_BINARIES=OFF \
    -DGLSLANG_TESTS=OFF -DENABLE_CTEST=OFF
  ninja -C "$BLD/shaderc" -j"$JOBS" shaderc_combined
  install -d "$PREFIX/include/shaderc"
  install -m644 "$BLD/shaderc/libshaderc/libshaderc_combined.a" "$PREFIX/lib/"
  install -m644 "$SRC"/shaderc/libshaderc/include/shaderc/*.h "$PREFIX/include/shaderc/"
  local version
  version=$(basename "$(newest "$SRC"/shaderc_*.orig.tar.*)" | sed 's/^shaderc_\([0-9.]*\)\..*/\1/')
  cat > "$PREFIX/lib/pkgconfig/shaderc.pc" <<EOF
prefix=$PREFIX
Name: shaderc
Description: GLSL to SPIR-V compiler (static: shaderc, glslang, SPIRV-Tools)
Version: ${version:-2025.2}
Libs: -L\${prefix}/lib -lshaderc_combined -lstdc++
Cflags: -I\${prefix}/include
EOF
}

s_spirvcross() {
  # Only the C API with the GLSL and HLSL back ends. The engine asks for the package under
  # its shared name; here it is the static libraries.
  rm -rf "$BLD/spirv-cross"
  cmake -G Ninja -S "$SRC/spirv-cross" -B "$BLD/spirv-cross" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
    -DCMAKE_C_COMPILER=$HOST-gcc-posix -DCMAKE_CXX_COMPILER=$HOST-g++-posix \
    -DCMAKE_RC_COMPILER=$HOST-windres -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib \
    -DSPIRV_CROSS_SHARED=OFF -DSPIRV_CROSS_STATIC=ON -DSPIRV_CROSS_CLI=OFF \
    -DSPIRV_CROSS_ENABLE_TESTS=OFF -DSPIRV_CROSS_ENABLE_MSL=OFF -DSPIRV_CROSS_ENABLE_CPP=OFF \
    -DSPIRV_CROSS_ENABLE_REFLECT=OFF -DSPIRV_CROSS_ENABLE_UTIL=OFF
  ninja -C "$BLD/spirv-cross" -j"$JOBS" install
  local minor
  minor=$(sed -n 's/^#define SPVC_C_API_VERSION_MINOR \([0-9]*\).*/\1/p' "$SRC/spirv-cross/spirv_cross_c.h")
  cat > "$PREFIX/lib/pkgconfig/spirv-cross-c-shared.pc" <<EOF
prefix=$PREFIX
Name: spirv-cross-c-shared
Description: SPIR-V to HLSL/GLSL translator, C API (static)
Version: 0.${minor:-54}.0
Libs: -L\${prefix}/lib -lspirv-cross-c -lspirv-cross-hlsl -lspirv-cross-glsl -lspirv-cross-core -lstdc++
Cflags: -I\${prefix}/include/spirv_cross
EOF
}

s_mpv() {
  # mingw-w64 10 (bookworm) lacks this Windows 10 1803 constant (value 0x2); mpv
  # retries without it when the system refuses it.
  local f=$SRC/mpv/osdep/timer-win32.c
  grep -q 'compat: mingw-w64 10' "$f" || sed -i '1i /* compat: mingw-w64 10 */\n#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION\n#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002\n#endif' "$f"
  # The Direct3D 11 output reads the DXGI debug queue (IDXGIInfoQueue) and names the newer
  # DXGI colour spaces, which mingw-w64 10's headers do not declare; mingw-w64 12's two
  # generated headers, each self-contained, do.
  local header
  for header in dxgidebug.h dxgicommon.h; do
    tar xf "$(newest "$SRC"/mingw-w64_12.*.orig.tar.*)" -O --wildcards \
      "*/mingw-w64-headers/include/$header" > "$PREFIX/include/$header"
  done
  grep -q IDXGIInfoQueue "$PREFIX/include/dxgidebug.h"
  # Reuse an existing configured tree (keeps the objects), else configure from scratch.
  local setup=("${MESON_SETUP[@]}")
  [[ -f $BLD/mpv/build.ninja ]] && setup=(meson setup --cross-file "$TOOLS/cross.ini" --reconfigure --clearcache)
  # -static: libgcc, libstdc++, libwinpthread and all our .a files go into the DLL. -liconv
  # is named here because meson takes iconv for a part of the C library when it links.
  "${setup[@]}" "$BLD/mpv" "$SRC/mpv" \
    -Ddefault_library=shared -Dprefer_static=true -Dlibmpv=true -Dcplayer=true -Dgpl=true \
    -Dc_link_args="['-L$PREFIX/lib','-static','-static-libgcc','-static-libstdc++','-liconv']" \
    -Dcpp_link_args="['-L$PREFIX/lib','-static','-static-libgcc','-static-libstdc++','-liconv']" \
    -Dbuild-date=false -Dtests=false -Dfuzzers=false \
    -Dcplugins=disabled -Ddvbin=disabled -Ddvdnav=disabled -Dcdda=disabled \
    -Diconv=enabled -Djavascript=disabled -Djpeg=disabled -Dlcms2=enabled \
    -Dlibarchive=disabled -Dlibavdevice=disabled -Dlibbluray=disabled -Dlua=lua52 \
    -Drubberband=disabled -Dsdl2=disabled -Duchardet=enabled -Dvapoursynth=disabled \
    -Dzimg=disabled -Dzlib=enabled -Dwin32-threads=enabled \
    -Dwasapi=enabled -Dopenal=disabled \
    -Dgl=enabled -Dgl-win32=enabled -Dgl-dxinterop=auto -Dgl-dxinterop-d3d9=auto -Dd3d11=enabled \
    -Ddirect3d=enabled -Dshaderc=enabled -Dspirv-cross=enabled -Dvulkan=disabled \
    -Degl-angle=disabled -Degl-angle-lib=disabled -Degl-angle-win32=disabled \
    -Dd3d-hwaccel=enabled -Dd3d9-hwaccel=enabled -Dcuda-hwaccel=disabled \
    -Dcuda-interop=disabled -Dvaapi=disabled -Dwin32-smtc=disabled \
    -Dhtml-build=disabled -Dmanpage-build=disabled -Dpdf-build=disabled
  ninja -C "$BLD/mpv" -j"$JOBS"
  install -d "$OUT/include/mpv"
  cp "$SRC"/mpv/include/mpv/*.h "$OUT/include/mpv/"
  cp "$BLD/mpv/libmpv.dll.a" "$OUT/" 2>/dev/null || true
  cp "$BLD/mpv/mpv.com" "$OUT/" 2>/dev/null || true
  # Shipped stripped (the symbols would add tens of megabytes); the unstripped files
  # stay in $BLD/mpv for debugging. The DLL is written last, under a temporary name
  # first, because its presence is what tells callers the build is complete.
  $HOST-strip -o "$OUT/mpv.exe" "$BLD/mpv/mpv.exe"
  $HOST-strip -o "$OUT/libmpv-2.dll.tmp" "$BLD/mpv/libmpv-2.dll"
  mv -f "$OUT/libmpv-2.dll.tmp" "$OUT/libmpv-2.dll"
  ls -l "$OUT"
  $HOST-objdump -p "$OUT/libmpv-2.dll" | grep "DLL Name"
}

# The licence of every library whose Debian source package is unpacked whole, as that
# package states it (debian/copyright); for the shader compilers, built from their upstream
# tarballs, the project's own licence file. The others' come with scripts/package.sh.
licences() {
  local name pair
  mkdir -p "$1/licenses"
  for name in mpv ffmpeg harfbuzz libplacebo dav1d uchardet lcms2 libxml2; do
    cp "$SRC/$name/debian/copyright" "$1/licenses/$name.txt"
  done
  for pair in shaderc:LICENSE glslang:LICENSE.txt spirv-tools:LICENSE spirv-headers:LICENSE \
              spirv-cross:LICENSE; do
    cp "$SRC/${pair%%:*}/${pair#*:}" "$1/licenses/${pair%%:*}.txt"
  done
}

# The finished engine under the hash of this recipe, for scripts/engine.sh. Written
# beside its final name and renamed, so a half copy is never taken for an engine.
publish() {
  local sum dir
  sum=$(sha256sum "$RECIPE" | cut -d' ' -f1)
  dir=$TOP/recipes/$sum
  [[ -f $dir/libmpv-2.dll ]] && { log "engine of this recipe: $dir"; return; }
  rm -rf "$dir.tmp"; mkdir -p "$dir.tmp"
  cp "$OUT/libmpv-2.dll" "$OUT/mpv.exe" "$OUT/mpv.com" "$dir.tmp/"
  cp -r "$OUT/include" "$dir.tmp/"
  licences "$dir.tmp"
  rm -rf "$dir"; mv "$dir.tmp" "$dir"
  log "engine of this recipe: $dir"
}

ALL=(sources fetch unpack toolchain zlib freetype fribidi harfbuzz libass lua lcms2 shaderc spirvcross
     libplacebo iconv uchardet dav1d libxml2 ffmpeg mpv)
if [[ ${1:-} == --keys ]]; then   # each stage's cache key, without building anything
  for s in "${ALL[@]}"; do echo "$s $(stage_key "$s")"; done
  exit 0
fi
STAGES=("$@"); ((${#STAGES[@]})) || STAGES=("${ALL[@]}")
for s in "${STAGES[@]}"; do
  [[ " ${ALL[*]} " == *" $s "* ]] || die "unknown stage '$s' (stages: ${ALL[*]})"
done
# Two builds into one cache would trample each other's trees: the second one waits.
exec 9>"$TOP/lock"
if ! flock -n 9; then
  echo "build-libmpv: another build is using $TOP; waiting for it" >&2
  flock 9
fi

hostdeps
T0=$SECONDS
for s in "${STAGES[@]}"; do stage "$s"; done
log "all requested stages finished in $((SECONDS - T0)) s; engine: $OUT/libmpv-2.dll"
# Only a run of every stage stands for the whole recipe.
if [[ ${STAGES[*]} == "${ALL[*]}" ]]; then publish; fi
