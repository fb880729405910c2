// Times the network code's MD5 of a file and its download of an address,
// each the fastest of some rounds in this one process, for run.sh, which
// times md5sum and curl on the same inputs and prints the ratios.
//   bench_net md5 <file> <rounds>                 -> "md5 <seconds> <digest>"
//   bench_net download <address> <file> <rounds>  -> "download <seconds> <ok|failed>"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/support/figures.h"
#include "box/net/download.h"
#include "box/net/file_md5.h"

namespace {

double Seconds() { return tamvelo::bench::NowMs() / 1000.0; }

int RoundsFrom(const char* text) { return std::max(1, std::atoi(text)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "md5") == 0) {
    char digest[tamvelo::net::kMd5HexBufferBytes] = {};
    double best = 1e9;
    for (int i = RoundsFrom(argv[3]); i > 0; --i) {
      const double start = Seconds();
      tamvelo::net::FileMd5Hex(argv[2], digest);
      best = std::min(best, Seconds() - start);
    }
    std::printf("md5 %.4f %s\n", best, digest);
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "download") == 0) {
    bool ok = true;
    double best = 1e9;
    for (int i = RoundsFrom(argv[4]); i > 0 && ok; --i) {
      const double start = Seconds();
      ok = tamvelo::net::DownloadFile(argv[2], argv[3]);
      best = std::min(best, Seconds() - start);
    }
    std::printf("download %.4f %s\n", best, ok ? "ok" : "failed");
    return ok ? 0 : 1;
  }
  std::printf("bench_net compares with md5sum and curl: run bash bench/net/run.sh\n");
  return 1;
}
