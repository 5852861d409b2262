# Sourced by the Windows test scripts: a throw-away Wine prefix in a fresh
# folder ($work), removed with the folder when the script exits.
# Usage: . scripts/wine-env.sh NAME
work=$(mktemp -d "/tmp/rastrum-$1.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's ANSI code page follows the locale: C.UTF-8 gives Windows-1252, and
# arguments reach the program decoded from UTF-8.
export LC_ALL=C.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== Wine prefix"
wine wineboot -i >/dev/null 2>&1
