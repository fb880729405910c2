#include "common/browser_host_download_manager.h"

#include "common/browser_host_site.h"

namespace tamvelo::browser {

BrowserHostDownloadManager::BrowserHostDownloadManager(BrowserHostSite* site)
    : site_(ComPtr<BrowserHostSite>::Share(site)) {}

BrowserHostDownloadManager::~BrowserHostDownloadManager() = default;

HRESULT BrowserHostDownloadManager::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != __uuidof(IDownloadManager)) return E_NOINTERFACE;
  *out = static_cast<IDownloadManager*>(this);
  AddRef();
  return S_OK;
}

ULONG BrowserHostDownloadManager::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG BrowserHostDownloadManager::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT BrowserHostDownloadManager::Download(IMoniker* moniker, IBindCtx* bindContext,
                                             DWORD bindVerb, LONG bindFlags, BINDINFO* bindInfo,
                                             LPCOLESTR headers, LPCOLESTR redirect,
                                             UINT codePage) {
  return site_->Download(moniker, bindContext, bindVerb, bindFlags, bindInfo, headers, redirect,
                         codePage);
}

}  // namespace tamvelo::browser
