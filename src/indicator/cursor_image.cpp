#include "indicator/cursor_image.h"

#include "indicator/label.h"

namespace corvane {

namespace {

bool IsLightRgb(std::uint32_t rgb) { return IsLight(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

constexpr std::uint32_t kRgb = 0x00FFFFFF;
constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

}  // namespace

CursorImage CursorImage::Transparent(int width, int height, bool alpha) {
  CursorImage image;
  image.width = width > 0 ? width : 0;
  image.height = height > 0 ? height : 0;
  image.alpha = alpha;
  image.andMask.assign(static_cast<std::size_t>(image.width) * image.height, 1);
  image.color.assign(image.andMask.size(), 0);
  return image;
}

bool CursorImage::Inverts() const {
  if (alpha) return false;
  for (std::size_t i = 0; i < color.size(); ++i)
    if (andMask[i] && (color[i] & kRgb) != 0) return true;
  return false;
}

bool KeyingKeepsEverything(const CursorImage& iBeam, const LabelledPicture& picture, std::uint32_t key) {
  if (iBeam.alpha || iBeam.Inverts()) return false;
  for (std::size_t i = 0; i < picture.ink.size() && i < picture.pixels.size(); ++i)
    if (picture.ink[i] && picture.pixels[i] == key) return false;
  return true;
}

CursorImage ComposeLabelledCursor(const CursorImage& iBeam, const LabelledPicture& picture, bool windowTextLabel,
                                  std::uint32_t labelRgb, int width, int height) {
  CursorImage cursor = CursorImage::Transparent(width, height, iBeam.alpha);
  const std::size_t pictureSize = static_cast<std::size_t>(picture.width) * picture.height;
  if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != pictureSize ||
      picture.ink.size() != pictureSize)
    return cursor;
  const bool hasIBeam = iBeam.width == picture.width && iBeam.height == picture.height;
  const bool invert = windowTextLabel && iBeam.Inverts();
  const bool outline = windowTextLabel && iBeam.alpha;
  // An opaque pixel of a cursor that blends must say so in its alpha byte; one
  // that does not blend must leave every alpha byte 0.
  const std::uint32_t opaque = cursor.alpha ? kOpaque : 0;
  std::vector<std::uint8_t> ink(cursor.andMask.size(), 0);
  for (int y = 0; y < cursor.height; ++y)
    for (int x = 0; x < cursor.width; ++x) {
      const std::size_t from = static_cast<std::size_t>(y * picture.height / cursor.height) * picture.width +
                               x * picture.width / cursor.width;
      const std::size_t to = cursor.index(x, y);
      if (picture.ink[from]) {
        ink[to] = 1;
        cursor.andMask[to] = invert ? 1 : 0;
        cursor.color[to] = invert ? (picture.pixels[from] == labelRgb ? kWhite : 0) : (opaque | picture.pixels[from]);
      } else if (hasIBeam) {
        cursor.andMask[to] = iBeam.andMask[from];
        cursor.color[to] = iBeam.color[from];
      }
    }
  if (!outline) return cursor;
  // Every pixel next to the label, diagonals included, in the colour that
  // stands out against the label's.
  for (int y = 0; y < cursor.height; ++y)
    for (int x = 0; x < cursor.width; ++x) {
      const std::size_t to = cursor.index(x, y);
      if (ink[to]) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= cursor.width || ny >= cursor.height || !ink[cursor.index(nx, ny)]) continue;
          cursor.andMask[to] = 0;
          cursor.color[to] = kOpaque | (IsLightRgb(cursor.color[cursor.index(nx, ny)]) ? 0 : kWhite);
        }
    }
  return cursor;
}

}  // namespace corvane
