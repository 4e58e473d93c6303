#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh
cmake --preset default --log-level=WARNING
cmake --build --preset default -j"$(nproc)"

# The print test needs the print service and its PDF queue.
source tools/service-impression.sh

ctest --preset default -j"$(nproc)"

# The fuzz targets, built with clang in build-fuzz/, each run once over its seed corpus so
# that they keep building and keep passing on the inputs that once found a fault.
fuzz/run.sh --corpus
