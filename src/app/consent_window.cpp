#include "app/consent_window.h"

#include "app/consent.h"
#include "indicator/label.h"
#include "platform/dpi.h"
#include "resources/version.h"

namespace corvane {

namespace {

// Tahoma 9.75 pt, the consent text's font.
constexpr Fixed kConsentFontSize{97500};
constexpr BYTE kConsentFontCharset = 204;

void PlaceControl(HWND control, const PixelRect& r) { MoveWindow(control, r.left, r.top, r.width, r.height, FALSE); }

}  // namespace

void ConsentControls::Create(HWND window, HINSTANCE instance) {
  const int picture = platform::ScaledForScreen(kPictureSize);
  picture_.reset(static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(CORVANE_ICON_ID), IMAGE_ICON, picture, picture, LR_DEFAULTCOLOR)));
  ibStart = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON, 0, 0, picture, picture, window,
                            reinterpret_cast<HMENU>(kibStartId), instance, nullptr);
  SendMessageA(ibStart, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.get()));

  // Multi-line and read-only, no tab stop, no scroll bars: the text wraps at the edge.
  tbStart = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0, 0,
                            0, 0, window, reinterpret_cast<HMENU>(ktbStartId), instance, nullptr);
  textFont_.reset(CreateFontA(FontHeightForPoints(kConsentFontSize, platform::ScreenDpi().y), 0, 0, 0, FW_NORMAL,
                              FALSE, FALSE, FALSE, kConsentFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
  SendMessageA(tbStart, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.get()), FALSE);

  // Yes first in the tab order; the stock GUI font belongs to the system.
  const auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  bbYes = CreateWindowExA(0, "BUTTON", "&Yes", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                          window, reinterpret_cast<HMENU>(kbbYesId), instance, nullptr);
  bbNo = CreateWindowExA(0, "BUTTON", "&No", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(kbbNoId), instance, nullptr);
  SendMessageA(bbYes, WM_SETFONT, guiFont, FALSE);
  SendMessageA(bbNo, WM_SETFONT, guiFont, FALSE);
}

void ConsentControls::LayOut(HWND window) const {
  const platform::Dpi dpi = platform::ScreenDpi();
  const double twipsPerPixelX = 1440.0 / dpi.x;
  const double twipsPerPixelY = 1440.0 / dpi.y;
  const int picture = platform::ScaledForScreen(kPictureSize);
  const ConsentLayout layout = LayOutConsent(twipsPerPixelX, twipsPerPixelY, picture, picture);
  PlaceControl(ibStart, layout.ibStart);
  PlaceControl(tbStart, layout.tbStart);
  PlaceControl(bbYes, layout.bbYes);
  PlaceControl(bbNo, layout.bbNo);

  // The frame stays as it is; the client area takes the layout's size.
  RECT outer{};
  RECT client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int width = (outer.right - outer.left) - client.right + layout.clientWidth;
  const int height = (outer.bottom - outer.top) - client.bottom + layout.clientHeight;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
