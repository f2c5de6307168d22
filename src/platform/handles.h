// Owning wrappers for Win32 handles: every handle has exactly one owner.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace corvane::platform {

// Deleter that calls Fn on a non-null handle.
template <auto Fn>
struct Closer {
  template <class H>
  void operator()(H handle) const noexcept {
    if (handle) Fn(handle);
  }
};

template <class H, auto Fn>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Closer<Fn>>;

using Bitmap = Owned<HBITMAP, &DeleteObject>;
using Font = Owned<HFONT, &DeleteObject>;
using Brush = Owned<HBRUSH, &DeleteObject>;
using MemoryDc = Owned<HDC, &DeleteDC>;
using Icon = Owned<HICON, &DestroyIcon>;
using Menu = Owned<HMENU, &DestroyMenu>;
using RegKey = Owned<HKEY, &RegCloseKey>;
using Window = Owned<HWND, &DestroyWindow>;

// The header of an uncompressed device-independent bitmap of `bitsPerPixel`;
// its rows run from the top unless `bottomUp`.
inline BITMAPINFOHEADER DibHeader(int width, int height, WORD bitsPerPixel, bool bottomUp = false) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = bottomUp ? height : -height;
  header.biPlanes = 1;
  header.biBitCount = bitsPerPixel;
  header.biCompression = BI_RGB;
  return header;
}

// A memory device context compatible with the screen.
inline MemoryDc CreateMemoryDc(HDC compatibleWith = nullptr) {
  return MemoryDc(CreateCompatibleDC(compatibleWith));
}

// Selects an object into a device context and puts the previous one back on exit.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionScope() { Restore(); }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

  // Puts the previous object back now, so the selected one is free for other use.
  void Restore() noexcept {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    previous_ = nullptr;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's (or the screen's) device context, released on exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The two bitmaps that GetIconInfo hands to its caller.
struct IconInfo {
  ICONINFO info{};
  Bitmap mask;
  Bitmap color;
};

// GetIconInfo with the returned bitmaps owned; false when the query fails.
inline bool QueryIconInfo(HICON icon, IconInfo& out) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  out.info = info;
  out.mask.reset(info.hbmMask);
  out.color.reset(info.hbmColor);
  return true;
}

}  // namespace corvane::platform
