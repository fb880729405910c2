#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine, printing their figures.
# Usage: scripts/bench.sh [bench_name ...]   (default: every bench_* target)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TAMVELO_BUILD_DIR:-$ROOT/build/bench}"

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
tamvelo_build "$BUILD" -DTAMVELO_BUILD_TESTS=ON "${TAMVELO_TEST_PORTAL[@]}"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  mapfile -t names < <(cd "$BUILD" && ninja -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): phony$/\1/p' | sort -u)
fi
[ ${#names[@]} -gt 0 ] || { echo "bench: no benchmarks"; exit 0; }
cmake --build "$BUILD" --target "${names[@]}"

source "$ROOT/scripts/wine-env.sh"
trap wine_session_stop EXIT
wine_session_open "$BUILD"
for name in "${names[@]}"; do
  echo "== $name"
  if [ -f "$ROOT/bench/${name#bench_}/run.sh" ]; then
    bash "$ROOT/bench/${name#bench_}/run.sh" "$BUILD"
  else
    (cd "$BUILD/bin" && wine "$name.exe" "$BUILD" 2>&1 | iconv -f GBK -t UTF-8)
  fi
done
