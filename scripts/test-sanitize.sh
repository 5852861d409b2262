#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in its own folder and runs it. Any out-of-bounds
# access, leak or undefined behaviour fails the test that caused it.
# clang is used when present (GCC's -Wmaybe-uninitialized misfires under
# -fsanitize=address); set CC and CXX to choose another compiler.
# Usage: scripts/test-sanitize.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test fuzz
if [ -z "${CXX:-}" ] && command -v clang++ >/dev/null; then
  export CC=clang CXX=clang++
fi
build=build-asan
. scripts/ccache-env.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRASTRUM_SANITIZE=ON \
  -DRASTRUM_BUILD_TESTS=ON "${ccache_args[@]}" "$@" >/dev/null
cmake --build "$build" -j2
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure -j2
