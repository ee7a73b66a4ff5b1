#include "common/twips.h"

#include <cmath>

namespace common {

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

double PixelsToTwips(int pixels, int dotsPerInch) {
    return pixels * 1440.0 / dotsPerInch;
}

}  // namespace common
