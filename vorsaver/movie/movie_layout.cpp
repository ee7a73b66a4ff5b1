#include "vorsaver/movie/movie_layout.h"

namespace vorsaver {

TwipsPoint CentreOnScreen(float screenWidth, float screenHeight, float controlWidth, float controlHeight) {
    return TwipsPoint{(screenWidth - controlWidth) / 2.0f, (screenHeight - controlHeight) / 2.0f};
}

}  // namespace vorsaver
