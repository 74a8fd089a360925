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
# system DLLs: mpv 0.40 with ffmpeg 7.1, libplacebo, libass + harfbuzz + freetype +
# fribidi, Lua 5.2 and zlib. About 13 minutes from nothing on two cores.
#
# Re-runnable: each finished stage leaves a stamp in $TOP/stamps and is skipped next
# time (delete the stamp, or run with FORCE="stage ...", to redo it). Stage logs are in
# $TOP/logs; wall times are appended to $TOP/logs/times.log. Must run as root: the
# build prerequisites are installed with apt-get. The system's APT configuration is not
# changed: the extra source lists live in a private APT state under $TOP/apt.
set -euo pipefail

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

# Two builds into one cache would trample each other's trees: the second one waits.
exec 9>"$TOP/lock"
if ! flock -n 9; then
  echo "build-libmpv: another build is using $TOP; waiting for it" >&2
  flock 9
fi

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

stage() {   # stage NAME FUNCTION
  local name=$1 fn=$2
  if [[ -e $STAMPS/$name && " ${FORCE:-} " != *" $name "* ]]; then
    log "skip $name (stamp exists)"; return 0
  fi
  log "start $name"
  local t0=$SECONDS rc
  # A subshell with errexit of its own: set -e would be ignored inside "if ! fn".
  set +e
  ( set -e; "$fn" ) > "$LOGS/$name.log" 2>&1
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
  touch "$STAMPS/$name"
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
           tar make util-linux; do
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
  "${A[@]}" source --download-only mpv/trixie ffmpeg/trixie harfbuzz/trixie libplacebo/trixie || true
  # the trixie orig tarball is there but the .dsc/.diff may 404: use the orig tarball
  "${A[@]}" source --download-only freetype/trixie fribidi/trixie || true
  # libass from bookworm (0.17.1); zlib (the mingw zlib package ships no headers or
  # .a) and Lua 5.2 for mpv's built-in scripts, also from bookworm
  mkdir -p bw; (cd bw && "${A[@]}" source --download-only libass/bookworm zlib/bookworm lua5.2/bookworm) || true
  ls -l . bw
  local missing=() g
  for g in 'mpv_0.40.*.dsc' 'ffmpeg_7.1.*.dsc' 'harfbuzz_*.dsc' 'libplacebo_7.*.dsc' \
           'freetype_2.*.orig.tar.*' 'fribidi_1.*.orig.tar.*' 'bw/libass_*.orig.tar.*' \
           'bw/zlib_*.orig.tar.*' 'bw/lua5.2_*.orig.tar.*'; do
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
  for name in mpv ffmpeg harfbuzz libplacebo; do
    [[ -d $name ]] && continue
    f=$(newest "${name}"_*.dsc)
    [[ -n $f ]] || die "no ${name}_*.dsc in $SRC"
    rm -rf "$name.tmp"
    dpkg-source --no-check -x "$f" "$name.tmp"
    mv "$name.tmp" "$name"
  done
  local pair
  for pair in 'freetype:freetype_2.*.orig.tar.*' 'fribidi:fribidi_1.*.orig.tar.*' \
              'libass:bw/libass_*.orig.tar.*' 'zlib:bw/zlib_*.orig.tar.*' 'lua:bw/lua5.2_*.orig.tar.*'; do
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

# Only what a desktop player needs: the common codecs and containers, files and
# network streams, and the filters behind the player's audio and video options.
FF_DECODERS=h264,hevc,vp8,vp9,mpeg4,h263,msmpeg4v3,mpeg1video,mpeg2video,mjpeg,png,theora,aac,aac_latm,mp3,mp3float,mp2,mp2float,opus,vorbis,flac,alac,ac3,eac3,pcm_s16le,pcm_s16be,pcm_s24le,pcm_s32le,pcm_f32le,pcm_u8,pcm_alaw,pcm_mulaw,subrip,srt,ass,ssa,webvtt,movtext
FF_ENCODERS=png,mjpeg
FF_DEMUXERS=matroska,mov,avi,mpegts,mpegps,ogg,mp3,wav,flac,aac,ac3,h264,hevc,srt,ass,webvtt,image2,concat
FF_PARSERS=h264,hevc,vp8,vp9,mpeg4video,mpegvideo,mpegaudio,aac,aac_latm,ac3,flac,opus,vorbis,png,mjpeg
FF_BSFS=h264_mp4toannexb,hevc_mp4toannexb,aac_adtstoasc,extract_extradata,vp9_superframe_split,null
FF_PROTOCOLS=file,pipe,http,https,tcp,tls,crypto,data,async,cache
FF_FILTERS=buffer,buffersink,abuffer,abuffersink,format,aformat,null,anull,scale,aresample,dynaudnorm,volume,pan,atempo,loudnorm,acompressor,hflip,vflip,transpose,crop,pad,setpts,asetpts,fps,yadif,bwdif,copy,acopy,split,asplit,amix,aevalsrc,color,nullsrc,anullsrc,overlay
s_ffmpeg() {
  rm -rf "$BLD/ffmpeg"; mkdir -p "$BLD/ffmpeg"; cd "$BLD/ffmpeg"
  "$SRC/ffmpeg/configure" --prefix="$PREFIX" \
    --enable-cross-compile --target-os=mingw32 --arch=x86_64 --cross-prefix=$HOST- \
    --cc=$HOST-gcc-posix --cxx=$HOST-g++-posix \
    --pkg-config="$TOOLS/bin/$HOST-pkg-config" --pkg-config-flags=--static \
    --extra-cflags="-I$PREFIX/include" --extra-ldflags="-L$PREFIX/lib" \
    --enable-static --disable-shared --disable-programs --disable-doc --disable-debug \
    --disable-autodetect --enable-w32threads --enable-zlib --enable-schannel \
    --disable-avdevice --disable-postproc --disable-everything \
    --enable-decoder=$FF_DECODERS --enable-encoder=$FF_ENCODERS \
    --enable-demuxer=$FF_DEMUXERS --enable-parser=$FF_PARSERS --enable-bsf=$FF_BSFS \
    --enable-protocol=$FF_PROTOCOLS --enable-filter=$FF_FILTERS \
    --enable-swscale --enable-swresample --enable-avfilter --enable-network
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

s_libplacebo() {
  "${MESON_SETUP[@]}" "$BLD/libplacebo" "$SRC/libplacebo" \
    -Dvulkan=disabled -Dopengl=enabled -Dd3d11=disabled -Dglslang=disabled \
    -Dshaderc=disabled -Dlcms=disabled -Ddovi=enabled -Dlibdovi=disabled \
    -Ddemos=false -Dtests=false -Dbench=false -Dfuzz=false -Dunwind=disabled \
    -Dxxhash=disabled
  ninja -C "$BLD/libplacebo" -j"$JOBS" install
  # libplacebo has C++ parts (convert.cc: std::to_chars/from_chars) but its .pc does
  # not say so; mpv links with the C driver, so add libstdc++ explicitly.
  sed -i '/^Libs:/{/-lstdc++/!s/$/ -lstdc++/}' "$PREFIX/lib/pkgconfig/libplacebo.pc"
}

s_mpv() {
  # mingw-w64 10 (bookworm) lacks this Windows 10 1803 constant (value 0x2); mpv
  # retries without it when the system refuses it.
  local f=$SRC/mpv/osdep/timer-win32.c
  grep -q 'compat: mingw-w64 10' "$f" || sed -i '1i /* compat: mingw-w64 10 */\n#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION\n#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002\n#endif' "$f"
  # Reuse an existing configured tree (keeps the objects), else configure from scratch.
  local setup=("${MESON_SETUP[@]}")
  [[ -f $BLD/mpv/build.ninja ]] && setup=(meson setup --cross-file "$TOOLS/cross.ini" --reconfigure --clearcache)
  # -static: libgcc, libstdc++, libwinpthread and all our .a files go into the DLL.
  "${setup[@]}" "$BLD/mpv" "$SRC/mpv" \
    -Ddefault_library=shared -Dprefer_static=true -Dlibmpv=true -Dcplayer=true -Dgpl=true \
    -Dc_link_args="['-L$PREFIX/lib','-static','-static-libgcc','-static-libstdc++']" \
    -Dcpp_link_args="['-L$PREFIX/lib','-static','-static-libgcc','-static-libstdc++']" \
    -Dbuild-date=false -Dtests=false -Dfuzzers=false \
    -Dcplugins=disabled -Ddvbin=disabled -Ddvdnav=disabled -Dcdda=disabled \
    -Diconv=disabled -Djavascript=disabled -Djpeg=disabled -Dlcms2=disabled \
    -Dlibarchive=disabled -Dlibavdevice=disabled -Dlibbluray=disabled -Dlua=lua52 \
    -Drubberband=disabled -Dsdl2=disabled -Duchardet=disabled -Dvapoursynth=disabled \
    -Dzimg=disabled -Dzlib=enabled -Dwin32-threads=enabled \
    -Dwasapi=enabled -Dopenal=disabled \
    -Dgl=enabled -Dgl-win32=enabled -Dgl-dxinterop=disabled -Dd3d11=disabled \
    -Ddirect3d=enabled -Dshaderc=disabled -Dspirv-cross=disabled -Dvulkan=disabled \
    -Degl-angle=disabled -Degl-angle-lib=disabled -Degl-angle-win32=disabled \
    -Dd3d-hwaccel=disabled -Dd3d9-hwaccel=disabled -Dcuda-hwaccel=disabled \
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

ALL=(sources fetch unpack toolchain zlib freetype fribidi harfbuzz libass ffmpeg lua libplacebo mpv)
STAGES=("$@"); ((${#STAGES[@]})) || STAGES=("${ALL[@]}")
for s in "${STAGES[@]}"; do
  [[ " ${ALL[*]} " == *" $s "* ]] || die "unknown stage '$s' (stages: ${ALL[*]})"
done
hostdeps
T0=$SECONDS
for s in "${STAGES[@]}"; do stage "$s" "s_$s"; done
log "all requested stages finished in $((SECONDS - T0)) s; engine: $OUT/libmpv-2.dll"
