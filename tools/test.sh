#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=WARNING
cmake --build build -j"$(nproc)"

# The print test needs the print service and its PDF queue.
source tools/service-impression.sh

(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

# The fuzz targets, built with clang in build-fuzz/, each run once over its seed corpus so
# that they keep building and keep passing on the inputs that once found a fault.
fuzz/run.sh --corpus
