#!/usr/bin/env bash
# Installs what the dialog program needs, builds it and runs its tests: the
# in-process suites, and the wx windows and the end-to-end run on a private
# X server (Xvfb).
# Screenshots of the dialog, the preview window and the About box go to
# build-dialog/dialog-screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh dialog
. scripts/ccache-env.sh
cmake -S . -B build-dialog -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON \
  -DRASTRUM_BUILD_DIALOG=ON "${ccache_args[@]}" >/dev/null
cmake --build build-dialog -j"$(nproc)" --target rastrum_dialog_tests rastrum_dialog_wx_tests \
  ZT_Rastrum rastrum
ctest --test-dir build-dialog --output-on-failure -L dialog
