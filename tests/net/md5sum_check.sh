#!/usr/bin/env bash
# Runs the file-digest test on a 10 MB file of random bytes whose digest
# md5sum computes here, on the Linux side.
# Usage: md5sum_check.sh <wine-run.sh> <net_tests.exe>
set -euo pipefail
emulator="$1"
tests="$2"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
head -c 10485760 /dev/urandom >"$folder/ten.bin"
TAMVELO_MD5_FILE="Z:$(printf '%s' "$folder/ten.bin" | tr / '\\')"
TAMVELO_MD5_EXPECTED="$(md5sum "$folder/ten.bin" | cut -d' ' -f1)"
export TAMVELO_MD5_FILE TAMVELO_MD5_EXPECTED
status=0
output="$("$emulator" "$tests" --gtest_color=no --gtest_filter='FileMd5.MatchesMd5sumOnTenMegabytes' 2>&1)" || status=$?
printf '%s\n' "$output"
[ "$status" -eq 0 ] || exit "$status"
# A test that skipped, because the file never reached it, proves nothing.
if grep -q '^\[  SKIPPED \]' <<<"$output" || ! grep -q '^\[  PASSED  \] 1 test' <<<"$output"; then
  echo "md5sum: the digest test did not run" >&2
  exit 1
fi
