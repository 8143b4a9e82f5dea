#!/usr/bin/env bash
# Installs what is missing, builds Zorvic and runs the whole test suite under a private X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
bash scripts/with-xvfb.sh ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600
