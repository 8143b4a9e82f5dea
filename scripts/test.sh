#!/usr/bin/env bash
# Installs what is missing, builds Zorvic and runs the whole test suite under a private X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Cheap checks first: the committed formatting, and folders that include only from folders before
# them.
bash scripts/check-format.sh
bash scripts/check-layers.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
bash scripts/with-xvfb.sh ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

# The BMP tests, and each fuzz target for a short run on its seeds, under AddressSanitizer and
# UndefinedBehaviorSanitizer: a clang build of only what they need (docs/fuzzing.md).
cmake -S . -B build-fuzz -DZORVIC_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target zorvic_fuzzing
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)" --timeout 600
