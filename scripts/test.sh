#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: every test
# (the end-to-end walkthrough on Xvfb included), then every test again under
# AddressSanitizer + UndefinedBehaviorSanitizer + LeakSanitizer, then each
# fuzzer for a bounded time (FUZZ_SECONDS, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPW_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== Build and test under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPW_SANITIZE=ON -DPW_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
(cd build-sanitize && ctest --output-on-failure -j"$jobs")

echo "== Fuzz"
scripts/fuzz.sh
