#include "bench/duilib/bench_skin.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A PNG with alpha of w x h pixels made by colour(x, y) -> 0xAARRGGBB.
template <class ColourFn>
bool WritePng(const std::string& path, int w, int h, ColourFn colour) {
  std::vector<BYTE> pixels(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const DWORD c = colour(x, y);
      BYTE* p = &pixels[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = c & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = (c >> 16) & 0xFF;
      p[3] = c >> 24;
    }
  }
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
    return false;
  }
  std::wstring wpath(path.begin(), path.end());
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  bool ok = SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(wpath.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(w, h));
  if (ok) {
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    ok = SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WritePixels(h, w * 4, static_cast<UINT>(pixels.size()), pixels.data())) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  }
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  factory->Release();
  return ok;
}

DWORD Mix(DWORD a, DWORD b, int t, int n) {
  auto ch = [&](int s) {
    const int ca = (a >> s) & 0xFF, cb = (b >> s) & 0xFF;
    return static_cast<DWORD>(ca + (cb - ca) * t / (n > 0 ? n : 1)) << s;
  };
  return ch(24) | ch(16) | ch(8) | ch(0);
}

// Three states side by side of a rounded button.
bool WriteButtonSprite(const std::string& path, int w, int h, DWORD base) {
  const DWORD states[3] = {base, Mix(base, 0xFFFFFFFF, 1, 3), Mix(base, 0xFF000000, 1, 4)};
  return WritePng(path, w * 3, h, [&](int x, int y) -> DWORD {
    const int cell = x / w, cx = x % w;
    const int r = 6;
    const int dx = cx < r ? r - cx : cx >= w - r ? cx - (w - r - 1) : 0;
    const int dy = y < r ? r - y : y >= h - r ? y - (h - r - 1) : 0;
    if (dx * dx + dy * dy > r * r) return 0;
    return Mix(states[cell], Mix(states[cell], 0xFF000000, 1, 6), y, h);
  });
}

}  // namespace

bool WriteBenchSkin(const std::string& folder) {
  CreateDirectoryA((folder + "xml").c_str(), nullptr);
  CreateDirectoryA((folder + "skin").c_str(), nullptr);
  const std::string img = folder + "skin\\Default\\";
  CreateDirectoryA(img.c_str(), nullptr);
  bool ok = WritePng(img + "mainbg.png", 1020, 690, [](int x, int y) {
    return Mix(0xFF1E6FD9, 0xFF0B3A7A, x + y, 1710) | 0xFF000000;
  });
  ok = ok && WritePng(img + "main_wnd_tab_item.png", 129, 32, [](int x, int y) -> DWORD {
         const int cell = x / 43;
         const DWORD top = cell == 0 ? 0x40FFFFFF : cell == 1 ? 0x80FFFFFF : 0xFFFFFFFF;
         return y < 2 ? 0 : Mix(top, top & 0xC0FFFFFF, y, 32);
       });
  ok = ok && WriteButtonSprite(img + "btn.png", 80, 28, 0xFF2D8CF0);
  ok = ok && WriteButtonSprite(img + "sys.png", 30, 30, 0x30FFFFFF);
  ok = ok && WritePng(img + "icon.png", 48, 48, [](int x, int y) -> DWORD {
         const int dx = x - 24, dy = y - 24;
         return dx * dx + dy * dy < 22 * 22 ? Mix(0xFFFFB020, 0xFFFF6020, y, 48) : 0;
       });
  if (!ok) return false;

  std::string xml = u8R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="1020,690" caption="0,0,0,70" sizebox="4,4,4,4" roundcorner="4,4" mininfo="800,570">
  <Font id="0" name="微软雅黑" size="12" default="true"/>
  <Font id="1" name="微软雅黑" size="14" bold="true"/>
  <Default name="Button" value="normalimage=&quot;file='skin/Default/btn.png' source='0,0,80,28' corner='6,6,6,6'&quot; hotimage=&quot;file='skin/Default/btn.png' source='80,0,160,28' corner='6,6,6,6'&quot; pushedimage=&quot;file='skin/Default/btn.png' source='160,0,240,28' corner='6,6,6,6'&quot; textcolor=&quot;#FFFFFFFF&quot;"/>
  <VerticalLayout name="main_bg" bkimage="skin/Default/mainbg.png">
    <HorizontalLayout height="40" inset="8,5,4,5" childpadding="4">
      <Label text="塔维洛游戏盒子" font="1" textcolor="#FFFFFFFF" width="160"/>
      <HorizontalLayout name="tab_bar" childpadding="2">)";
  for (int i = 0; i < 6; ++i) {
    char tab[512];
    snprintf(tab, sizeof(tab),
             u8R"(<Option name="tab%d" group="tabs" width="120" text="游戏标签%d" textcolor="#FF333333" %s normalimage="file='skin/Default/main_wnd_tab_item.png' source='0,0,43,32' corner='20,0,20,0'" hotimage="file='skin/Default/main_wnd_tab_item.png' source='43,0,86,32' corner='20,0,20,0'" selectedimage="file='skin/Default/main_wnd_tab_item.png' source='86,0,129,32' corner='20,0,20,0'"/>)",
             i, i + 1, i == 0 ? "selected=\"true\"" : "");
    xml += tab;
  }
  xml += u8R"(</HorizontalLayout>)";
  for (const char* name : {"minbtn", "maxbtn", "closebtn"}) {
    xml += std::string(u8R"(<Button name=")") + name +
           u8R"(" width="30" normalimage="file='skin/Default/sys.png' source='0,0,30,30'" hotimage="file='skin/Default/sys.png' source='30,0,60,30'" pushedimage="file='skin/Default/sys.png' source='60,0,90,30'" text="" tooltip="系统按钮"/>)";
  }
  xml += u8R"(</HorizontalLayout>
    <HorizontalLayout height="30" inset="8,1,8,1" childpadding="6" bkcolor="#40FFFFFF">)";
  for (int i = 0; i < 8; ++i) {
    char button[160];
    snprintf(button, sizeof(button), u8R"(<Button name="tool%d" width="80" text="工具%d"/>)", i, i + 1);
    xml += button;
  }
  xml += u8R"(</HorizontalLayout>
    <TabLayout name="body_main_tablayout" inset="10,10,10,10">
      <VerticalLayout childpadding="8" bkcolor="#E0FFFFFF" inset="12,12,12,12">)";
  for (int row = 0; row < 8; ++row) {
    xml += u8R"(<HorizontalLayout height="52" childpadding="10">)";
    for (int col = 0; col < 6; ++col) {
      char cell[400];
      snprintf(cell, sizeof(cell),
               u8R"(<Control width="48" bkimage="skin/Default/icon.png"/><Label name="g%d_%d" width="90" text="热门游戏%d" textcolor="#FF222222" endellipsis="true"/>)",
               row, col, row * 6 + col);
      xml += cell;
    }
    xml += u8R"(</HorizontalLayout>)";
  }
  xml += u8R"(<HorizontalLayout height="30" childpadding="10"><Control/>
          <Button name="more" width="80" text="更多游戏"/><CheckBox name="chk" width="80" text="记住我" textcolor="#FF222222"/><HotKey name="HideKey" width="120"/></HorizontalLayout>
      </VerticalLayout>
      <Container name="page2"/>
    </TabLayout>
  </VerticalLayout>
</Window>)";
  HANDLE file = CreateFileA((folder + "xml\\main.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr);
  CloseHandle(file);
  return written == xml.size();
}
