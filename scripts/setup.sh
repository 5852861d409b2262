#!/usr/bin/env bash
# Installs what is missing, builds rastrum and the dialog program ZT_Rastrum,
# and converts the bundled sample pictures into samples/out.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build desktop
. scripts/ccache-env.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=OFF \
  -DRASTRUM_BUILD_DIALOG=ON "${ccache_args[@]}" >/dev/null
cmake --build build -j"$(nproc)"

rm -rf samples/out && mkdir -p samples/out
(cd samples && ../build/cli/rastrum convert --depth 16 --name sample --out out bmp)
echo
echo "Wrote samples/out/sample.bin, samples/out/sample.txt, samples/out/tmp.txt, samples/out/bmp.c"
echo "The dialog: build/app/ZT_Rastrum (on a desktop session)"
