#!/usr/bin/env bash
# Runs one fuzz target for a short time on its committed seeds: run-briefly.sh TARGET SEEDS WORK
# SECONDS. New inputs go to the scratch folder WORK, never into the seeds.
set -euo pipefail
target=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work"
exec "$target" -max_total_time="$seconds" -max_len=2048 -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" -print_final_stats=1 "$work" "$seeds"
