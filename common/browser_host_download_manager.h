// The download manager a host window offers its browser (the service
// SID_SDownloadManager of the site): every download goes to the site, which
// asks the owner's delegate. Used by the host site only.
#pragma once

#include <windows.h>
#include <downloadmgr.h>

namespace tamvelo::browser {

class BrowserHostSite;

class BrowserHostDownloadManager final : public IDownloadManager {
 public:
  // Starts with one reference, the creator's, and keeps one on the site.
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
  BrowserHostSite* site_;
};

}  // namespace tamvelo::browser
