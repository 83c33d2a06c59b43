#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60), seeded with the program's records and pictures
# and with JPEG files complete, with trailers and cut short.
# Any crash, hang, leak or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPW_BUILD_FUZZ=ON \
  -DPW_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target set_properties_fuzzer picture_fuzzer fuzz_seeds artwork

corpus=build-fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus/records" "$corpus/pictures"
build-fuzz/fuzz/fuzz_seeds "$corpus/records" "$corpus/pictures"
cp build-fuzz/picture-wizard/Resources/*.jpg "$corpus/pictures/"

export QT_QPA_PLATFORM=offscreen
for target in set_properties_fuzzer:records picture_fuzzer:pictures; do
  name=${target%%:*}
  echo "== $name for ${seconds}s"
  build-fuzz/fuzz/"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$corpus/${target##*:}" 2>&1 | tail -n 12
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$name failed"; exit 1; }
done
