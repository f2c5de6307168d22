#include "indicator/bitmap_to_icon.h"

#include "platform/handles.h"

namespace corvane {

using platform::Bitmap;
using platform::CreateMemoryDc;
using platform::SelectionScope;

HICON BitmapToIcon(HBITMAP hBitmap, LONG TransColor, SHORT NewWidth, SHORT NewHeight, SHORT HotX, SHORT HotY,
                   bool AsCursor, platform::Desktop& desktop) {
  if (!hBitmap) return nullptr;
  // GetObjectA would happily describe a brush or a pen in the same record.
  if (GetObjectType(hBitmap) != OBJ_BITMAP) return nullptr;
  BITMAP source{};
  if (!GetObjectA(hBitmap, sizeof source, &source)) return nullptr;
  if (source.bmHeight == 0 || source.bmWidth == 0 || source.bmBitsPixel == 0 || source.bmPlanes == 0) return nullptr;

  SHORT width = NewWidth != 0 ? NewWidth : static_cast<SHORT>(source.bmWidth);
  SHORT height = NewHeight != 0 ? NewHeight : static_cast<SHORT>(source.bmHeight);

  ICONINFO info{};
  info.fIcon = BoolToInt(!AsCursor);
  if (AsCursor) {
    // A cursor built for an I-beam larger than the nominal metric keeps its size.
    if (NewWidth == 0) width = static_cast<SHORT>(desktop.CursorWidth());
    if (NewHeight == 0) height = static_cast<SHORT>(desktop.CursorHeight());
    info.xHotspot = HotX >= 0 ? HotX : width / 2 - 1;
    info.yHotspot = HotY >= 0 ? HotY : height / 2 - 1;
  }

  auto sourceDc = CreateMemoryDc();
  SelectionScope sourceSelection(sourceDc.get(), hBitmap);
  if (TransColor == -1) TransColor = static_cast<LONG>(GetPixel(sourceDc.get(), 0, 0));

  // Colour copy in the source's format, stretched to the result size.
  auto copyDc = CreateMemoryDc();
  Bitmap copyBitmap(CreateCompatibleBitmap(sourceDc.get(), width, height));
  SelectionScope copySelection(copyDc.get(), copyBitmap.get());
  StretchBlt(copyDc.get(), 0, 0, width, height, sourceDc.get(), 0, 0, source.bmWidth, source.bmHeight, SRCCOPY);

  // Mask: a new memory DC holds a monochrome bitmap, so this one is monochrome too.
  // Copying colour to monochrome turns the background colour into 1, all else into 0.
  auto maskDc = CreateMemoryDc();
  Bitmap maskBitmap(CreateCompatibleBitmap(maskDc.get(), width, height));
  SelectionScope maskSelection(maskDc.get(), maskBitmap.get());
  SetBkColor(copyDc.get(), static_cast<COLORREF>(TransColor));
  BitBlt(maskDc.get(), 0, 0, width, height, copyDc.get(), 0, 0, SRCCOPY);

  // Colour plane in the screen's format, black wherever the mask is 1.
  auto finalDc = CreateMemoryDc();
  Bitmap finalBitmap;
  {
    platform::WindowDc screen;
    finalBitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
  }
  SelectionScope finalSelection(finalDc.get(), finalBitmap.get());
  BitBlt(finalDc.get(), 0, 0, width, height, copyDc.get(), 0, 0, SRCCOPY);
  SetBkColor(finalDc.get(), RGB(0, 0, 0));
  SetTextColor(finalDc.get(), RGB(255, 255, 255));
  BitBlt(finalDc.get(), 0, 0, width, height, maskDc.get(), 0, 0, SRCAND);

  info.hbmMask = maskBitmap.get();
  info.hbmColor = finalBitmap.get();
  // CreateIconIndirect needs bitmaps that are not selected anywhere.
  finalSelection.Restore();
  maskSelection.Restore();
  return CreateIconIndirect(&info);
}

}  // namespace corvane
