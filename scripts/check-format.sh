#!/usr/bin/env bash
# Fails when a tracked C++ file is not as clang-format (with the committed .clang-format) writes
# it. Every file is checked, not only the changed ones: a fresh clone has nothing to compare
# with, and the whole tree takes a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
