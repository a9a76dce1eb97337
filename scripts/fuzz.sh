#!/usr/bin/env bash
# Runs every libFuzzer target of build/fuzz for a bounded time, starting from
# the seed corpus beside its source. Fails on the first finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shopt -s nullglob
found=0
for bin in build/fuzz/*/*_fuzzer build/fuzz/*/*/*_fuzzer; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin")
  seeds=$(find . -path ./build -prune -o -type d -name "${name%_fuzzer}_corpus" -print | head -n 1)
  work=$(mktemp -d)
  [ -n "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "-- $name (${seconds}s)"
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -print_final_stats=0 -artifact_prefix="build/fuzz/${name}-" "$work" 2>"build/fuzz/${name}.log"; then
    tail -n 40 "build/fuzz/${name}.log"
    echo "fuzz: $name found a fault" >&2
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE' "build/fuzz/${name}.log" | tail -n 1 || true
  rm -rf "$work"
  found=$((found + 1))
done
echo "fuzz: $found target(s) ran without a finding"
