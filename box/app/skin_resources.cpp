#include "box/app/skin_resources.h"

#include <windows.h>

#include "common/data_folder.h"
#include "duilib/UIManager.h"
#include "duilib/UIResource.h"

using DuiLib::CPaintManagerUI;

void SetupSkinResources() {
  CPaintManagerUI::SetResourceType(kSkinResourceType);
  const std::string dataFolder = tamvelo::DataFolder();
  if (CPaintManagerUI::GetResourceType() != kSkinResourceType) return;
  CPaintManagerUI::SetResourcePath(dataFolder.c_str());

  HINSTANCE module = CPaintManagerUI::GetResourceDll();
  HRSRC archive = FindResourceA(module, "IDR_ZIPRES", "ZIPRES");
  if (archive == nullptr) return;
  HGLOBAL loaded = LoadResource(module, archive);
  if (loaded == nullptr) return;
  const DWORD size = SizeofResource(module, archive);
  if (size != 0) {
    // Program resources stay mapped for the life of the process.
    if (CPaintManagerUI::SetResourceZip(LockResource(loaded), size, nullptr))
      DuiLib::CResourceManager::GetInstance()->LoadResource("res.xml", nullptr);
  }
  FreeResource(loaded);
}
