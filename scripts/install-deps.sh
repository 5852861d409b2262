#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those not yet installed.
# Usage: scripts/install-deps.sh GROUP...   (groups: build, desktop, test, bench, dialog, fuzz,
#   windows, windows-dialog)
set -euo pipefail

packages=()
for group in "$@"; do
  case "$group" in
    # nlohmann-json3-dev: the manifest's JSON library, header-only, also for
    # the cross builds.
    build) packages+=(cmake g++ make nlohmann-json3-dev) ;;
    # The generated header is compiled by the tests with gcc, g++, clang,
    # clang++ and, for a Cortex-M4, arm-none-eabi-gcc with newlib's headers.
    test) packages+=(cmake g++ make libgtest-dev gcc nlohmann-json3-dev clang gcc-arm-none-eabi
                     libnewlib-arm-none-eabi) ;;
    bench) packages+=(xxd time) ;;
    fuzz) packages+=(cmake make clang libclang-rt-dev nlohmann-json3-dev) ;;
    # The dialog program: wxWidgets on GTK 3 and a CJK font for its Chinese texts.
    desktop) packages+=(libwxgtk3.2-dev fonts-wqy-microhei) ;;
    # The dialog program, and the X server, input driver and screenshots of its tests.
    dialog) packages+=(cmake g++ make nlohmann-json3-dev libwxgtk3.2-dev libgtest-dev fonts-wqy-microhei
                       xvfb xauth xdotool x11-utils imagemagick) ;;
    # Cross-building for Windows (MinGW-w64 with the posix thread model, which
    # GoogleTest needs), GoogleTest's sources for it, and Wine to run the result.
    windows) packages+=(cmake make gcc g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev
                        wine wine64) ;;
    # The Windows dialog program and its tests: the same cross tools plus the
    # build machine's C++ compiler (for the resource generator), Wine's own
    # fonts (title-bar glyphs, Tahoma), a CJK font and an X server.
    windows-dialog) packages+=(cmake make gcc g++ g++-mingw-w64-x86-64-posix googletest
                               nlohmann-json3-dev wine wine64
                               fonts-wine fonts-wqy-microhei xvfb xauth) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages ${missing[*]}; run as root or install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
