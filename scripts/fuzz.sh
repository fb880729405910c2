#!/usr/bin/env bash
# Builds the parsers natively with clang's sanitizers (fuzz/), runs their
# tests natively, then fuzzes each target and prints a table: executions,
# executions per second, coverage (edges) and findings.
# Usage: scripts/fuzz.sh [target|all] [seconds per target, default 60]
# A finding (crash, leak, hang, sanitizer report) of this run fails it; its
# input is kept in build/fuzz/findings/<target>/. Findings of earlier runs
# stay there but are not counted again. What a run adds to the corpus
# stays in build/fuzz/corpus/<target>/: the seed corpus under fuzz/ changes
# only by hand.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TAMVELO_FUZZ_BUILD_DIR:-$ROOT/build/fuzz}"
which="${1:-all}"
seconds="${2:-60}"

echo "== fuzz: native build in $BUILD"
CC=clang-14 CXX=clang++-14 cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$BUILD"

echo "== fuzz: the parsers' tests, natively"
"$BUILD/native_parser_tests" --gtest_brief=1

declare -a rows
found=0
ran=0
while read -r name program seeds dictionary max_len; do
  [ -n "$name" ] || continue
  if [ "$which" != all ] && [ "$which" != "$name" ]; then continue; fi
  ran=$((ran + 1))
  corpus="$BUILD/corpus/$name"
  findings="$BUILD/findings/$name"
  log="$BUILD/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  # What is in the findings folder already came from an earlier run.
  started="$BUILD/logs/$name.started"
  touch "$started"
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
           -artifact_prefix="$findings/")
  [ "$dictionary" = - ] || options+=(-dict="$dictionary")
  [ "$max_len" = - ] || options+=(-max_len="$max_len")
  echo "== fuzz: $name for $seconds s"
  set +e
  "$program" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1
  status=$?
  set -e
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  edges="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)"
  count="$(find "$findings" -type f -newer "$started" | wc -l)"
  if [ "$status" -ne 0 ] || [ "$count" -ne 0 ]; then
    found=1
    # A sanitizer report names no artifact when the process died early.
    [ "$count" -ne 0 ] || count=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 || true
    echo "fuzz: $name: finding, see $log and $findings/"
  fi
  rows+=("$(printf '%-16s %8s %12s %10s %7s %9s' "$name" "$seconds" "${executions:-?}" "${rate:-?}" "${edges:-?}" "$count")")
done <"$BUILD/targets.txt"

if [ "$ran" -eq 0 ]; then
  echo "fuzz: no target named $which; the targets are:" >&2
  cut -d' ' -f1 "$BUILD/targets.txt" >&2
  exit 2
fi

echo
printf '%-16s %8s %12s %10s %7s %9s\n' target seconds executions exec/s edges findings
printf '%s\n' "${rows[@]}"
exit $found
