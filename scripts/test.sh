#!/usr/bin/env bash
# Set-up, then for each architecture: configure, build and run every test
# under Wine, and build every benchmark; on x86_64 every benchmark then runs
# once in its quick mode, which asserts no timing and fails only when one
# does not run to the end or prints no figure. x86_64 always runs
# (64-bit Wine, win64 prefix); i686 runs (32-bit Wine, win32 prefix) where
# this machine can execute 32-bit programs, and is only built elsewhere.
# Usage: scripts/test.sh [ctest arguments...]
# Build folders: <TAMVELO_BUILD_DIR or build/test>/<architecture>.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${TAMVELO_BUILD_DIR:-$ROOT/build/test}"

# The include graph of box/ first: a cycle fails the run before any build.
echo "== test: include graph between the folders of box/"
bash "$ROOT/scripts/include_graph.sh"

bash "$ROOT/scripts/setup.sh"
failed=0

# The parsers natively, with sanitizers: their tests, then each fuzz target
# for a short smoke run. A finding fails the run.
fuzz_status=0
bash "$ROOT/scripts/fuzz.sh" all "${TAMVELO_FUZZ_SMOKE_SECONDS:-15}" || fuzz_status=$?
if [ "$fuzz_status" -ne 0 ]; then failed=1; fi
source "$ROOT/scripts/build.sh"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/bench-run.sh"
trap wine_session_stop EXIT

declare -A outcome reruns
passed_suites=0
rerun_suites=0
failed_suites=0
skipped_suites=0
bench_outcome="not run"

# The number of suites in a build folder, for the closing count.
suite_count() { (cd "$1" && ctest -N "${@:2}" | sed -n 's/^Total Tests: //p'); }

# ctest's closing line, or a note that there was none.
ctest_summary() { grep -E 'tests passed|No tests were found' "$1" | tail -1 || echo "ctest printed no result"; }

# The suites of a ctest log that failed a try and then passed, one a line:
# ctest prints a status line for every try, the last one counts.
rerun_passes() {
  awk '/Test +#[0-9]+: / {
         name = $0; sub(/.*Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
         if ($0 ~ / Passed +[0-9.]+ sec/) last[name] = "passed"; else { last[name] = "failed"; failed[name] = 1 }
       }
       END { for (name in failed) if (last[name] == "passed") print name }' "$1" | sort
}

for arch in x86_64 i686; do
  build="$BUILD_ROOT/$arch"
  echo "== test: $arch: build in $build"
  # A failed build still runs the suites that did build; the run then fails.
  build_status=0
  tamvelo_build "$build" "$arch" -DTAMVELO_BUILD_TESTS=ON "${TAMVELO_TEST_PORTAL[@]}" || build_status=$?
  # Every benchmark is compiled too (scripts/bench.sh runs them).
  echo "== test: $arch: build the benchmarks"
  cmake --build "$build" --target benchmarks -- -k 0 || build_status=$?
  build_note=""
  if [ "$build_status" -ne 0 ]; then
    build_note="; the build failed (see above)"
    failed=1
  fi

  if ! wine_arch_runs "$arch"; then
    count="$(suite_count "$build" "$@" 2>/dev/null || echo 0)"
    skipped_suites=$((skipped_suites + count))
    if [ "$arch" = x86_64 ]; then
      # 64-bit Wine is what every machine of this project runs on.
      outcome[$arch]="FAILED: cannot run: $WINE_ARCH_PROBLEM$build_note"
      failed=1
    else
      outcome[$arch]="built; run of its $count suites skipped: $WINE_ARCH_PROBLEM$build_note"
    fi
    echo "test: $arch: ${outcome[$arch]}"
    continue
  fi

  wine_session_open "$build" "$arch"
  log="$build/ctest.log"
  # The suites share the user's data folder and registry of the prefix: run
  # them one by one. A failed suite runs once more: without a window manager
  # the display may deliver a late focus event that a window test did not
  # wait for. A suite that fails twice fails the run.
  set +e
  (cd "$build" && ctest --output-on-failure --no-tests=error -j1 --repeat until-pass:2 "$@") 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  wine_session_close

  summary="$(ctest_summary "$log")"
  total="$(sed -n 's/.* out of \([0-9]*\)$/\1/p' <<<"$summary")"
  bad="$(sed -n 's/.*, \([0-9]*\) tests\{0,1\} failed out of.*/\1/p' <<<"$summary")"
  if [ -n "$total" ] && [ -n "$bad" ]; then
    passed_suites=$((passed_suites + total - bad))
    failed_suites=$((failed_suites + bad))
  fi
  if [ "$status" -ne 0 ]; then failed=1; fi
  mapfile -t flaky < <(rerun_passes "$log")
  rerun_suites=$((rerun_suites + ${#flaky[@]}))
  reruns[$arch]="${flaky[*]}"
  if [ "$status" -eq 0 ] && [ "$build_status" -eq 0 ]; then
    outcome[$arch]="passed: $summary ($WINEARCH prefix)"
  else
    outcome[$arch]="FAILED: $summary ($WINEARCH prefix)$build_note"
  fi

  if [ "$arch" = x86_64 ]; then
    echo "== test: $arch: every benchmark once, in quick mode"
    bench_log="$build/bench-quick.log"
    set +e
    TAMVELO_BENCH_QUICK=1 bench_run_all "$build" "$arch" 2>&1 | tee "$bench_log"
    bench_status=${PIPESTATUS[0]}
    set -e
    bench_outcome="$(grep '^bench: [0-9]* benchmarks ran' "$bench_log" | tail -1 || echo "bench: no count printed")"
    if [ "$bench_status" -ne 0 ]; then
      failed=1
      bench_outcome="FAILED: $bench_outcome"
    fi
  fi
done

echo
echo "== test: results by architecture"
for arch in x86_64 i686; do
  echo "test: $arch: ${outcome[$arch]}"
  if [ -n "${reruns[$arch]:-}" ]; then echo "test: $arch: passed only on a rerun: ${reruns[$arch]}"; fi
done
echo "test: x86_64: quick benchmarks: ${bench_outcome#bench: }"
echo "test: $passed_suites passed, $failed_suites failed, $skipped_suites skipped, $rerun_suites passed on a rerun"
if [ "$fuzz_status" -ne 0 ]; then echo "test: FAILED: the native parser tests or the fuzz smoke (see above)"; fi
exit $failed
