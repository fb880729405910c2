// Figures of the toolkit's leaf layer: inflating a skin-sized archive entry,
// parsing a window description, decoding an image and painting a full
// main-window background with nine-slice and text.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/figures.h"
#include "duilib/UIImage.h"
#include "duilib/UIMarkup.h"
#include "duilib/UIRender.h"
#include "duilib/UIZip.h"
#include "tests/support/sample_data.h"

namespace {

double Seconds() { return tamvelo::bench::NowMs() / 1000.0; }

std::string SkinText(int buttons) {
  std::string text = "<Window size=\"1020,690\">\n";
  for (int i = 0; i < buttons; ++i) {
    text += "  <Button name=\"b" + std::to_string(i) + "\" normalimage=\"file='skin/Default/btn" +
            std::to_string(i % 13) + ".png' corner='4,4,4,4'\" text=\"&#22612;&#32500;\"/>\n";
  }
  return text + "</Window>\n";
}

}  // namespace

int main() {
  using namespace DuiLib;
  using tamvelo::bench::PrintFigure;
  // Inflate and CRC through the archive, as a skin read does.
  const std::string text = SkinText(tamvelo::bench::Rounds(20000, 2000));
  const std::string zip = tamvelo::test::BuildZip({{"xml/main.xml", text, true}});
  CZipArchive archive;
  archive.Open(tamvelo::test::Bytes(zip), zip.size());
  std::vector<BYTE> out;
  double start = Seconds();
  const int extracts = tamvelo::bench::Rounds(5, 1);
  for (int i = 0; i < extracts; ++i) archive.Extract("xml/main.xml", out);
  double elapsed = (Seconds() - start) / extracts;
  PrintFigure("zip_extract", text.size() / 1e6 / elapsed, "MB/s");

  start = Seconds();
  CMarkup markup;
  const bool parsed = markup.Load(text.c_str());
  elapsed = Seconds() - start;
  PrintFigure("xml_parse", parsed ? text.size() / 1e6 / elapsed : -1, "MB/s");

  std::vector<uint32_t> pixels(64 * 64);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xC0000000u | static_cast<uint32_t>(i * 2654435761u & 0xFFFFFF);
  const std::string png = tamvelo::test::EncodePng(64, 64, pixels);
  start = Seconds();
  TImageInfo* image = LoadImageFromMemory(tamvelo::test::Bytes(png), png.size());
  PrintFigure("png_decode_64x64", image != nullptr ? (Seconds() - start) * 1e3 : -1, "ms");

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1020, -690, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, canvas);
  const RECT full = {0, 0, 1020, 690};
  const RECT corner = {8, 8, 8, 8};
  const int frames = tamvelo::bench::Rounds(50, 3);
  start = Seconds();
  for (int i = 0; i < frames; ++i) {
    CRenderEngine::DrawImage(dc, image, full, full, RECT{}, corner, 255, false, false, false);
  }
  GdiFlush();
  PrintFigure("nine_slice_1020x690_alpha_frame", (Seconds() - start) / frames * 1e3, "ms");
  start = Seconds();
  for (int i = 0; i < frames; ++i) CRenderEngine::DrawImage(dc, image, full, full, RECT{}, RECT{}, 255, false, true, true);
  GdiFlush();
  PrintFigure("tiled_1020x690_alpha_frame", (Seconds() - start) / frames * 1e3, "ms");
  start = Seconds();
  for (int i = 0; i < frames; ++i) {
    for (int line = 0; line < 30; ++line) {
      RECT rc = {10, line * 22, 1010, line * 22 + 22};
      CRenderEngine::DrawText(dc, rc, "塔维洛游戏盒 Tamvelo 1234567890", 0xFF000000, nullptr, DT_SINGLELINE);
    }
  }
  PrintFigure("text_30_lines_frame", (Seconds() - start) / frames * 1e3, "ms");
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(canvas);
  FreeImage(image);
  return tamvelo::bench::ExitStatus();
}
