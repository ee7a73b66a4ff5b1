#include "vorsaver/movie/movie_layout.h"

#include <algorithm>

#include "common/twips.h"

namespace vorsaver {

TwipsPoint CentreOnScreen(float screenWidth, float screenHeight, float controlWidth, float controlHeight) {
    return TwipsPoint{(screenWidth - controlWidth) / 2.0f, (screenHeight - controlHeight) / 2.0f};
}

SaverPlacement PlaceSaver(const std::vector<PixelBox>& monitors, std::size_t primary, int dpiX, int dpiY) {
    SaverPlacement placement;
    if (monitors.empty()) return placement;
    int left = monitors[0].left, top = monitors[0].top;
    int right = left + monitors[0].width, bottom = top + monitors[0].height;
    for (const PixelBox& monitor : monitors) {
        left = std::min(left, monitor.left);
        top = std::min(top, monitor.top);
        right = std::max(right, monitor.left + monitor.width);
        bottom = std::max(bottom, monitor.top + monitor.height);
    }
    placement.window = {left, top, right - left, bottom - top};

    const PixelBox& screen = monitors[primary < monitors.size() ? primary : 0];
    const TwipsPoint centre = CentreOnScreen(static_cast<float>(common::PixelsToTwips(screen.width, dpiX)),
                                             static_cast<float>(common::PixelsToTwips(screen.height, dpiY)),
                                             kMovieWidthTwips, kMovieHeightTwips);
    placement.movie = {screen.left - left + common::TwipsToPixels(centre.left, dpiX),
                       screen.top - top + common::TwipsToPixels(centre.top, dpiY),
                       common::TwipsToPixels(kMovieWidthTwips, dpiX), common::TwipsToPixels(kMovieHeightTwips, dpiY)};
    return placement;
}

}  // namespace vorsaver
