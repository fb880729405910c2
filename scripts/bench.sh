#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine, printing their figures.
# They run on the 32-bit product where this machine can execute it,
# otherwise on the x86_64 build; the first line says which.
# Usage: scripts/bench.sh [bench_name ...]   (default: every bench_* target)
# Build folder: <TAMVELO_BUILD_DIR or build/bench>/<architecture>.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
source "$ROOT/scripts/wine-env.sh"
ARCH="$(wine_preferred_arch)"
BUILD="${TAMVELO_BUILD_DIR:-$ROOT/build/bench}/$ARCH"
echo "bench: architecture $ARCH"
tamvelo_build "$BUILD" "$ARCH" -DTAMVELO_BUILD_TESTS=ON "${TAMVELO_TEST_PORTAL[@]}"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  mapfile -t names < <(cd "$BUILD" && ninja -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): phony$/\1/p' | sort -u)
fi
[ ${#names[@]} -gt 0 ] || { echo "bench: no benchmarks"; exit 0; }
cmake --build "$BUILD" --target "${names[@]}"

trap wine_session_stop EXIT
wine_session_open "$BUILD" "$ARCH"
for name in "${names[@]}"; do
  echo "== $name ($ARCH)"
  # A benchmark with a script of its own runs it inside this Wine session.
  if [ -f "$ROOT/bench/${name#bench_}/run.sh" ]; then
    bash "$ROOT/bench/${name#bench_}/run.sh" "$BUILD"
  else
    (cd "$BUILD/bin" && wine_run "$name.exe" "$BUILD" 2>&1 | iconv -f GBK -t UTF-8)
  fi
done
