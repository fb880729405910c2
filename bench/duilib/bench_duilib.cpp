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
#include "bench/support/figures.h"
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

using tamvelo::bench::NowMs;
using tamvelo::bench::Percentile;

// The machine is shared: the minimum shows the cost without interruptions.
void Report(const char* name, const std::vector<double>& runs) {
  tamvelo::bench::PrintFigure((std::string(name) + "_median").c_str(), Percentile(runs, 0.5), "ms");
  tamvelo::bench::PrintFigure((std::string(name) + "_min").c_str(), Percentile(runs, 0), "ms");
}

std::vector<double> FullRepaints(HWND hWnd) {
  std::vector<double> repaints;
  const int rounds = tamvelo::bench::Rounds(60, 5);
  for (int i = 0; i < rounds; ++i) {
    InvalidateRect(hWnd, nullptr, FALSE);
    const double start = NowMs();
    UpdateWindow(hWnd);
    GdiFlush();
    repaints.push_back(NowMs() - start);
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
  for (int i = tamvelo::bench::Rounds(30, 3); i > 0; --i) {
    DuiLib::CPaintManagerUI pm;
    const double start = NowMs();
    DuiLib::CDialogBuilder builder;
    DuiLib::CControlUI* root = builder.Create("xml//main.xml", nullptr, nullptr, &pm);
    pm.AttachDialog(root);
    builds.push_back(NowMs() - start);
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
  const int hoverRounds = tamvelo::bench::Rounds(60, 5);
  for (int i = 0; i < hoverRounds; ++i) {
    const double start = NowMs();
    SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(i % 2 ? rc.left + 5 : 5, i % 2 ? rc.top + 5 : 300));
    UpdateWindow(hWnd);
    GdiFlush();
    hovers.push_back(NowMs() - start);
  }

  Report("skin_build_parse_tree_attach", builds);
  Report("hover_repaint_one_button", hovers);

  for (UINT dpi : {96u, 144u, 192u}) {
    RECT place;
    GetWindowRect(hWnd, &place);
    place.right = place.left + MulDiv(1020, static_cast<int>(dpi), 96);
    place.bottom = place.top + MulDiv(690, static_cast<int>(dpi), 96);
    SendMessageA(hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
    // The first paint at a scale lays out and resizes the images once (the
    // benchmark skin has only plain images).
    InvalidateRect(hWnd, nullptr, FALSE);
    const double start = NowMs();
    UpdateWindow(hWnd);
    GdiFlush();
    const double first = NowMs() - start;
    char name[64];
    std::snprintf(name, sizeof name, "full_repaint_%u_percent_%dx%d", MulDiv(static_cast<int>(dpi), 100, 96),
                  static_cast<int>(place.right - place.left), static_cast<int>(place.bottom - place.top));
    Report(name, FullRepaints(hWnd));
    tamvelo::bench::PrintFigure((std::string(name) + "_first_after_change").c_str(), first, "ms");
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
  return tamvelo::bench::ExitStatus();
}
