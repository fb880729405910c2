#!/usr/bin/env bash
# Set-up, configure, build and run every test under Wine.
# Usage: scripts/test.sh [ctest arguments...]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TAMVELO_BUILD_DIR:-$ROOT/build/test}"

bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/build.sh"
# A failed build still runs the suites that did build; the run then fails.
build_status=0
tamvelo_build "$BUILD" -DTAMVELO_BUILD_TESTS=ON "${TAMVELO_TEST_PORTAL[@]}" || build_status=$?

source "$ROOT/scripts/wine-env.sh"
trap wine_session_stop EXIT
wine_session_open "$BUILD"

# The suites share the user's data folder and registry of the prefix: run them one by one.
# A failed suite runs once more: without a window manager the display may
# deliver a late focus event that a window test did not wait for. A suite
# that fails twice fails the run.
set +e
(cd "$BUILD" && ctest --output-on-failure --no-tests=error -j1 --repeat until-pass:2 "$@")
status=$?
set -e
if [ "$build_status" -ne 0 ]; then
  echo "test: the build failed (see above)" >&2
  exit "$build_status"
fi
exit $status
