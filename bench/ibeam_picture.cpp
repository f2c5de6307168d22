// Draws the README's picture of one display scale: the user's I-beam and the
// labelled one Corvane makes of it ("EN"), each over white and over a dark
// grey, side by side at the I-beam's own size, into a 24-bit BMP file.
// scripts/pictures.sh runs it at 96, 144 and 192 DPI.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "indicator/indicator.h"
#include "platform/desktop.h"
#include "platform/handles.h"

namespace {

// The system's services, except that the layout is always English, the
// cursors are left alone and the labelled cursor is kept here instead of being
// installed as the system I-beam.
class KeepingDesktop final : public corvane::platform::Win32Desktop {
 public:
  ~KeepingDesktop() override {
    if (kept_) DestroyCursor(kept_);
  }
  HCURSOR Kept() const { return kept_; }

  SHORT KeyState(int) override { return 0; }
  int KeyboardLayoutCount() override { return 2; }
  HKL ThreadLayout(DWORD) override { return reinterpret_cast<HKL>(0x04090409); }
  BOOL ReloadSystemCursors(Notify) override { return TRUE; }
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD) override {
    if (kept_) DestroyCursor(kept_);
    kept_ = cursor;
    return TRUE;
  }

 private:
  HCURSOR kept_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ibeam_picture <output.bmp>\n");
    return 2;
  }
  KeepingDesktop desktop;
  corvane::Indicator indicator(desktop);
  indicator.PrepareSurfaces();
  indicator.toLang_Timer();
  const int size = indicator.pbCursor[0].Width();
  const int height = indicator.pbCursor[0].Height();

  // Four cells: the I-beam and the labelled one over white, then both over grey.
  const int width = 4 * size;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  corvane::platform::Bitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    auto dc = corvane::platform::CreateMemoryDc();
    corvane::platform::SelectionScope selection(dc.get(), picture.get());
    const COLORREF screens[] = {RGB(255, 255, 255), RGB(64, 64, 64)};
    for (int cell = 0; cell < 4; ++cell) {
      RECT area{cell * size, 0, (cell + 1) * size, height};
      corvane::platform::Brush brush(CreateSolidBrush(screens[cell / 2]));
      FillRect(dc.get(), &area, brush.get());
      HCURSOR cursor = cell % 2 == 0 ? desktop.StockIBeam() : desktop.Kept();
      DrawIconEx(dc.get(), area.left, 0, cursor, size, height, 0, nullptr, DI_NORMAL);
    }
  }
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageSize;
  FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::fwrite(bits, imageSize, 1, out);
  return std::fclose(out) == 0 ? 0 : 1;
}
