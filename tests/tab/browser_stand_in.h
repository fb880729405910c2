// A browser and an HTML document of the tests' own, for what Wine's browser
// control never gives: a location name and a document. Each answers the
// calls the tab's event sink makes and nothing else (E_NOTIMPL). Neither is
// counted: both live on the test's stack.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>

#include <string>

namespace tamvelo::test {

#define TAMVELO_UNUSED(name, ...) \
  STDMETHODIMP name(__VA_ARGS__) override { return E_NOTIMPL; }

// Answers IHTMLDocument2 too, with its IDispatch: the sink only asks whether
// the document is an HTML one and lets it go again. Hands out the client
// site it was given and keeps the UI handler it is given (counted).
class DocumentStandIn final : public IDispatch, public IOleObject, public ICustomDoc {
 public:
  explicit DocumentStandIn(IOleClientSite* site) : site_(site) {}
  ~DocumentStandIn() { if (handler_) handler_->Release(); }
  IDocHostUIHandler* handler() const { return handler_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SetUIHandler(IDocHostUIHandler* handler) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;

  TAMVELO_UNUSED(GetTypeInfoCount, UINT*) TAMVELO_UNUSED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  TAMVELO_UNUSED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  TAMVELO_UNUSED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  TAMVELO_UNUSED(SetClientSite, IOleClientSite*) TAMVELO_UNUSED(SetHostNames, LPCOLESTR, LPCOLESTR)
  TAMVELO_UNUSED(Close, DWORD) TAMVELO_UNUSED(SetMoniker, DWORD, IMoniker*)
  TAMVELO_UNUSED(GetMoniker, DWORD, DWORD, IMoniker**) TAMVELO_UNUSED(InitFromData, IDataObject*, BOOL, DWORD)
  TAMVELO_UNUSED(GetClipboardData, DWORD, IDataObject**)
  TAMVELO_UNUSED(DoVerb, LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT)
  TAMVELO_UNUSED(EnumVerbs, IEnumOLEVERB**) TAMVELO_UNUSED(Update) TAMVELO_UNUSED(IsUpToDate)
  TAMVELO_UNUSED(GetUserClassID, CLSID*) TAMVELO_UNUSED(GetUserType, DWORD, LPOLESTR*)
  TAMVELO_UNUSED(SetExtent, DWORD, SIZEL*) TAMVELO_UNUSED(GetExtent, DWORD, SIZEL*)
  TAMVELO_UNUSED(Advise, IAdviseSink*, DWORD*) TAMVELO_UNUSED(Unadvise, DWORD)
  TAMVELO_UNUSED(EnumAdvise, IEnumSTATDATA**) TAMVELO_UNUSED(GetMiscStatus, DWORD, DWORD*)
  TAMVELO_UNUSED(SetColorScheme, LOGPALETTE*)

 private:
  IOleClientSite* site_;
  IDocHostUIHandler* handler_ = nullptr;
};

// Gives a location name and, when it has one, a document.
class BrowserStandIn final : public IWebBrowser2 {
 public:
  BrowserStandIn(std::wstring locationName, IDispatch* document)
      : locationName_(std::move(locationName)), document_(document) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP get_LocationName(BSTR* name) override;
  STDMETHODIMP get_Document(IDispatch** document) override;

  TAMVELO_UNUSED(GetTypeInfoCount, UINT*) TAMVELO_UNUSED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  TAMVELO_UNUSED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  TAMVELO_UNUSED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  TAMVELO_UNUSED(GoBack) TAMVELO_UNUSED(GoForward) TAMVELO_UNUSED(GoHome) TAMVELO_UNUSED(GoSearch)
  TAMVELO_UNUSED(Navigate, BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*)
  TAMVELO_UNUSED(Refresh) TAMVELO_UNUSED(Refresh2, VARIANT*) TAMVELO_UNUSED(Stop)
  TAMVELO_UNUSED(get_Application, IDispatch**) TAMVELO_UNUSED(get_Parent, IDispatch**)
  TAMVELO_UNUSED(get_Container, IDispatch**) TAMVELO_UNUSED(get_TopLevelContainer, VARIANT_BOOL*)
  TAMVELO_UNUSED(get_Type, BSTR*) TAMVELO_UNUSED(get_Left, LONG*) TAMVELO_UNUSED(put_Left, LONG)
  TAMVELO_UNUSED(get_Top, LONG*) TAMVELO_UNUSED(put_Top, LONG) TAMVELO_UNUSED(get_Width, LONG*)
  TAMVELO_UNUSED(put_Width, LONG) TAMVELO_UNUSED(get_Height, LONG*) TAMVELO_UNUSED(put_Height, LONG)
  TAMVELO_UNUSED(get_LocationURL, BSTR*) TAMVELO_UNUSED(get_Busy, VARIANT_BOOL*) TAMVELO_UNUSED(Quit)
  TAMVELO_UNUSED(ClientToWindow, int*, int*) TAMVELO_UNUSED(PutProperty, BSTR, VARIANT)
  TAMVELO_UNUSED(GetProperty, BSTR, VARIANT*) TAMVELO_UNUSED(get_Name, BSTR*)
  TAMVELO_UNUSED(get_HWND, SHANDLE_PTR*) TAMVELO_UNUSED(get_FullName, BSTR*) TAMVELO_UNUSED(get_Path, BSTR*)
  TAMVELO_UNUSED(get_Visible, VARIANT_BOOL*) TAMVELO_UNUSED(put_Visible, VARIANT_BOOL)
  TAMVELO_UNUSED(get_StatusBar, VARIANT_BOOL*) TAMVELO_UNUSED(put_StatusBar, VARIANT_BOOL)
  TAMVELO_UNUSED(get_StatusText, BSTR*) TAMVELO_UNUSED(put_StatusText, BSTR)
  TAMVELO_UNUSED(get_ToolBar, int*) TAMVELO_UNUSED(put_ToolBar, int)
  TAMVELO_UNUSED(get_MenuBar, VARIANT_BOOL*) TAMVELO_UNUSED(put_MenuBar, VARIANT_BOOL)
  TAMVELO_UNUSED(get_FullScreen, VARIANT_BOOL*) TAMVELO_UNUSED(put_FullScreen, VARIANT_BOOL)
  TAMVELO_UNUSED(Navigate2, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*)
  TAMVELO_UNUSED(QueryStatusWB, OLECMDID, OLECMDF*)
  TAMVELO_UNUSED(ExecWB, OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*)
  TAMVELO_UNUSED(ShowBrowserBar, VARIANT*, VARIANT*, VARIANT*) TAMVELO_UNUSED(get_ReadyState, READYSTATE*)
  TAMVELO_UNUSED(get_Offline, VARIANT_BOOL*) TAMVELO_UNUSED(put_Offline, VARIANT_BOOL)
  TAMVELO_UNUSED(get_Silent, VARIANT_BOOL*) TAMVELO_UNUSED(put_Silent, VARIANT_BOOL)
  TAMVELO_UNUSED(get_RegisterAsBrowser, VARIANT_BOOL*) TAMVELO_UNUSED(put_RegisterAsBrowser, VARIANT_BOOL)
  TAMVELO_UNUSED(get_RegisterAsDropTarget, VARIANT_BOOL*)
  TAMVELO_UNUSED(put_RegisterAsDropTarget, VARIANT_BOOL)
  TAMVELO_UNUSED(get_TheaterMode, VARIANT_BOOL*) TAMVELO_UNUSED(put_TheaterMode, VARIANT_BOOL)
  TAMVELO_UNUSED(get_AddressBar, VARIANT_BOOL*) TAMVELO_UNUSED(put_AddressBar, VARIANT_BOOL)
  TAMVELO_UNUSED(get_Resizable, VARIANT_BOOL*) TAMVELO_UNUSED(put_Resizable, VARIANT_BOOL)

 private:
  std::wstring locationName_;
  IDispatch* document_;
};

#undef TAMVELO_UNUSED

}  // namespace tamvelo::test
