// The browser's event sink in a tab process: sends the page title to the
// main program when a document completes (and keeps script errors from
// raising dialogs), and turns new-window requests for [Weburl] addresses
// into game tabs of the main program.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

#include "tab/tab_context.h"

namespace tamvelo::tab {

inline constexpr DISPID kEventDocumentComplete = 259;
inline constexpr DISPID kEventNewWindow3 = 273;

class CMyWebBrowser2Event final : public IDispatch {
 public:
  explicit CMyWebBrowser2Event(const TabContext* context) : context_(context) {}

  // The browser whose events arrive here; not counted, so the owner
  // unbinds (null) before releasing it.
  void Bind(IWebBrowser2* browser) { browser_ = browser; }

  // Lifetime: fixed 1. The sink lives as long as its owner, not by its
  // count: AddRef and Release only answer 1, and nothing deletes it.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  void OnDocumentComplete();
  void OnNewWindow3(const DISPPARAMS& params);

  const TabContext* context_;
  IWebBrowser2* browser_ = nullptr;
};

// Sends the title record (kind: our host window) to the main window. An
// empty title sends nothing: the tab button keeps what it shows.
void SendTabTitle(const TabContext& context, const std::wstring& title);

// Puts a new CNoScriptErrorHelper in front of the current document's site
// handler. Nothing happens without an HTML document.
void InstallNoScriptErrorHelper(IWebBrowser2* browser);

}  // namespace tamvelo::tab
