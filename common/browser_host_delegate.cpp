// What a host window answers when its owner has nothing to add.
#include "common/browser_host.h"

namespace tamvelo::browser {

namespace {

template <typename T>
HRESULT NoReplacement(T** out, HRESULT answer) {
  if (out != nullptr) *out = nullptr;
  return answer;
}

}  // namespace

HRESULT BrowserHostDelegate::GetHostInfo(DOCHOSTUIINFO* info) {
  if (info != nullptr) {
    info->dwFlags |= kHostUiFlags;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  }
  return S_OK;
}

HRESULT BrowserHostDelegate::GetExternal(IDispatch** external) {
  return NoReplacement(external, S_FALSE);
}

HRESULT BrowserHostDelegate::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return S_FALSE;
}

HRESULT BrowserHostDelegate::TranslateAccelerator(MSG*, const GUID*, DWORD) { return S_FALSE; }

HRESULT BrowserHostDelegate::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                    IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_OK;
}

HRESULT BrowserHostDelegate::HideUI() { return S_OK; }

HRESULT BrowserHostDelegate::UpdateUI() { return S_OK; }

HRESULT BrowserHostDelegate::EnableModeless(BOOL) { return S_OK; }

HRESULT BrowserHostDelegate::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT BrowserHostDelegate::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT BrowserHostDelegate::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

HRESULT BrowserHostDelegate::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  return NoReplacement(key, S_FALSE);
}

HRESULT BrowserHostDelegate::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
  return NoReplacement(replacement, E_NOTIMPL);
}

HRESULT BrowserHostDelegate::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  return NoReplacement(translated, S_FALSE);
}

HRESULT BrowserHostDelegate::FilterDataObject(IDataObject*, IDataObject** replacement) {
  return NoReplacement(replacement, S_FALSE);
}

HRESULT BrowserHostDelegate::Download(IMoniker*, IBindCtx*, DWORD, LONG, BINDINFO*, LPCOLESTR,
                                      LPCOLESTR, UINT) {
  return E_NOTIMPL;
}

}  // namespace tamvelo::browser
