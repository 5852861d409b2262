#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes each one for a bounded time
# (FUZZ_SECONDS; default 60, and 30 for each picture-format source, so the
# step stays near six minutes) from the seed corpus in fuzz/corpus. Fails when
# any target crashes, leaks, trips a sanitizer or breaks one of its checks.
# Usage: scripts/test-fuzz.sh [TARGET...]   (default: every target)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh fuzz
build=build-fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(intake_fuzzer picture_fuzzer extension_list_fuzzer
  text_encoding_fuzzer bmp_any_fuzzer png_fuzzer jpeg_fuzzer)

. scripts/ccache-env.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRASTRUM_FUZZ=ON -DRASTRUM_SANITIZE=ON -DRASTRUM_BUILD_TESTS=OFF -DRASTRUM_BUILD_DIALOG=OFF \
  "${ccache_args[@]}" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

# The picture target writes five files per execution: keep them in memory.
scratch="${TMPDIR:-}"
if [ -z "$scratch" ]; then
  scratch=/tmp
  [ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
fi

status=0
for target in "${targets[@]}"; do
  case "$target" in
    bmp_any_fuzzer | png_fuzzer | jpeg_fuzzer) seconds="${FUZZ_SECONDS:-30}" ;;
    *) seconds="${FUZZ_SECONDS:-60}" ;;
  esac
  seeds="fuzz/corpus/${target%_fuzzer}"
  # New inputs go to a scratch corpus, so the seeds in the tree stay small.
  corpus="$build/corpus/${target%_fuzzer}"
  artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds}s from $seeds"
  if ! TMPDIR="$scratch" "$build/fuzz/$target" "$corpus" "$seeds" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -artifact_prefix="$artifacts" \
      2> "$build/$target.log"; then
    echo "FAILED: $target (crash input in $artifacts; log in $build/$target.log)" >&2
    tail -n 40 "$build/$target.log" >&2
    status=1
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^#[0-9]+[[:space:]]+DONE' \
      "$build/$target.log" || true
  fi
done
exit $status
