#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60), seeded with the program's records and pictures
# and with JPEG files complete, with trailers, cut short and costly.
# Any crash, hang, leak or sanitizer report fails. The picture fuzzer's limits
# follow the decoder's own: one decode may take 456 MiB (output and working
# memory), which with the process, Qt and the sanitizers' shadow stays under
# 768 MB (a 64 Mpx progressive CMYK file used to take 800 MB alone); and no
# file may keep it busier than the largest genuine picture, about a second
# here, where a band sent again 10,000 times took 44 s.
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
# target:corpus:per-input timeout in seconds:RSS limit in MB
for target in set_properties_fuzzer:records:10:2048 picture_fuzzer:pictures:5:768; do
  IFS=: read -r name folder timeout rss <<<"$target"
  echo "== $name for ${seconds}s"
  build-fuzz/fuzz/"$name" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb="$rss" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$corpus/$folder" 2>&1 | tail -n 12
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$name failed"; exit 1; }
done
