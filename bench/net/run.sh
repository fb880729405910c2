#!/usr/bin/env bash
# MD5 throughput against md5sum on one file of 256 MiB, and download
# throughput of a 4 MiB body (the largest the download takes) over loopback
# against curl fetching the same file from the same local server, in one
# run; each side the fastest of its rounds. Prints each figure and the
# ratio (ours / theirs in throughput, higher is better). Quick mode
# (TAMVELO_BENCH_QUICK): 8 MiB to hash and two rounds of everything.
# Run by scripts/bench.sh inside its Wine session: run.sh <build folder>
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1"
if [ -n "${TAMVELO_BENCH_QUICK:-}" ] && [ "$TAMVELO_BENCH_QUICK" != 0 ]; then
  MD5_MIB=8 MD5_ROUNDS=2 DOWNLOAD_ROUNDS=2
else
  MD5_MIB=256 MD5_ROUNDS=5 DOWNLOAD_ROUNDS=30
fi
DOWNLOAD_MIB=4

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
mibps() { awk -v mib="$1" -v s="$2" 'BEGIN { printf "%.1f", mib / s }'; }
# figure <name> <ours s> <theirs s> <MiB>: our throughput, ratio to theirs.
figure() {
  awk -v name="$1" -v ours="$2" -v theirs="$3" -v mib="$4" \
    'BEGIN { printf "figure %s %.1f MiB/s ratio %.2f\n", name, mib / ours, theirs / ours }'
}
# seconds of one command, to 0.1 ms
seconds_of() {
  local start end
  start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

echo "== MD5 of $MD5_MIB MiB"
head -c "${MD5_MIB}M" /dev/urandom >"$work/big.bin"
theirs_digest="$(md5sum "$work/big.bin" | cut -d' ' -f1)"
theirs="$(for _ in $(seq $MD5_ROUNDS); do seconds_of md5sum "$work/big.bin"; done | best)"
ours_line="$(wine_run "$exe" md5 "$(windows_path "$work/big.bin")" "$MD5_ROUNDS" | tr -d '\r')"
ours="$(awk '{ print $2 }' <<<"$ours_line")"
ours_digest="$(awk '{ print $3 }' <<<"$ours_line")"
[ "$ours_digest" = "$theirs_digest" ] || { echo "digests differ: $ours_digest / $theirs_digest"; exit 1; }
rm -f "$work/big.bin"
echo "figure md5_md5sum $(mibps "$MD5_MIB" "$theirs") MiB/s"
figure md5_ours "$ours" "$theirs" "$MD5_MIB"

echo "== Download of $DOWNLOAD_MIB MiB over loopback"
mkdir -p "$work/www"
head -c "${DOWNLOAD_MIB}M" /dev/urandom >"$work/www/body.bin"
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 50); do curl -s -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done
url="http://127.0.0.1:$port/body.bin"
theirs="$(for _ in $(seq $DOWNLOAD_ROUNDS); do
  curl -s -o "$work/curl.bin" -w '%{time_total}\n' "$url"
done | best)"
ours_line="$(wine_run "$exe" download "$url" "$(windows_path "$work/ours.bin")" "$DOWNLOAD_ROUNDS" | tr -d '\r')"
[ "$(awk '{ print $3 }' <<<"$ours_line")" = ok ] || { echo "DownloadFile failed: $ours_line"; exit 1; }
ours="$(awk '{ print $2 }' <<<"$ours_line")"
cmp -s "$work/www/body.bin" "$work/ours.bin" || { echo "downloaded file differs"; exit 1; }
cmp -s "$work/www/body.bin" "$work/curl.bin" || { echo "curl's file differs"; exit 1; }
echo "figure download_curl $(mibps "$DOWNLOAD_MIB" "$theirs") MiB/s"
figure download_ours "$ours" "$theirs" "$DOWNLOAD_MIB"
