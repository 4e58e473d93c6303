#!/usr/bin/env bash
# Builds the Debian package build/package/lintrace_<version>_amd64.deb from the install rules.
#   tools/package.sh            then: sudo apt install ./build/package/lintrace_*_amd64.deb
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh
cmake --preset default --log-level=WARNING
# Only what the package holds: the tests and benchmarks are not part of it.
cmake --build --preset default -j"$(nproc)" --target lintrace lintrace-render lintrace-demo lintrace_paquet_fichiers
rm -f build/package/lintrace_*.deb
cpack --config build/CPackConfig.cmake -B build/package >build/package.log 2>&1 ||
  { cat build/package.log >&2; exit 1; }
ls build/package/lintrace_*_amd64.deb
