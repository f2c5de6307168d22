#include "app/consent.h"

#include <cmath>

namespace corvane {

std::string ConsentText() {
  const std::string indent(8, ' ');
  const std::string emptyLine = "\r\n\r\n";
  return indent +
         "This application displays the current language indicator next to the system cursor for the text areas." +
         " Application control can be invoked by middle-clicking while holding down the left Shift key." +
         emptyLine + indent +
         "Some antivirus programs may think this application contains a virus because it writes information to the "
         "system registry." +
         " However, this information is quite harmless, it concerns the automatic launch of the application along "
         "with Windows." +
         " Moreover, the user can cancel this option at any time through the application interface." + emptyLine +
         indent +
         "If you want to continue using the application, click Yes, and if you then receive a warning from the "
         "antivirus program," +
         " create an exception for this application.";
}

long HalfOfWholeTwips(double twips) {
  // Halves go to the even twip, as the window's integer conversion does.
  return std::lrint(twips) / 2;
}

namespace {

// A rectangle in twips.
struct TwipRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

int ToPixels(double twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

PixelRect ToPixels(const TwipRect& r, double tx, double ty) {
  return {ToPixels(r.left, tx), ToPixels(r.top, ty), ToPixels(r.width, tx), ToPixels(r.height, ty)};
}

}  // namespace

ConsentLayout LayOutConsent(double tx, double ty, int iconWidth, int iconHeight) {
  // The constants are pixels at 96 DPI, 15 twips each: as twips they keep
  // their size on the screen at every scale.
  constexpr double px = 1440.0 / 96;
  TwipRect image{8 * px, 8 * px, iconWidth * tx, iconHeight * ty};
  TwipRect text{3 * image.left + image.width, image.top, 400 * px, 240 * px};
  const double clientWidth = text.left + text.width + image.left;
  TwipRect yes;
  yes.width = 72 * px;
  yes.left = static_cast<double>(HalfOfWholeTwips(clientWidth - 2 * yes.width - image.left));
  yes.top = text.top + text.height + image.top;
  yes.height = 24 * px;
  TwipRect no{yes.left + yes.width + image.left, yes.top, yes.width, yes.height};
  const double clientHeight = yes.top + yes.height + image.top;

  ConsentLayout layout;
  layout.ibStart = ToPixels(image, tx, ty);
  layout.tbStart = ToPixels(text, tx, ty);
  layout.bbYes = ToPixels(yes, tx, ty);
  layout.bbNo = ToPixels(no, tx, ty);
  layout.clientWidth = ToPixels(clientWidth, tx);
  layout.clientHeight = ToPixels(clientHeight, ty);
  return layout;
}

}  // namespace corvane
