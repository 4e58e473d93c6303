#!/usr/bin/env bash
# Builds everything the tests need with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ (apart from the tests' build/) and runs the whole suite there. Any report of
# either fails the test it happens in. The package test is left out: it checks packaging, and
# a package of sanitized binaries is none to check.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh
cmake --preset asan --log-level=WARNING
cmake --build --preset asan -j"$(nproc)"
source tools/service-impression.sh

# Qt, fontconfig and LibreOffice keep allocations for the life of the process on purpose;
# those are no leaks of ours (tests/support/lsan.supp), the rest are.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:abort_on_error=1"
ctest --preset asan -j"$(nproc)"
