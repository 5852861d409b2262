#!/usr/bin/env bash
# Cross-builds the static picture libraries the Windows build links, libspng
# and libjpeg-turbo, with MinGW-w64 from Debian's own source packages (zlib
# comes built, from libz-mingw-w64-dev). The result is kept in
# build-windows-deps/<versions>/, so a later run with the same source
# versions builds nothing. Prints that folder, to pass as
# -DRASTRUM_PICTURE_LIBS=... to the Windows configuration.
# Usage: scripts/build-windows-deps.sh   (as root the first time: it may add
#   a deb-src entry and install packages)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${RASTRUM_WINDOWS_DEPS:-$root/build-windows-deps}
cc=x86_64-w64-mingw32-gcc-posix
ar=x86_64-w64-mingw32-ar

scripts/install-deps.sh windows >&2

# The same source versions as the Linux build's libraries, so both hosts
# decode with the same code.
source_version() {
  dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null ||
    apt-cache showsrc "$2" 2>/dev/null | awk '/^Version:/ { print $2; exit }'
}
spng_version=$(source_version libspng-dev libspng)
jpeg_version=$(source_version libjpeg62-turbo-dev libjpeg-turbo)
prefix=$cache/spng-${spng_version//:/_}-jpeg-${jpeg_version//:/_}
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

# apt-get source needs a deb-src twin of the binary package entries.
if [ -z "$(apt-cache showsrc libspng 2>/dev/null)" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "build-windows-deps: no deb-src entry for apt; run as root once" >&2
    exit 1
  fi
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    >/etc/apt/sources.list.d/rastrum-deb-src.sources
  apt-get update -q >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/rastrum-windows-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -q "libspng=$spng_version" "libjpeg-turbo=$jpeg_version") >&2
rm -rf "$prefix"
mkdir -p "$prefix/lib" "$prefix/include"

echo "== libspng $spng_version" >&2
spng=$(echo "$work"/libspng-*/spng)
"$cc" -O2 -DSPNG_STATIC -c "$spng/spng.c" -o "$work/spng.o"
"$ar" rcs "$prefix/lib/libspng_static.a" "$work/spng.o"
cp "$spng/spng.h" "$prefix/include/"

echo "== libjpeg-turbo $jpeg_version" >&2
jpeg=$(echo "$work"/libjpeg-turbo-*/)
# Without SIMD no assembler is needed; the accurate integer IDCT and the
# fancy upsampling give the same pixels with and without it.
cmake -S "$jpeg" -B "$work/jpeg-build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" >&2
cmake --build "$work/jpeg-build" -j"$(nproc)" --target jpeg-static turbojpeg-static >&2
cp "$work/jpeg-build/libjpeg.a" "$work/jpeg-build/libturbojpeg.a" "$prefix/lib/"
cp "$work/jpeg-build/jconfig.h" "$jpeg/jmorecfg.h" "$jpeg/jpeglib.h" "$jpeg/jerror.h" \
  "$jpeg/turbojpeg.h" "$prefix/include/"

touch "$prefix/.complete"
echo "$prefix"
