#!/usr/bin/env bash
# Installs the Debian package made from the build BUILD with apt-get into a
# fresh minimal Debian root (debootstrap), where only the package's Depends
# bring its libraries; there runs the installed rastrum (--version, and a
# conversion of samples/bmp compared with the build's own rastrum's), checks
# that the installed programs find every library they link, removes the
# package and checks that its files are gone. It installs debootstrap and
# fetches a Debian base system, so it runs only under CI (CI=true, as root):
# anywhere else it says it skipped and exits 0.
# Usage: scripts/test-deb-install.sh BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:?usage: scripts/test-deb-install.sh BUILD}

if [ "${CI:-}" != true ] || [ "$(id -u)" -ne 0 ]; then
  echo "test-deb-install: skipped: it installs packages, which only a CI run (CI=true, as root) does"
  exit 0
fi
scripts/install-deps.sh deb-install

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/rastrum_${version}_$(dpkg --print-architecture).deb
cmake --build "$build" --target deb >/dev/null
[ -f "$deb" ] || { echo "test-deb-install: the target deb made no $deb" >&2; exit 1; }

# The scratch root is a plain folder: nothing is mounted in it once
# debootstrap has finished, and --one-file-system keeps the removal inside it.
work=$(mktemp -d /tmp/rastrum-deb-install.XXXXXX)
trap 'rm -rf --one-file-system "$work"' EXIT
root=$work/root
# The Debian release and mirror of this machine's own apt sources.
. /etc/os-release
mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
  awk '/^Types:/ { deb = / deb( |$)/ } deb && /^URIs:/ { print $2; exit }')
if [ -z "$mirror" ]; then
  mirror=$(awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { print $i; exit } }' \
    /etc/apt/sources.list 2>/dev/null)
fi
[ -n "$mirror" ] || { echo "test-deb-install: no Debian mirror in this machine's apt sources" >&2; exit 1; }

# Every command has a time limit, so a stalled download fails the test
# instead of holding up the whole CI run.
in_root() {
  timeout 600 chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
# Runs a command, its output kept in a log that is shown when it fails.
logged() {
  local what=$1
  shift
  "$@" >"$work/$what.log" 2>&1 || {
    tail -n 40 "$work/$what.log" >&2
    echo "test-deb-install: $what failed" >&2
    exit 1
  }
}

echo "== A minimal Debian $VERSION_CODENAME root"
logged debootstrap timeout 900 debootstrap --variant=minbase "$VERSION_CODENAME" "$root" "$mirror"
echo "== apt-get install ./$(basename "$deb") (${SECONDS}s so far)"
cp "$deb" "$root/tmp/"
logged "apt-get update" in_root apt-get update -q
logged "apt-get install" in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

said=$(in_root /usr/bin/rastrum --version) || fail "the installed rastrum --version"
[ "$said" = "$version" ] || fail "the installed rastrum says '$said', not $version"
for program in $(in_root dpkg-query -L rastrum | grep '^/usr/bin/'); do
  missing=$(in_root ldd "$program" | awk '/not found/ { printf " %s", $1 }')
  [ -z "$missing" ] || fail "$program lacks libraries the package does not depend on:$missing"
done

# The same conversion with the installed rastrum and with the build's.
mkdir -p "$root/tmp/run" "$work/reference"
cp -r samples/bmp "$root/tmp/run/"
cp -r samples/bmp "$work/reference/"
in_root sh -c 'cd /tmp/run && rastrum convert --depth 16 --name out bmp' >"$root/tmp/run/stdout.txt" ||
  fail "the installed rastrum's conversion of samples/bmp"
(cd "$work/reference" && "$repo/$build/cli/rastrum" convert --depth 16 --name out bmp >stdout.txt) ||
  fail "the build's conversion of samples/bmp"
for file in out.bin out.txt tmp.txt bmp.c stdout.txt; do
  cmp -s "$root/tmp/run/$file" "$work/reference/$file" ||
    fail "$file of the installed rastrum differs from the build's"
done

files=$(in_root sh -c 'dpkg-query -L rastrum | while read -r f; do [ -d "$f" ] || echo "$f"; done')
echo "== apt-get remove rastrum ($(echo "$files" | wc -l) files; ${SECONDS}s so far)"
logged "apt-get remove" in_root apt-get remove -y -q rastrum
if in_root dpkg-query -W -f='${Status}' rastrum 2>/dev/null | grep -q 'ok installed'; then
  fail "rastrum is still installed after apt-get remove"
fi
for file in $files; do
  [ ! -e "$root$file" ] || fail "$file is left after apt-get remove"
done

if [ "$failures" -ne 0 ]; then
  echo "test-deb-install: $failures check(s) failed" >&2
  exit 1
fi
echo "test-deb-install: installed, ran, converted samples/bmp and removed cleanly in ${SECONDS}s"
