// Where the skin comes from: a folder on disk (the resource path) or a zip
// archive in memory, plus an optional map of names (res.xml).
// Process-wide state, used from the user-interface thread only.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace DuiLib {

enum UILIB_RESOURCETYPE {
  UILIB_FILE = 1,       // files under the resource path
  UILIB_ZIP,            // a zip archive file
  UILIB_RESOURCE,       // the program's resources
  UILIB_ZIPRESOURCE,    // a zip archive held in the program's resources
};

class CResourceStore {
 public:
  // A path without a trailing separator gets a backslash; "" stays "".
  static void SetResourcePath(const char* path);
  static const char* GetResourcePath();
  static void SetResourceType(int type);
  static int GetResourceType();

  // Uses the archive at `data` (not copied: it must stay alive, as mapped
  // program resources do). The password is ignored: encrypted entries are
  // refused anyway. A corrupt archive returns false and is not used; the
  // previous archive is dropped in either case.
  static bool SetResourceZip(const void* data, unsigned size, const char* password = nullptr);
  static void ClearResourceZip();
  static bool HasZip();

  // The bytes of a skin file. With an archive set, `name` is looked up in it
  // ("xml//main.xml" finds "xml/main.xml"); otherwise it is read from the
  // resource path + name. An absolute path ("C:\...", "\\server\...") is read
  // as it is from disk in both cases. False when missing or unreadable.
  static bool LoadBytes(const char* name, std::vector<BYTE>& out);

  // Goes up whenever the source of files or the name map changes, so that
  // caches of loaded files know to drop them.
  static unsigned GetGeneration();
  static void NoteChange();

  // The file read from disk for a relative name (for messages and tests).
  static std::string DiskPath(const char* name);
};

// The name map. Dialect of a map file ("res.xml"), UTF-8:
//   <Res>
//     <Image name="logo" value="skin/Default/logo.png"/>
//     <Xml name="main" value="xml/main.xml"/>
//     <Text id="title" value="..."/>
//   </Res>
// The root must be <Res> (any letter case); other elements and entries
// without their two attributes are skipped; a later entry replaces an
// earlier one of the same name. Loading adds to what was loaded before.
class CResourceManager {
 public:
  static CResourceManager* GetInstance();

  // `xmlOrName` is either the map text itself (starting with '<') or a file
  // name read through CResourceStore. `type` is accepted for compatibility
  // and not used. False (map unchanged) for a missing or malformed file or
  // a root other than <Res>.
  bool LoadResource(const char* xmlOrName, const char* type = nullptr);

  // nullptr when the name is not in the map. The pointers stay valid until
  // the map is changed.
  const char* GetImagePath(const char* name) const;
  const char* GetXmlPath(const char* name) const;
  const char* GetText(const char* id) const;

  void ResetResourceMap();

 private:
  CResourceManager() = default;
  using Map = std::map<std::string, std::string>;
  static const char* Lookup(const Map& map, const char* key);
  Map images_;
  Map xmls_;
  Map texts_;
};

}  // namespace DuiLib
