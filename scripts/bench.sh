#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine, printing their figures.
# They run on the 32-bit product where this machine can execute it,
# otherwise on the x86_64 build; the first line says which.
# Every benchmark runs, also after one failed; the last line counts them and
# the status is 1 when one failed (scripts/bench-run.sh). TAMVELO_BENCH_QUICK=1
# gives the short run that scripts/test.sh makes.
# Usage: scripts/bench.sh [bench_name ...]   (default: every bench_* target)
# Build folder: <TAMVELO_BUILD_DIR or build/bench>/<architecture>.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/bench-run.sh"
ARCH="$(wine_preferred_arch)"
BUILD="${TAMVELO_BUILD_DIR:-$ROOT/build/bench}/$ARCH"
echo "bench: architecture $ARCH"
tamvelo_build "$BUILD" "$ARCH" -DTAMVELO_BUILD_TESTS=ON "${TAMVELO_TEST_PORTAL[@]}"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then mapfile -t names < <(bench_names "$BUILD"); fi
[ ${#names[@]} -gt 0 ] || { echo "bench: no benchmarks"; exit 1; }
cmake --build "$BUILD" --target "${names[@]}"

trap wine_session_stop EXIT
bench_run_all "$BUILD" "$ARCH" "${names[@]}"
