#!/usr/bin/env bash
# Cross-builds rastrum.exe, the engine test suite and the zip of both
# programs for 64-bit Windows with MinGW-w64 (with libspng and libjpeg-turbo
# cross-built from Debian's sources by scripts/build-windows-deps.sh), then,
# under Wine in a throw-away prefix, checks what the zip holds, runs the suite
# and converts a folder tree at every depth, with the strict intake and with
# --input any, comparing the four output files and the message lines with
# those of the Linux build.
# The cross build folder is configured as test-windows-dialog.sh configures
# it, so the two share the libraries and GoogleTest they both build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/install-deps.sh build windows test
. scripts/ccache-env.sh
picture_libs=$(scripts/build-windows-deps.sh)

. scripts/wine-env.sh windows
wineserver -w

echo "== Builds"
cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON -DRASTRUM_BUILD_DIALOG=ON \
  -DRASTRUM_PICTURE_LIBS="$picture_libs" "${ccache_args[@]}" >/dev/null
cmake --build build-win64 -j"$jobs" --target rastrum rastrum_tests zip
# The Linux rastrum: the one of test.sh's linux step, brought up to date,
# when that build is there; else one built on its own.
reference=build-test
if [ ! -f "$reference/CMakeCache.txt" ]; then
  reference=build-linux-reference
  cmake -S . -B "$reference" -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON \
    -DRASTRUM_BUILD_DIALOG=OFF "${ccache_args[@]}" >/dev/null
fi
cmake --build "$reference" -j"$jobs" --target rastrum rastrum_make_any_tree
exe=$root/build-win64/cli/rastrum.exe
linux=$root/$reference/cli/rastrum

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

echo "== Engine test suite under Wine"
wine "$root/build-win64/tests/rastrum_tests.exe" --gtest_brief=1 || fail "engine test suite"

echo "== The Windows zip"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)
zip=$root/build-win64/rastrum-$version-win64.zip
listed=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$listed" = "LICENSE.txt README.md THIRD-PARTY-NOTICES.txt ZT_Rastrum.exe rastrum.exe " ] ||
  fail "the zip holds $listed"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
cmp -s "$work/zip/rastrum.exe" "$exe" || fail "the zip's rastrum.exe is not the build's"
cmp -s "$work/zip/ZT_Rastrum.exe" build-win64/app/ZT_Rastrum.exe || fail "the zip's ZT_Rastrum.exe is not the build's"
cmp -s "$work/zip/LICENSE.txt" LICENSE || fail "the zip's LICENSE.txt is not LICENSE"
said=$(wine "$work/zip/rastrum.exe" --version | tr -d '\r') || fail "the zip's rastrum.exe --version"
[ "$said" = "$version" ] || fail "the zip's rastrum.exe says '$said', not $version"
# Each program runs from the zip alone: it imports only DLLs every Windows has.
system_dlls='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|comctl32|comdlg32|advapi32|msvcrt|uxtheme|shlwapi)\.dll$'
for program in rastrum.exe ZT_Rastrum.exe; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$work/zip/$program" | awk '/DLL Name:/ { print $3 }'); do
    echo "$dll" | grep -q -i -E "$system_dlls" || fail "$program needs $dll, which the zip does not carry"
  done
done
for library in libspng libjpeg-turbo zlib nlohmann-json winpthreads libstdc++; do
  grep '(Debian package ' "$work/zip/THIRD-PARTY-NOTICES.txt" | grep -q -F "$library" ||
    fail "THIRD-PARTY-NOTICES.txt has no section for $library"
done

echo "== Whole runs: Windows against Linux"

# The bundled samples, plus what a run must pass over or report: a file of
# another extension, one in upper case, a broken bitmap, an empty folder.
tree=$work/tree
mkdir -p "$tree/bmp/empty" "$tree/bmp/more/deeper"
cp -r samples/bmp/. "$tree/bmp/"
cp samples/bmp/logo.bmp "$tree/bmp/more/LOGO.BMP"
cp samples/bmp/tile16.bmp "$tree/bmp/more/deeper/tile.bmp"
printf 'not a picture\n' >"$tree/bmp/more/notes.txt"
printf 'BM too short' >"$tree/bmp/more/broken.bmp"
# Every format --input any reads, and files it rejects.
"$root/$reference/tests/rastrum_make_any_tree" "$tree/any"

# Runs a command in a fresh copy of the tree: stdout, stderr, exit status and
# the four output files stay in the folder.
run_in_copy() {
  local dir=$1 status=0
  shift
  rm -rf "$dir" && cp -r "$tree" "$dir"
  (cd "$dir" && "$@" >stdout.txt 2>stderr.txt) || status=$?
  echo "$status" >"$dir/status.txt"
}

# The separators are the one intended difference, and they stand only in the
# folder comment lines and in the paths of the message lines. These reject a
# backslash anywhere else in Windows output and any in Linux output, then map
# the Windows separators, so every other byte is compared as it is.
comment=$'^(\t//\\.\\.\\.|//-{53})'
same_text() {
  local win=$1 linux=$2
  if grep -q '\\' "$linux"; then fail "backslash in Linux output $linux"; fi
  if grep -v -E "$comment" "$win" | grep -q '\\'; then fail "backslash outside a folder comment in $win"; fi
  if sed -n -E "s#$comment##p" "$win" | grep -q '/'; then fail "slash in a Windows folder path in $win"; fi
  cmp -s <(sed -E "\\#$comment# s#\\\\#/#g" "$win") "$linux" ||
    fail "$win differs from $linux beyond the separators"
}

# Converts FOLDER of the tree with both builds and compares what they wrote.
# Usage: compare DEPTH FOLDER OPTION...
compare() {
  local depth=$1 folder=$2
  shift 2
  local win=$work/win-$depth-$folder lin=$work/linux-$depth-$folder at="$folder at depth $depth"
  run_in_copy "$win" wine "$exe" convert --depth "$depth" "$@" --name out "$folder"
  run_in_copy "$lin" "$linux" convert --depth "$depth" "$@" --name out "$folder"
  cmp -s "$win/status.txt" "$lin/status.txt" || fail "exit status, $at"
  cmp -s "$win/stderr.txt" "$lin/stderr.txt" || fail "stderr, $at"
  cmp -s "$win/out.bin" "$lin/out.bin" || fail "binary image file, $at"
  for file in out.txt tmp.txt bmp.c; do same_text "$win/$file" "$lin/$file"; done
  if grep -q '/' "$win/stdout.txt"; then fail "slash in Windows message lines, $at"; fi
  if grep -q '\\' "$lin/stdout.txt"; then fail "backslash in Linux message lines, $at"; fi
  cmp -s <(tr '\\' '/' <"$win/stdout.txt") "$lin/stdout.txt" || fail "message lines, $at"
  for file in out.txt bmp.c; do
    (cd "$win" && gcc -std=c99 -pedantic-errors -Wall -Werror -x c -c "$file" -o /dev/null) ||
      fail "$file from Windows does not compile, $at"
  done
}

for depth in 8 16 24; do
  compare "$depth" bmp --ext "bmp BMP"
  grep -q 'more\\deeper' "$work/win-$depth-bmp/tmp.txt" || fail "no nested folder comment at depth $depth"
  compare "$depth" any --ext "bmp png jpg" --input any --background 3366CC
  [ "$(grep -c '^[0-9]*: \[' "$work/linux-$depth-any/stdout.txt")" -ge 20 ] ||
    fail "--input any read too few pictures at depth $depth"
done

# Outputs are put in place by a replacing move: a second run replaces the
# first one's files; a run that fails replaces none and leaves no staging file.
win=$work/win-16-bmp
(cd "$win" && wine "$exe" convert --depth 8 --ext "bmp BMP" --name out bmp >/dev/null 2>&1) || true
cmp -s "$win/out.bin" "$work/win-8-bmp/out.bin" || fail "a second run did not replace out.bin"
cp "$win/out.bin" "$work/kept.bin"
rm "$win/tmp.txt" && mkdir "$win/tmp.txt"
status=0
(cd "$win" && wine "$exe" convert --depth 24 --name out bmp >/dev/null 2>&1) || status=$?
[ "$status" = 3 ] || fail "a run that cannot create tmp.txt exited $status, not 3"
cmp -s "$win/out.bin" "$work/kept.bin" || fail "a failed run replaced out.bin"
if ls "$win" | grep -q '^~rastrum-partial'; then fail "a failed run left a staging file"; fi
# Names are compared without regard to case, as Windows compares them.
status=0
(cd "$win" && wine "$exe" convert --name TMP bmp >/dev/null 2>&1) || status=$?
[ "$status" = 2 ] || fail "--name TMP exited $status, not 2"

# The outputs for firmware are the same bytes on both hosts: the header, its
# C source with the embedded data, the binary image file and the manifest
# (whose paths use '/' everywhere).
firmware=(--format rgb565le --dither diffusion --align 16 --header img --embed --manifest m.json)
win=$work/win-firmware lin=$work/linux-firmware
run_in_copy "$win" wine "$exe" convert "${firmware[@]}" --ext "bmp BMP" bmp
run_in_copy "$lin" "$linux" convert "${firmware[@]}" --ext "bmp BMP" bmp
cmp -s "$win/status.txt" "$lin/status.txt" || fail "exit status with --header"
for file in img.h img.c img.bin m.json stderr.txt; do
  cmp -s "$win/$file" "$lin/$file" || fail "$file differs between Windows and Linux"
done
cmp -s <(tr '\\' '/' <"$win/stdout.txt") "$lin/stdout.txt" || fail "message lines with --header"
for file in bmp.c tmp.txt; do [ ! -e "$win/$file" ] || fail "$file written with --header"; done

# Time-stamped names come from the Windows local clock, which Wine takes from
# this machine's: the stamp is the minute before or after the run.
win=$work/win-stamped
before=$(date +%Y%m%d_%H-%M)
run_in_copy "$win" wine "$exe" convert bmp
after=$(date +%Y%m%d_%H-%M)
stamped=$(cd "$win" && ls -- *_16bit.bin 2>/dev/null || true)
case "$stamped" in
  "${before}_16bit.bin" | "${after}_16bit.bin")
    [ -f "$win/${stamped%.bin}.txt" ] || fail "no table file beside $stamped" ;;
  *) fail "time-stamped names: expected ${before}_16bit.bin, found '$stamped'" ;;
esac

if [ "$failures" -ne 0 ]; then
  echo "test-windows: $failures check(s) failed" >&2
  exit 1
fi
echo "test-windows: all checks passed"
