// The download manager a host window offers its browser (the service
// SID_SDownloadManager of the site): every download goes to the site, which
// asks the owner's delegate. Used by the host site only.
#pragma once

#include <windows.h>
#include <downloadmgr.h>

#include "common/com_ptr.h"

namespace tamvelo::browser {

class BrowserHostSite;

class BrowserHostDownloadManager final : public IDownloadManager {
 public:
  // Lifetime: the count starts at 1, the creator's reference, and the last
  // Release deletes the object; always made with new. Keeps a reference on
  // the site while it lives.
  explicit BrowserHostDownloadManager(BrowserHostSite* site);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDownloadManager
  STDMETHODIMP Download(IMoniker* moniker, IBindCtx* bindContext, DWORD bindVerb, LONG bindFlags,
                        BINDINFO* bindInfo, LPCOLESTR headers, LPCOLESTR redirect,
                        UINT codePage) override;

 private:
  ~BrowserHostDownloadManager();

  LONG references_ = 1;
  ComPtr<BrowserHostSite> site_;
};

}  // namespace tamvelo::browser
