# Runs benchmarks of a build folder inside one Wine session and counts them.
# Source it after wine-env.sh, then: bench_run_all <build> <arch> [names...]
# (default: every bench_* target). Each benchmark prints its figures as
#   figure <name> <value> <unit> [ratio <value>]
# One that ends with a failure or prints no figure is reported and counted;
# the others still run. The last line counts them; the status is 1 when one
# failed. TAMVELO_BENCH_QUICK=1 asks every benchmark for few rounds and
# small files: a check that each one still runs, with no timing asserted.
# Set `trap wine_session_stop EXIT` before calling it.

# The bench_* targets of a build folder, one a line.
bench_names() {
  (cd "$1" && ninja -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): phony$/\1/p' | sort -u)
}

bench_run_all() {
  local build="$1" arch="$2"; shift 2
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  local names=("$@")
  if [ ${#names[@]} -eq 0 ]; then mapfile -t names < <(bench_names "$build"); fi
  if [ ${#names[@]} -eq 0 ]; then
    echo "bench: no benchmarks"
    return 1
  fi
  wine_session_open "$build" "$arch"
  local name log status figures ran=0 failed=0 failures=()
  log="$(mktemp)"
  for name in "${names[@]}"; do
    echo "== $name ($arch${TAMVELO_BENCH_QUICK:+, quick})"
    set +e
    # A benchmark with a script of its own runs it inside this Wine session.
    if [ -f "$root/bench/${name#bench_}/run.sh" ]; then
      bash "$root/bench/${name#bench_}/run.sh" "$build" 2>&1 | tee "$log"
    else
      (cd "$build/bin" && wine_run "$name.exe" "$build" 2>&1 | iconv -f GBK -t UTF-8) | tee "$log"
    fi
    status=${PIPESTATUS[0]}
    set -e
    figures="$(grep -c '^figure ' "$log" || true)"
    ran=$((ran + 1))
    if [ "$status" -ne 0 ] || [ "$figures" -eq 0 ]; then
      failed=$((failed + 1))
      failures+=("$name")
      echo "bench: $name FAILED: exit status $status, $figures figures"
    fi
  done
  rm -f "$log"
  wine_session_close
  echo "bench: $ran benchmarks ran, $((ran - failed)) passed, $failed failed${failures[*]:+: ${failures[*]}}"
  [ "$failed" -eq 0 ]
}
