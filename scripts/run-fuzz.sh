#!/usr/bin/env bash
# Runs every fuzz target of a TRASOLIN_FUZZ build for a bounded time, sharing
# SECONDS out among them, and fails if any of them crashes or finds a mismatch.
#
#   scripts/run-fuzz.sh BUILD_DIR SECONDS
#
# Each target starts from its seeds in fuzz/corpus/<target>/ and from what
# earlier runs found, kept in BUILD_DIR/fuzz-corpus/<target>/. An input that
# fails is saved as BUILD_DIR/fuzz-artifacts/<target>-crash-*; rerun it with
# BUILD_DIR/fuzz/<target> <that file>.
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
total=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

targets=(field_splitter_fuzz log_reader_fuzz convert_log_fuzz)
each=$((total / ${#targets[@]}))
((each > 0)) || each=1

mkdir -p "$build/fuzz-artifacts"
failed=()
for target in "${targets[@]}"; do
  program=$build/fuzz/$target
  if [[ ! -x $program ]]; then
    echo "$program is missing: configure $build with -DTRASOLIN_FUZZ=ON and build it" >&2
    exit 2
  fi
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  echo "== $target, ${each}s"
  # -rss_limit_mb: a log line may be long, but a run needs no more than this
  log=$build/fuzz-artifacts/$target.log
  if "$program" -max_total_time="$each" -timeout=20 -rss_limit_mb=2048 -max_len=8192 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
      "$corpus" "$source_dir/fuzz/corpus/$target" > "$log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  else
    failed+=("$target")
    grep -E 'MISMATCH|ERROR|SUMMARY|Test unit written' "$log" >&2 || true
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing failed: ${failed[*]} (logs in $build/fuzz-artifacts/)" >&2
  exit 1
fi
echo "fuzzing passed"
