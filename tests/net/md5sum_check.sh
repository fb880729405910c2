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
exec "$emulator" "$tests" --gtest_color=no --gtest_filter='FileMd5.MatchesMd5sumOnTenMegabytes'
