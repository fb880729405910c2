#!/usr/bin/env bash
# MD5 throughput against md5sum on one 256 MB file, and download throughput
# of a 64 MB body over loopback against curl from the same local server, in
# one run. Prints each figure and the ratio (ours / theirs, higher is better).
# Run by scripts/bench.sh inside its Wine session: run.sh <build folder>
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1"
ROUNDS=5

source "$ROOT/scripts/wine-env.sh"
exe="$BUILD/bin/bench_net.exe"
[ -f "$exe" ] || { echo "bench_net.exe was not built"; exit 1; }
work="$(mktemp -d)"
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
best() { sort -g | head -1; }
ratio() { awk -v theirs="$1" -v ours="$2" 'BEGIN { printf "%.2f", theirs / ours }'; }
mbps() { awk -v mb="$1" -v s="$2" 'BEGIN { printf "%.0f", mb / s }'; }

echo "== MD5 of 256 MB"
head -c 256M /dev/urandom >"$work/big.bin"
theirs_digest="$(md5sum "$work/big.bin" | cut -d' ' -f1)"
theirs="$(for _ in $(seq $ROUNDS); do
  start=$(date +%s.%N); md5sum "$work/big.bin" >/dev/null; end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
done | best)"
ours_lines="$(for _ in $(seq $ROUNDS); do wine_run "$exe" md5 "$(windows_path "$work/big.bin")"; done)"
ours="$(printf '%s\n' "$ours_lines" | awk '{ print $2 }' | best)"
ours_digest="$(printf '%s\n' "$ours_lines" | awk '{ print $3 }' | sort -u | tr -d '\r')"
[ "$ours_digest" = "$theirs_digest" ] || { echo "digests differ: $ours_digest / $theirs_digest"; exit 1; }
rm -f "$work/big.bin"
echo "md5sum   ${theirs} s  $(mbps 256 "$theirs") MB/s"
echo "FileMd5Hex ${ours} s  $(mbps 256 "$ours") MB/s"
echo "md5 ratio (ours / md5sum): $(ratio "$theirs" "$ours")   target >= 0.90"

echo "== Download of 64 MB over loopback"
mkdir -p "$work/www"
head -c 64M /dev/urandom >"$work/www/body.bin"
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 50); do curl -s -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done
url="http://127.0.0.1:$port/body.bin"
theirs="$(for _ in $(seq $ROUNDS); do
  curl -s -o "$work/curl.bin" -w '%{time_total}\n' "$url"
done | best)"
ours="$(for _ in $(seq $ROUNDS); do
  wine_run "$exe" download "$url" "$(windows_path "$work/ours.bin")" | awk '{ print $2 }'
done | best)"
cmp -s "$work/www/body.bin" "$work/ours.bin" || { echo "downloaded file differs"; exit 1; }
cmp -s "$work/www/body.bin" "$work/curl.bin" || { echo "curl's file differs"; exit 1; }
echo "curl         ${theirs} s  $(mbps 64 "$theirs") MB/s"
echo "DownloadFile ${ours} s  $(mbps 64 "$ours") MB/s"
echo "download ratio (ours / curl): $(ratio "$theirs" "$ours")   target >= 0.50"
