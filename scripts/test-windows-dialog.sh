#!/usr/bin/env bash
# Cross-builds the Windows dialog program ZT_Rastrum.exe and its test suite
# with MinGW-w64, then runs the suite under Wine on a private X server
# (Xvfb), in a throw-away Wine prefix. The suite starts ZT_Rastrum.exe and
# drives it with window messages; it saves screenshots of the dialog, the
# "No related files" box, the preview window and the About box into
# build-win64/dialog-screenshots. The build folder is the one test-windows.sh
# configures the same way, so what one built the other does not build again.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-win64
jobs=$(nproc)

scripts/install-deps.sh windows-dialog
. scripts/ccache-env.sh
picture_libs=$(scripts/build-windows-deps.sh)

echo "== Build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON -DRASTRUM_BUILD_DIALOG=ON \
  -DRASTRUM_PICTURE_LIBS="$picture_libs" "${ccache_args[@]}" >/dev/null
cmake --build "$build" -j"$jobs" --target ZT_Rastrum rastrum_dialog_win32_tests

. scripts/wine-env.sh windows-dialog
# No window manager runs on the X server, so Wine draws the title bars
# itself. Tahoma, the shell font, has no CJK glyphs: link the WenQuanYi
# font behind it, as a Chinese Windows links its own.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null
wineserver -w

echo "== Dialog tests under Wine"
rm -rf "$build/dialog-screenshots"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" -L dialog --output-on-failure
echo "Screenshots: $build/dialog-screenshots"
ls "$build/dialog-screenshots"
