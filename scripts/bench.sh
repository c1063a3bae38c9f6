#!/usr/bin/env bash
# Builds the native Release benchmarks with their peer libraries and runs them:
# scripts/bench.sh [benchmark name ...] (default: all). Extra Google Benchmark
# flags pass through BENCH_FLAGS.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
BENCH=1 ./scripts/deps.sh
. scripts/jobs.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(cd build/bench/bench && ls bench_* | sed 's/^bench_//'))
for n in "${names[@]}"; do
  echo "== $n"
  "build/bench/bench/bench_$n" ${BENCH_FLAGS:-}
done
