// The copy-data records between tamvelo-box and tamvelo-tab as bytes: their
// kinds, how the senders lay them out and how a receiver reads them. Free
// of Windows types: common/protocol.h wraps these in COPYDATASTRUCT.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamvelo::protocol {

// COPYDATASTRUCT::dwData: as wide as a window handle.
using RecordKind = std::uintptr_t;

// Record kinds are per receiver.
enum HostRecordKind : RecordKind {  // main program -> tab host window
  CopyDataCookiesAndUrl = 1,        // ANSI "cookies||address"
  CopyDataUrl = 2,                  // ANSI "address"
};
// Between the cookies and the address of a CopyDataCookiesAndUrl record.
inline constexpr char kCookiesAddressSeparator[] = "||";
enum MainRecordKind : RecordKind {  // tab process / second instance -> main window
  CopyDataOpenTab = 0,              // UTF-16 address of a new-window request
  CopyDataActivate = 1,             // no data: bring the main window back
  CopyDataTabTitle = 2,             // kinds >= 2: the sender's host window handle
};

// A record as sent: its kind, its bytes and the count it announces, which
// never exceeds the bytes held.
struct RecordBytes {
  RecordKind kind = 0;
  std::vector<char> bytes;
  size_t byteCount = 0;
};

// The first record to a new tab. cookieQuerySize is the size that the cookie
// size query reported (0 without cookies); cookieText is what the second query
// read. A text longer than 2 bytes gives CopyDataCookiesAndUrl
// ("cookies||address"), otherwise CopyDataUrl ("address"). The byte count is
// cookieQuerySize + strlen(address) + 2 in both cases; the buffer is zero
// filled to cover it.
RecordBytes GameRecordBytes(const std::string& cookieText, std::uint32_t cookieQuerySize,
                            const std::string& address);

// Tab process -> main window: the UTF-16 units and their terminator.
RecordBytes OpenTabRecordBytes(std::u16string_view address);
RecordBytes TabTitleRecordBytes(RecordKind hostWindow, std::u16string_view title);

// Reading a received record. Records come from other processes and may lack
// their terminator: the text ends at the first NUL or after byteCount bytes,
// whichever comes first; nothing past byteCount is read, and the data need
// not be aligned. No data or byteCount 0 gives nullopt. For UTF-16, an odd
// last byte is ignored.
std::optional<std::string> ReadRecordText(const void* data, size_t byteCount);
std::optional<std::u16string> ReadRecordText16(const void* data, size_t byteCount);

}  // namespace tamvelo::protocol
