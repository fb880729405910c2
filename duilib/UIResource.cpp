#include "duilib/UIResource.h"


#include "duilib/UIMarkup.h"
#include "duilib/UIZip.h"

namespace DuiLib {
namespace {

// Skin files are small; anything bigger is not a skin file.
constexpr DWORD kMaxFileBytes = 64u << 20;

struct StoreState {
  std::string path;
  int type = UILIB_FILE;
  CZipArchive zip;
  unsigned generation = 0;
};

StoreState& State() {
  static StoreState state;
  return state;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAbsolute(const char* name) {
  const bool drive = ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')) && name[1] == ':';
  return drive || (IsSeparator(name[0]) && IsSeparator(name[1]));
}

// Backslashes throughout and no doubled separators ("xml//main.xml"), except
// the two that open a network path; double-byte characters are kept whole.
std::string TidyPath(const std::string& path) {
  std::string tidy;
  for (size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
      tidy += c;
      tidy += path[++i];
    } else if (IsSeparator(c)) {
      if (i < 2 || tidy.empty() || tidy.back() != '\\') tidy += '\\';
    } else {
      tidy += c;
    }
  }
  return tidy;
}

bool ReadDiskFile(const std::string& path, std::vector<BYTE>& out) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxFileBytes;
  if (ok) {
    out.resize(size);
    DWORD read = 0;
    ok = size == 0 || (ReadFile(file, out.data(), size, &read, nullptr) && read == size);
  }
  CloseHandle(file);
  if (!ok) out.clear();
  return ok;
}

bool NameIs(const char* actual, const char* expected) { return lstrcmpiA(actual, expected) == 0; }

}  // namespace

void CResourceStore::SetResourcePath(const char* path) {
  std::string p = path ? path : "";
  if (!p.empty() && !IsSeparator(p.back())) p += '\\';
  State().path = p;
  NoteChange();
}

const char* CResourceStore::GetResourcePath() { return State().path.c_str(); }

void CResourceStore::SetResourceType(int type) { State().type = type; }

int CResourceStore::GetResourceType() { return State().type; }

bool CResourceStore::SetResourceZip(const void* data, unsigned size, const char* /*password*/) {
  StoreState& s = State();
  const bool ok = s.zip.Open(static_cast<const BYTE*>(data), size);
  NoteChange();
  return ok;
}

void CResourceStore::ClearResourceZip() {
  State().zip.Close();
  NoteChange();
}

bool CResourceStore::HasZip() { return State().zip.IsOpen(); }

std::string CResourceStore::DiskPath(const char* name) {
  if (!name) return std::string();
  return TidyPath(IsAbsolute(name) ? std::string(name) : State().path + name);
}

bool CResourceStore::LoadBytes(const char* name, std::vector<BYTE>& out) {
  out.clear();
  if (!name || !*name) return false;
  if (HasZip() && !IsAbsolute(name)) return State().zip.Extract(name, out);
  return ReadDiskFile(DiskPath(name), out);
}

unsigned CResourceStore::GetGeneration() { return State().generation; }

void CResourceStore::NoteChange() { ++State().generation; }

CResourceManager* CResourceManager::GetInstance() {
  static CResourceManager instance;
  return &instance;
}

bool CResourceManager::LoadResource(const char* xmlOrName, const char* /*type*/) {
  if (!xmlOrName) return false;
  const char* first = xmlOrName;
  while (*first == ' ' || *first == '\t' || *first == '\r' || *first == '\n') ++first;
  CMarkup markup;
  const bool loaded = *first == '<' ? markup.Load(xmlOrName) : markup.LoadFromFile(xmlOrName);
  if (!loaded || !NameIs(markup.GetRoot().GetName(), "Res")) return false;
  for (CMarkupNode node = markup.GetRoot().GetChild(); node.IsValid(); node = node.GetSibling()) {
    const char* kind = node.GetName();
    const bool isText = NameIs(kind, "Text");
    Map* map = NameIs(kind, "Image") ? &images_ : NameIs(kind, "Xml") ? &xmls_ : isText ? &texts_ : nullptr;
    const char* keyAttribute = isText ? "id" : "name";
    if (!map || !node.HasAttribute(keyAttribute) || !node.HasAttribute("value")) continue;
    (*map)[node.GetAttributeValue(keyAttribute)] = node.GetAttributeValue("value");
  }
  CResourceStore::NoteChange();
  return true;
}

const char* CResourceManager::Lookup(const Map& map, const char* key) {
  if (!key) return nullptr;
  const auto found = map.find(key);
  return found == map.end() ? nullptr : found->second.c_str();
}

const char* CResourceManager::GetImagePath(const char* name) const { return Lookup(images_, name); }

const char* CResourceManager::GetXmlPath(const char* name) const { return Lookup(xmls_, name); }

const char* CResourceManager::GetText(const char* id) const { return Lookup(texts_, id); }

void CResourceManager::ResetResourceMap() {
  images_.clear();
  xmls_.clear();
  texts_.clear();
  CResourceStore::NoteChange();
}

}  // namespace DuiLib
