// Stands in for a tab program that outlives the box: opens a file without
// sharing it, as a running program holds its own executable, keeps it for
// the given milliseconds and then lets it go.
// Usage: hold-file <path> <milliseconds>
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int main() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 2;
  const HANDLE file = CreateFileW(arguments[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(static_cast<DWORD>(std::wcstoul(arguments[2], nullptr, 10)));
  CloseHandle(file);
  return 0;
}
