// Twips, the unit of the window tables.
#pragma once

namespace common {

// Twips are 1/1440 inch: 15 to a pixel at 96 dots per inch, 12 at 120.
int TwipsToPixels(double twips, int dotsPerInch);
double PixelsToTwips(int pixels, int dotsPerInch);

}  // namespace common
