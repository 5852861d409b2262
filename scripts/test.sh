#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   linux     the suites and the dialog (in process and end to end under Xvfb);
#             under CI, the Debian package installed into a scratch Debian root
#   sanitize  the suites again under AddressSanitizer and UBSan
#   fuzz      each fuzz target for FUZZ_SECONDS (default 60)
#   windows   rastrum.exe and its suite under Wine, compared with the Linux build;
#             the zip of both programs, checked and run
#   windows-dialog  ZT_Rastrum.exe driven with window messages under Wine
# Usage: scripts/test.sh [STEP...]   (default: every step, in that order)
set -euo pipefail
cd "$(dirname "$0")/.."

steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(linux sanitize fuzz windows windows-dialog)

# Each step is a chain of && : set -e does not reach inside a function called
# on the left of ||. The windows step compares with the rastrum of this
# step's build-test when that folder is there.
linux() {
  scripts/install-deps.sh test dialog &&
    . scripts/ccache-env.sh &&
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=ON \
      -DRASTRUM_BUILD_DIALOG=ON "${ccache_args[@]}" >/dev/null &&
    cmake --build build-test -j"$(nproc)" &&
    ctest --test-dir build-test --output-on-failure -j"$(nproc)" &&
    scripts/test-deb-install.sh build-test
}

failed=()
for step in "${steps[@]}"; do
  echo "==== $step"
  case "$step" in
    linux) linux || failed+=("$step") ;;
    sanitize) scripts/test-sanitize.sh || failed+=("$step") ;;
    fuzz) scripts/test-fuzz.sh || failed+=("$step") ;;
    windows) scripts/test-windows.sh || failed+=("$step") ;;
    windows-dialog) scripts/test-windows-dialog.sh || failed+=("$step") ;;
    *) echo "test.sh: unknown step '$step'" >&2; exit 2 ;;
  esac
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "test.sh: failed: ${failed[*]}" >&2
  exit 1
fi
echo "test.sh: every step passed"
