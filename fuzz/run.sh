#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan) in build-fuzz/ and runs them.
#   fuzz/run.sh --corpus       each target once over its seed corpus (what tools/test.sh does)
#   fuzz/run.sh SECONDS [NAME] each target (or NAME alone) for SECONDS of fuzzing, then the
#                              executions per target and in all
# A finding stops its target; the input that did it is left in build-fuzz/findings/. Keep it
# as a regression test in the suite and among the seeds in fuzz/corpus/NAME/.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

mode="${1:---corpus}"
seule="${2:-}"
cmake --preset fuzz --log-level=WARNING >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null

# Qt is not instrumented: leaks it keeps for the life of the process are no findings.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cibles=()
for src in fuzz/fuzz_*.cpp; do
  nom="$(basename "$src" .cpp)"
  nom="${nom#fuzz_}"
  [ -z "$seule" ] || [ "$seule" = "$nom" ] && cibles+=("$nom")
done

if [ "$mode" = "--corpus" ]; then
  for nom in "${cibles[@]}"; do
    if ! build-fuzz/fuzz_"$nom" fuzz/corpus/"$nom"/* >build-fuzz/"$nom".log 2>&1; then
      cat build-fuzz/"$nom".log >&2
      echo "fuzz: $nom fails on its corpus" >&2
      exit 1
    fi
  done
  echo "fuzz: ${#cibles[@]} targets ran over their corpora, no finding"
  exit 0
fi

[[ "$mode" =~ ^[0-9]+$ ]] || { echo "usage: fuzz/run.sh --corpus | SECONDS [NAME]" >&2; exit 2; }
mkdir -p build-fuzz/findings
total=0
echec=0
for nom in "${cibles[@]}"; do
  travail=build-fuzz/corpus-"$nom"
  mkdir -p "$travail"
  cp -n fuzz/corpus/"$nom"/* "$travail"/ 2>/dev/null || true
  statut=0
  build-fuzz/fuzz_"$nom" "$travail" -max_total_time="$mode" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$nom"- >build-fuzz/"$nom".log 2>&1 || statut=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' build-fuzz/"$nom".log | tail -1)"
  runs="${runs:-0}"
  total=$((total + runs))
  if [ "$statut" -ne 0 ]; then
    echec=1
    echo "$nom: FINDING after $runs executions, see build-fuzz/$nom.log and build-fuzz/findings/"
  else
    echo "$nom: $runs executions in $mode s, no finding"
  fi
done
echo "total: $total executions"
exit "$echec"
