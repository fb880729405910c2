// CMarkup's reading of a named skin file: through the resource store, which
// needs the platform, so it stays out of the portable parser.
#include <string>
#include <vector>

#include "duilib/UIMarkup.h"
#include "duilib/UIResource.h"

namespace DuiLib {

bool CMarkup::LoadFromFile(const char* name) {
  std::vector<BYTE> bytes;
  if (!name || !CResourceStore::LoadBytes(name, bytes)) {
    Release();
    errorMessage_ = std::string("cannot read ") + (name ? name : "(no name)");
    return false;
  }
  return LoadFromMem(bytes.data(), bytes.size());
}

}  // namespace DuiLib
