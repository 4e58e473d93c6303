#!/usr/bin/env bash
# Builds the benchmarks in their own folder (build-bench/, apart from the tests' build/) and
# prints one line per figure. Figures are CPU time of the benchmark process unless a line says
# otherwise; bench_render pairs the whole lintrace-render process with gnuplot on the same file.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh --with-bench-tools
cmake --preset bench --log-level=WARNING
cmake --build --preset bench -j"$(nproc)" --target bench_parse bench_trace bench_suivi bench_render bench_tableur lintrace \
  lintrace-render lintrace_data
export QT_QPA_PLATFORM=offscreen
b=build-bench/bench_bin
$b/bench_parse
$b/bench_trace
$b/bench_suivi tick_full 5000
for n in 5000 50000 500000; do $b/bench_suivi append "$n"; done
# The window on a screen of 2 device pixels per pixel.
QT_SCALE_FACTOR=2 $b/bench_suivi tick_full 5000
QT_SCALE_FACTOR=2 $b/bench_suivi append 5000
$b/bench_suivi tick_full 500000
$b/bench_suivi start 3000000
$b/bench_suivi print 3000000
$b/bench_suivi append 3000000
$b/bench_suivi idle
bench/suivi_reel.sh build-bench
$b/bench_render
bench/rendu_longue.sh build-bench
$b/bench_tableur
$b/bench_tableur full
