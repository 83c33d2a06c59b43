#!/usr/bin/env bash
# Installs what is missing, builds a Release tree (build-bench) and runs every
# benchmark: each figure beside its floor, then a table of ratios and goals.
# Arguments go to the benchmark driver (e.g. --benchmark_filter=PageTransitions).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DPW_BUILD_TESTS=OFF -DPW_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target pw_bench
exec build-bench/bench/pw_bench "$@"
