#include "box/web/tabbrowser.h"

CTabbrowserUI::CTabbrowserUI() = default;

CTabbrowserUI::~CTabbrowserUI() {
  // The browser goes first: it may still ask for the handler or the
  // external object while it closes.
  ReleaseBrowser();
  SetWebBrowserEventHandler(nullptr);
  delete m_pEventHandler;
  // The page may still hold the object: it goes with the last reference.
  m_pClientCall.Reset();
}

void CTabbrowserUI::Init() {
  // Made once: a second Init (the control moved to another tree) keeps them.
  if (m_pEventHandler == nullptr) m_pEventHandler = new CTabbrowserEventHandler;
  m_pEventHandler->m_pTabBar = m_pTabBar;
  m_pEventHandler->m_pOwnerWnd = m_pOwnerWnd;
  m_pEventHandler->m_pMainWnd = m_pMainWnd;
  m_pEventHandler->m_pOfflineHost = m_pOfflineHost;
  SetWebBrowserEventHandler(m_pEventHandler);
  if (!m_pClientCall) m_pClientCall.Reset(new tamvelo::web::ClientCall);
  SetContextMenuUsed(true);
}

HRESULT CTabbrowserUI::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  if (pInfo != nullptr) pInfo->dwFlags |= tamvelo::browser::kHostUiFlags;
  return S_OK;
}

HRESULT CTabbrowserUI::GetExternal(IDispatch** ppDispatch) {
  if (ppDispatch == nullptr) return E_POINTER;
  // The caller releases what it is given; the count never deletes the object.
  *ppDispatch = m_pClientCall.Get();
  if (m_pClientCall) m_pClientCall->AddRef();
  return S_OK;
}
