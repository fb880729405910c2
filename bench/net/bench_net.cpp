// Times the network code's MD5 of a file and its download of an address, for
// run.sh, which times md5sum and curl on the same inputs and prints ratios.
//   bench_net md5 <file>                 -> "md5 <seconds> <digest>"
//   bench_net download <address> <file>  -> "download <seconds> <ok|failed>"
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "box/net/download.h"
#include "box/net/file_md5.h"

namespace {

double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "md5") == 0) {
    char digest[tamvelo::net::kMd5HexBufferBytes];
    const double start = Seconds();
    tamvelo::net::FileMd5Hex(argv[2], digest);
    std::printf("md5 %.4f %s\n", Seconds() - start, digest);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "download") == 0) {
    const double start = Seconds();
    const bool ok = tamvelo::net::DownloadFile(argv[2], argv[3]);
    std::printf("download %.4f %s\n", Seconds() - start, ok ? "ok" : "failed");
    return ok ? 0 : 1;
  }
  std::printf("bench_net compares with md5sum and curl: run bash bench/net/run.sh\n");
  return 0;
}
