#!/usr/bin/env bash
# Makes both packages and prints their paths: the Debian package from the
# Linux build in build/ (configured as scripts/setup.sh configures it) and the
# Windows zip from the MinGW-w64 build in build-win64/ (configured as
# scripts/test-windows.sh configures it, so the tests' build is reused).
# Usage: scripts/packages.sh   (as root the first time: it installs packages)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh build desktop windows windows-dialog
. scripts/ccache-env.sh
picture_libs=$(scripts/build-windows-deps.sh)

echo "== The Debian package"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=OFF \
  -DRASTRUM_BUILD_DIALOG=ON "${ccache_args[@]}" >/dev/null
cmake --build build -j"$jobs"
cmake --build build --target deb

echo "== The Windows zip"
cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON -DRASTRUM_BUILD_DIALOG=ON \
  -DRASTRUM_PICTURE_LIBS="$picture_libs" "${ccache_args[@]}" >/dev/null
cmake --build build-win64 -j"$jobs" --target zip

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
echo
for made in "build/rastrum_${version}_$(dpkg --print-architecture).deb" \
  "build-win64/rastrum-$version-win64.zip"; do
  [ -f "$made" ] || { echo "packages: $made was not made" >&2; exit 1; }
  echo "$PWD/$made"
done
