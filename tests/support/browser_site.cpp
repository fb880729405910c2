#include "tests/support/browser_site.h"

namespace tamvelo::test {

IOleClientSite* ClientSiteOf(IWebBrowser2* browser) {
  IOleObject* object = nullptr;
  IOleClientSite* site = nullptr;
  if (browser != nullptr &&
      SUCCEEDED(browser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)))) {
    object->GetClientSite(&site);
    object->Release();
  }
  return site;
}

}  // namespace tamvelo::test
