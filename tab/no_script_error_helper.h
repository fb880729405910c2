// Takes the place of a document's UI handler: passes everything on to the
// document site's own handler and command target, but answers the request
// to show a script error itself, so scripts go on running without a dialog.
#pragma once

#include <windows.h>
#include <docobj.h>
#include <mshtmhst.h>

#include "common/com_ptr.h"

namespace tamvelo::tab {

class CNoScriptErrorHelper final : public IDocHostUIHandler, public IOleCommandTarget {
 public:
  // Either may be null. Both are held (counted) until the object goes.
  // Lifetime: the count starts at 0, the first AddRef is the owner's, and
  // the last Release deletes the object. Always made with new.
  CNoScriptErrorHelper(IDocHostUIHandler* siteHandler, IOleCommandTarget* siteCommandTarget);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDocHostUIHandler
  STDMETHODIMP ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                               IDispatch* element) override;
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
  STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                      IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
  STDMETHODIMP HideUI() override;
  STDMETHODIMP UpdateUI() override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) override;
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  STDMETHODIMP GetDropTarget(IDropTarget* drop, IDropTarget** replacement) override;
  STDMETHODIMP GetExternal(IDispatch** external) override;
  STDMETHODIMP TranslateUrl(DWORD reserved, LPWSTR url, LPWSTR* translated) override;
  STDMETHODIMP FilterDataObject(IDataObject* object, IDataObject** replacement) override;

  // IOleCommandTarget
  STDMETHODIMP QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                           OLECMDTEXT* text) override;
  STDMETHODIMP Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in,
                    VARIANT* out) override;

 private:
  ~CNoScriptErrorHelper();

  ComPtr<IDocHostUIHandler> siteHandler_;
  ComPtr<IOleCommandTarget> siteCommandTarget_;
  LONG references_ = 0;
};

}  // namespace tamvelo::tab
