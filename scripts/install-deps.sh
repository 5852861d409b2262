#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those not yet installed.
# Every group that builds brings ccache, which the build scripts use when it
# is there.
# Usage: scripts/install-deps.sh GROUP...   (groups: build, desktop, test, bench, dialog, fuzz,
#   windows, windows-dialog, deb-install)
set -euo pipefail

packages=()
for group in "$@"; do
  case "$group" in
    # The engine reads PNG and JPEG through libspng and libjpeg-turbo and
    # writes the manifest with nlohmann-json (header-only, also for the cross
    # builds); the tests also encode and decode through libturbojpeg,
    # Python's html.parser reads the preview page back, and the generated
    # header is compiled with gcc, g++, clang, clang++ and, for a Cortex-M4,
    # arm-none-eabi-gcc with newlib's headers.
    build) packages+=(cmake g++ make ccache pkg-config libspng-dev libjpeg62-turbo-dev
                      nlohmann-json3-dev) ;;
    test) packages+=(cmake g++ make ccache libgtest-dev gcc pkg-config libspng-dev
                     libjpeg62-turbo-dev libturbojpeg0-dev python3 ninja-build
                     nlohmann-json3-dev clang gcc-arm-none-eabi libnewlib-arm-none-eabi) ;;
    bench) packages+=(xxd time) ;;
    fuzz) packages+=(cmake make ccache clang libclang-rt-dev pkg-config libspng-dev
                     libjpeg62-turbo-dev nlohmann-json3-dev) ;;
    # The dialog program: wxWidgets on GTK 3 and a CJK font for its Chinese texts.
    desktop) packages+=(libwxgtk3.2-dev fonts-wqy-microhei) ;;
    # The dialog program, and the X server, input driver, window manager and
    # screenshots of its tests, the PNG decoder that checks the desktop icon,
    # and the browser that takes the preview page's screenshot (large, so not
    # in the test group).
    dialog) packages+=(cmake g++ make ccache libwxgtk3.2-dev libgtest-dev fonts-wqy-microhei
                       xvfb xauth xdotool x11-utils imagemagick pkg-config libspng-dev
                       libjpeg62-turbo-dev libturbojpeg0-dev metacity chromium
                       nlohmann-json3-dev) ;;
    # Cross-building for Windows (MinGW-w64 with the posix thread model, which
    # GoogleTest needs), GoogleTest's sources for it, and Wine to run the result;
    # zlib built for MinGW, and what apt-get source needs to fetch and unpack
    # libspng and libjpeg-turbo (scripts/build-windows-deps.sh).
    windows) packages+=(cmake make ccache gcc g++-mingw-w64-x86-64-posix googletest wine wine64
                        libz-mingw-w64-dev dpkg-dev pkg-config libspng-dev libjpeg62-turbo-dev
                        nlohmann-json3-dev) ;;
    # The Windows dialog program and its tests: the same cross tools plus the
    # build machine's C++ compiler (for the resource generator), Wine's own
    # fonts (title-bar glyphs, Tahoma), a CJK font and an X server.
    windows-dialog) packages+=(cmake make ccache gcc g++ g++-mingw-w64-x86-64-posix googletest
                               wine wine64 fonts-wine fonts-wqy-microhei xvfb xauth
                               libz-mingw-w64-dev dpkg-dev libspng-dev libjpeg62-turbo-dev
                               nlohmann-json3-dev) ;;
    # A scratch Debian root to install the Debian package into.
    deb-install) packages+=(debootstrap) ;;
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
