#!/usr/bin/env bash
# Benchmarks `rastrum convert` on a generated corpus: pixels per second at each
# depth, wall time against `xxd -i` over the same 16-bit binary image file, and
# peak memory on the corpus and on one four times larger.
# Usage: bench/run.sh [RUNS]   (default 5; each figure is the median of RUNS)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
build=build-bench

scripts/install-deps.sh build bench
. scripts/ccache-env.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRASTRUM_BUILD_TESTS=OFF \
  -DRASTRUM_BUILD_DIALOG=OFF -DRASTRUM_BUILD_BENCH=ON "${ccache_args[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target rastrum rastrum_make_pictures rastrum_bench_png \
  >/dev/null
rastrum=$PWD/$build/cli/rastrum
make_pictures=$PWD/$build/bench/rastrum_make_pictures
bench_png=$PWD/$build/bench/rastrum_bench_png

work=$(mktemp -d "${TMPDIR:-/tmp}/rastrum-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$make_pictures" corpus "$work/corpus"
# The same pictures as PNG, at libspng's default compression.
"$bench_png" encode "$work/corpus" "$work/png"

# Runs a command with its output discarded; prints its wall time in seconds.
wall() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

# Median, lowest and highest of a list of times.
summary() {
  tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'
}

# Each round runs every contender once, side by side, on fresh output folders,
# so a busy moment on the machine falls on all of them alike.
declare -A times
for ((round = 1; round <= runs; ++round)); do
  for depth in 24 16 8; do
    rm -rf "$work/out$depth" && mkdir "$work/out$depth"
    times[$depth]+="$(wall "$rastrum" convert --depth "$depth" --name bench \
      --out "$work/out$depth" "$work/corpus") "
  done
  rm -f "$work/xxd.c"
  times[xxd]+="$(wall xxd -i "$work/out16/bench.bin" "$work/xxd.c") "
  rm -rf "$work/outpng" && mkdir "$work/outpng"
  times[png]+="$(wall "$rastrum" convert --input any --ext png --depth 16 --name bench \
    --out "$work/outpng" "$work/png") "
  times[spng]+="$(wall "$bench_png" decode "$work/png") "
done
cmp -s "$work/out16/bench.bin" "$work/outpng/bench.bin" || echo "PNG run's binary differs" >&2

# Depth 8 stores one byte per pixel.
pixels=$(stat -c %s "$work/out8/bench.bin")
pictures=$(find "$work/corpus" -name '*.bmp' | wc -l)
corpus_mb=$(du -sm "$work/corpus" | cut -f1)

# Peak resident set size in MiB of one depth-16 run over the given folder.
peak_rss() {
  rm -rf "$work/rss" && mkdir "$work/rss"
  /usr/bin/time -f '%M' -o "$work/rss.kb" "$rastrum" convert --depth 16 --name bench \
    --out "$work/rss" "$@" >/dev/null
  awk '{ printf "%.1f\n", $1 / 1024 }' "$work/rss.kb"
}
rss1=$(peak_rss "$work/corpus")
rsspng=$(peak_rss --input any --ext png "$work/png")
rm -rf "$work/out24" "$work/out8" "$work/xxd.c"
"$make_pictures" corpus "$work/corpus4" 4
rss4=$(peak_rss "$work/corpus4")

echo
echo "Corpus: $pictures pictures, $(awk -v p="$pixels" 'BEGIN { printf "%.1f", p / 1e6 }') Mpixel," \
  "$corpus_mb MB of BMP; median of $runs runs"
printf '%-28s %8s %10s   %s\n' "" "seconds" "Mpixel/s" "(lowest-highest s)"
for depth in 24 16 8; do
  read -r s low high <<<"$(summary "${times[$depth]}")"
  printf '%-28s %8.3f %10.1f   (%.3f-%.3f)\n' "rastrum convert --depth $depth" "$s" \
    "$(awk -v p="$pixels" -v s="$s" 'BEGIN { print p / s / 1e6 }')" "$low" "$high"
  if [ "$depth" = 16 ]; then s16=$s; fi
done
read -r sxxd low high <<<"$(summary "${times[xxd]}")"
printf '%-28s %8.3f %10s   (%.3f-%.3f)\n' "xxd -i on the 16-bit .bin" "$sxxd" "" "$low" "$high"
ratio=$(awk -v a="$s16" -v b="$sxxd" 'BEGIN { printf "%.3f", a / b }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 0.1) ? "met" : "MISSED" }')
echo "Ratio rastrum 16 / xxd -i:   $ratio   (goal at most 0.100: $verdict)"
verdict=$(awk -v a="$rss1" -v b="$rss4" 'BEGIN { print (a < 64 && b < 64) ? "met" : "MISSED" }')
read -r spng low high <<<"$(summary "${times[spng]}")"
printf '%-28s %8.3f %10s   (%.3f-%.3f)\n' "libspng decode of the PNGs" "$spng" "" "$low" "$high"
read -r spng_run low high <<<"$(summary "${times[png]}")"
printf '%-28s %8.3f %10s   (%.3f-%.3f)\n' "rastrum --input any, PNG 16" "$spng_run" "" "$low" "$high"
ratio=$(awk -v a="$spng_run" -v b="$spng" -v c="$s16" 'BEGIN { printf "%.3f", a / (b + c) }')
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3) ? "met" : "MISSED" }')
echo "Ratio PNG run / (libspng decode + BMP run 16):   $ratio   (goal at most 1.3: $verdict)"
verdict=$(awk -v a="$rsspng" 'BEGIN { print (a < 64) ? "met" : "MISSED" }')
echo "Peak RSS, PNG corpus, depth 16: ${rsspng} MiB (goal under 64 MiB: $verdict)"
echo "Peak RSS, depth 16:          ${rss1} MiB on the corpus, ${rss4} MiB on 4x" \
  "(goal under 64 MiB: $verdict)"
