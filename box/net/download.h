// Fetches one address into one local file, replacing it only with a
// complete copy.
#pragma once

namespace tamvelo::net {

// address: "http://host[:port]/path". The body goes into a temporary file
// in the destination's folder (whose last level is created when missing),
// which replaces the destination only when the status was 200 and exactly
// Content-Length bytes arrived; otherwise the destination is left as it
// was and the result is false. Failures of sockets and files are shown in
// message boxes; a refused response (other status, no length) is not.
bool DownloadFile(const char* address, const char* localPath);

}  // namespace tamvelo::net
