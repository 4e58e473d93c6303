#!/usr/bin/env bash
# Builds the benchmarks and prints one "name: median X ms" line per figure; bench_render
# pairs the whole lintrace-render process with gnuplot drawing the same file.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh --with-bench-tools
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=WARNING
cmake --build build -j"$(nproc)" --target bench_parse bench_trace bench_render bench_tableur
export QT_QPA_PLATFORM=offscreen
build/bench_bin/bench_parse
build/bench_bin/bench_trace
build/bench_bin/bench_render
build/bench_bin/bench_tableur
