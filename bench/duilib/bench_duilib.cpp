// Times the skin build and a full repaint of a realistic 1020 x 690 window,
// at 100, 150 and 200 % display scale (the window told of each scale as the
// system tells it when it reaches another monitor).
// "bench_duilib --hold N" keeps the window on screen N seconds (screenshots).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/duilib/bench_skin.h"
#include "duilib/UIlib.h"
#include "tests/support/toolkit_pump.h"

namespace {

class BenchWindow : public DuiLib::WindowImplBase {
 public:
  LPCSTR GetWindowClassName() const override { return "DuiLibBenchWindow"; }
  DuiLib::CPaintManagerUI& pm() { return m_pm; }

 protected:
  DuiLib::CDuiString GetSkinFile() override { return "xml//main.xml"; }
};

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The machine is shared: the minimum shows the cost without interruptions.
double Minimum(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

std::vector<double> FullRepaints(HWND hWnd) {
  std::vector<double> repaints;
  for (int i = 0; i < 60; ++i) {
    InvalidateRect(hWnd, nullptr, FALSE);
    const double start = Now();
    UpdateWindow(hWnd);
    GdiFlush();
    repaints.push_back(Now() - start);
  }
  return repaints;
}

}  // namespace

int main(int argc, char** argv) {
  CoInitialize(nullptr);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "duilib-bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!WriteBenchSkin(folder)) {
    std::printf("cannot write the benchmark skin\n");
    return 1;
  }
  DuiLib::CPaintManagerUI::SetResourcePath(folder.c_str());

  // Skin build: parse and build the tree, attach it to a manager.
  std::vector<double> builds;
  for (int i = 0; i < 30; ++i) {
    DuiLib::CPaintManagerUI pm;
    const double start = Now();
    DuiLib::CDialogBuilder builder;
    DuiLib::CControlUI* root = builder.Create("xml//main.xml", nullptr, nullptr, &pm);
    pm.AttachDialog(root);
    builds.push_back(Now() - start);
    if (root == nullptr) {
      std::printf("the benchmark skin does not build\n");
      return 1;
    }
  }

  BenchWindow wnd;
  HWND hWnd = wnd.Create(nullptr, "塔维洛游戏盒子", UI_WNDSTYLE_FRAME, 0, 0, 0, 1020, 690);
  if (hWnd == nullptr) {
    std::printf("the benchmark window was not created\n");
    return 1;
  }
  wnd.CenterWindow();
  tamvelo::test::PumpToolkit();
  UpdateWindow(hWnd);  // first paint: layout and image decoding

  // Hover over a button: the partial repaint of one control.
  std::vector<double> hovers;
  DuiLib::CControlUI* tool = wnd.pm().FindControl("tool3");
  const RECT rc = tool->GetPos();
  for (int i = 0; i < 60; ++i) {
    const double start = Now();
    SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(i % 2 ? rc.left + 5 : 5, i % 2 ? rc.top + 5 : 300));
    UpdateWindow(hWnd);
    GdiFlush();
    hovers.push_back(Now() - start);
  }

  auto report = [](const char* what, const std::vector<double>& v) {
    std::printf("%-46s median %6.2f ms   min %6.2f ms   (%zu runs)\n", what, Median(v), Minimum(v), v.size());
  };
  report("skin build (parse, build tree, attach)", builds);
  report("hover change of one button", hovers);

  for (UINT dpi : {96u, 144u, 192u}) {
    RECT place;
    GetWindowRect(hWnd, &place);
    place.right = place.left + MulDiv(1020, static_cast<int>(dpi), 96);
    place.bottom = place.top + MulDiv(690, static_cast<int>(dpi), 96);
    SendMessageA(hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    // The first paint at a scale lays out and resizes the images once (the
    // benchmark skin has only plain images).
    InvalidateRect(hWnd, nullptr, FALSE);
    const double start = Now();
    UpdateWindow(hWnd);
    GdiFlush();
    const double first = Now() - start;
    char what[64];
    std::snprintf(what, sizeof what, "full repaint at %u %% (%dx%d)", MulDiv(static_cast<int>(dpi), 100, 96),
                  static_cast<int>(place.right - place.left), static_cast<int>(place.bottom - place.top));
    report(what, FullRepaints(hWnd));
    std::printf("%-46s %6.2f ms\n", "  first paint after the change of scale", first);
  }

  for (int i = 1; i + 1 < argc; ++i) {
    if (strcmp(argv[i], "--hold") == 0) {
      const RECT now = tool->GetPos();  // at the last scale
      SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(now.left + 5, now.top + 5));
      const DWORD until = GetTickCount() + static_cast<DWORD>(atoi(argv[i + 1])) * 1000;
      while (GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        tamvelo::test::PumpToolkit();
      }
    }
  }
  DestroyWindow(hWnd);
  CoUninitialize();
  return 0;
}
