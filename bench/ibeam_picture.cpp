// Draws the README's pictures of the labelled I-beam into a 24-bit BMP file,
// each cursor at the I-beam's own size. By default one display scale: the
// user's I-beam and the labelled one Corvane makes of it ("EN"), each over
// white and over a dark grey, side by side; scripts/pictures.sh runs it at 96,
// 144 and 192 DPI. With --modes the input methods' modes あ, A, 中, 英 and 가
// on the I-beam, over white and, below, over the grey.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "indicator/indicator.h"
#include "indicator/input_mode_reader.h"
#include "platform/desktop.h"
#include "platform/handles.h"

namespace {

// The system's services, except that the layout and its input method's
// answers are set here, the cursors are left alone and every labelled cursor
// is kept here instead of being installed as the system I-beam.
class KeepingDesktop final : public corvane::platform::Win32Desktop {
 public:
  DWORD layout = 0x04090409;
  DWORD_PTR open = 0;
  DWORD_PTR conversion = 0;
  std::vector<corvane::platform::Icon> kept;

  SHORT KeyState(int) override { return 0; }
  int KeyboardLayoutCount() override { return 2; }
  HKL ThreadLayout(DWORD) override { return reinterpret_cast<HKL>(static_cast<std::uintptr_t>(layout)); }
  // Any window stands for the input method window; the answers are the ones above, asked on every tick.
  HWND ImeWindow(HWND) override { return GetDesktopWindow(); }
  DWORD ImeControl(HWND, WPARAM command, UINT, DWORD_PTR& result) override {
    result = command == IMC_GETOPENSTATUS ? open : conversion;
    return ERROR_SUCCESS;
  }
  BOOL LastInput(DWORD& tickCount) override { return tickCount = ++input_, TRUE; }
  BOOL ReloadSystemCursors(Notify) override { return TRUE; }
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD) override {
    kept.emplace_back(cursor);
    return TRUE;
  }

 private:
  DWORD input_ = 0;
};

// Writes the cursors in rows of `columns` cells of size x height, each over its screen colour.
bool WritePicture(const char* path, const std::vector<HCURSOR>& cursors, const std::vector<COLORREF>& screens,
                  int columns, int size, int height) {
  const int rows = static_cast<int>(cursors.size()) / columns;
  const int width = columns * size;
  BITMAPINFO info{};
  info.bmiHeader = corvane::platform::DibHeader(width, rows * height, 24, true);
  void* bits = nullptr;
  corvane::platform::Bitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    auto dc = corvane::platform::CreateMemoryDc();
    corvane::platform::SelectionScope selection(dc.get(), picture.get());
    for (std::size_t i = 0; i < cursors.size(); ++i) {
      const int x = static_cast<int>(i) % columns * size;
      const int y = static_cast<int>(i) / columns * height;
      RECT area{x, y, x + size, y + height};
      corvane::platform::Brush brush(CreateSolidBrush(screens[i]));
      FillRect(dc.get(), &area, brush.get());
      DrawIconEx(dc.get(), x, y, cursors[i], size, height, 0, nullptr, DI_NORMAL);
    }
  }
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * rows * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageSize;
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::fwrite(bits, imageSize, 1, out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool modes = argc == 3 && std::strcmp(argv[1], "--modes") == 0;
  if (argc != 2 && !modes) {
    std::fprintf(stderr, "usage: ibeam_picture [--modes] <output.bmp>\n");
    return 2;
  }
  KeepingDesktop desktop;
  corvane::Indicator indicator(desktop);
  indicator.PrepareSurfaces();
  const int size = indicator.pbCursor[0].Width();
  const int height = indicator.pbCursor[0].Height();
  const COLORREF white = RGB(255, 255, 255), grey = RGB(64, 64, 64);
  if (!modes) {
    indicator.toLang_Timer();
    const HCURSOR stock = desktop.StockIBeam(), labelled = desktop.kept.back().get();
    return WritePicture(argv[1], {stock, labelled, stock, labelled}, {white, white, grey, grey}, 4, size, height) ? 0
                                                                                                                : 1;
  }
  // Japanese hiragana and closed, Chinese (PRC) Chinese and English, Korean Hangul.
  constexpr DWORD_PTR native = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
  const struct { DWORD layout; DWORD_PTR open, conversion; } shown[] = {
      {0x04110411, 1, native}, {0x04110411, 0, 0}, {0x08040804, 1, native},
      {0x08040804, 1, 0},      {0x04120412, 1, native}};
  std::vector<HCURSOR> cursors;
  std::vector<COLORREF> screens(std::size(shown), white);
  screens.resize(2 * std::size(shown), grey);
  for (const auto& mode : shown) {
    desktop.layout = mode.layout;
    desktop.open = mode.open;
    desktop.conversion = mode.conversion;
    indicator.toLang_Timer();
    cursors.push_back(desktop.kept.back().get());
  }
  cursors.insert(cursors.end(), cursors.begin(), cursors.end());
  return WritePicture(argv[2], cursors, screens, std::size(shown), size, height) ? 0 : 1;
}
