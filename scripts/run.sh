#!/usr/bin/env bash
# Installs what is missing, builds Zorvic and starts it on the current X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZORVIC_BUILD_TESTS=OFF -DZORVIC_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target zorvic
exec build/bin/zorvic "$@"
