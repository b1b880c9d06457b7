#!/usr/bin/env bash
# Runs the session fuzzer for the given number of seconds, seeded with the
# standard input of every end-to-end transcript. A finding is saved in the
# working directory and fails the run.
set -euo pipefail
fuzzer=$1
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/seeds"
for stdin in "$source_dir"/tests/e2e/*/stdin; do
  name=$(basename "$(dirname "$stdin")")
  cp "$stdin" "$work/seeds/$name"
done

"$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
  -print_final_stats=1 "$work/corpus" "$work/seeds"
