#!/usr/bin/env bash
# The race test as a soak: the writer goes through its cuts, renames, removals, pipes and
# unreadable spells CYCLES times (default 20), each phase PHASE_MS long (default 5000), while
# the window follows it once a second. A cycle is ten phases: about 17 minutes by default.
# Prints the counts (records written, ticks, reloads, messages, rows checked, mismatches).
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

cycles="${1:-20}"
phase_ms="${2:-5000}"
tools/install-deps.sh
cmake --preset default --log-level=WARNING
cmake --build --preset default -j"$(nproc)" --target test_window_course ecrivain_course lintrace_data
# QtTest ends a test function after 300 s unless told otherwise: a cycle is ten phases, and the
# window's last ticks and checks follow the writer's end.
QTEST_FUNCTION_TIMEOUT=$((cycles * 12 * phase_ms + 120000)) \
QT_QPA_PLATFORM=offscreen LINTRACE_COURSE_TOURS="$cycles" LINTRACE_COURSE_PHASE_MS="$phase_ms" \
  build/tests_bin/test_window_course -maxwarnings 0 ecrivain_et_fenetre 2>&1 | grep -E "race:|PASS|FAIL|Loc"
