// The process-wide part of the paint manager: instance, skin resources,
// message loop.
#include <algorithm>

#include "duilib/UIManager.h"
#include "duilib/UIManagerRegistry.h"
#include "duilib/UIResource.h"

namespace DuiLib {
namespace {

HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResourceInstance = nullptr;

std::vector<CPaintManagerUI*>& Managers() {
  static std::vector<CPaintManagerUI*> managers;
  return managers;
}

}  // namespace

void RegisterPaintManager(CPaintManagerUI* pManager) {
  auto& managers = Managers();
  if (std::find(managers.begin(), managers.end(), pManager) == managers.end()) managers.push_back(pManager);
}

void UnregisterPaintManager(CPaintManagerUI* pManager) {
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), pManager), managers.end());
}

const std::vector<CPaintManagerUI*>& PaintManagers() { return Managers(); }

UINT ManagerPostedMessage() {
  static const UINT message = ::RegisterWindowMessageA("DuiLib.PaintManager.Posted");
  return message;
}

HINSTANCE CPaintManagerUI::GetInstance() {
  return g_hInstance != nullptr ? g_hInstance : ::GetModuleHandleA(nullptr);
}

void CPaintManagerUI::SetInstance(HINSTANCE hInst) { g_hInstance = hInst; }

CDuiString CPaintManagerUI::GetInstancePath() {
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(GetInstance(), path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CDuiString();
  CDuiString result(path);
  const int slash = result.ReverseFind('\\');
  return slash >= 0 ? result.Left(slash + 1) : CDuiString();
}

CDuiString CPaintManagerUI::GetCurrentPath() {
  char path[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, path);
  return CDuiString(path);
}

void CPaintManagerUI::SetCurrentPath(LPCSTR pStrPath) { ::SetCurrentDirectoryA(pStrPath); }

HINSTANCE CPaintManagerUI::GetResourceDll() {
  return g_hResourceInstance != nullptr ? g_hResourceInstance : GetInstance();
}

void CPaintManagerUI::SetResourceDll(HINSTANCE hInst) { g_hResourceInstance = hInst; }

LPCSTR CPaintManagerUI::GetResourcePath() { return CResourceStore::GetResourcePath(); }

void CPaintManagerUI::SetResourcePath(LPCSTR pStrPath) { CResourceStore::SetResourcePath(pStrPath); }

int CPaintManagerUI::GetResourceType() { return CResourceStore::GetResourceType(); }

void CPaintManagerUI::SetResourceType(int nType) { CResourceStore::SetResourceType(nType); }

bool CPaintManagerUI::SetResourceZip(LPVOID pVoid, unsigned int len, LPCSTR password) {
  return CResourceStore::SetResourceZip(pVoid, len, password);
}

void CPaintManagerUI::MessageLoop() {
  MSG msg = {};
  // 0 is WM_QUIT, -1 an invalid call: both end the loop.
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!CPaintManagerUI::TranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

bool CPaintManagerUI::TranslateMessage(const LPMSG pMsg) {
  if (pMsg == nullptr || pMsg->hwnd == nullptr) return false;
  const std::vector<CPaintManagerUI*> managers = PaintManagers();
  for (CPaintManagerUI* pm : managers) {
    HWND paint = pm->GetPaintWindow();
    if (paint == nullptr) continue;
    if (pMsg->hwnd == paint) {
      if (pm->TranslateAccelerator(pMsg)) return true;
      LRESULT lRes = 0;
      return pm->PreMessageHandler(pMsg->message, pMsg->wParam, pMsg->lParam, lRes);
    }
    // Keys of an embedded native window (the browser) go to the window's
    // accelerators only: Tab and the other keys stay the page's.
    if (::IsChild(paint, pMsg->hwnd)) return pm->TranslateAccelerator(pMsg);
  }
  return false;
}

}  // namespace DuiLib
