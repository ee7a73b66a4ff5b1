// The menu window's fourteen image controls: where they lie, which of them
// show, how the mouse lights them and what a click on each one does.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace menu {

// In stacking order, bottom to top: every marker and highlighted image lies
// above every normal image. Digit 1 is the normal image of an item, digit 2
// its hover marker (the four large items) or its highlighted twin (the three
// small ones).
enum class ImageControl {
    picExit1, picWWW1, picFlash1, picGame1, picThm1, picScr1, picHelp1,
    picExit2, picHelp2, picScr2, picWWW2, picThm2, picGame2, picFlash2,
};
inline constexpr std::size_t kImageCount = 14;

struct ImageLayout {
    const char* name;
    // As declared on the window; some positions are not whole pixels
    // (6010 twips is 400.7 pixels), so the window converts them itself.
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
    // The picture's natural size: it is drawn unstretched.
    int imageWidth;
    int imageHeight;
    bool visibleAtStart;
};

const ImageLayout& LayoutOf(ImageControl control);

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};
using ImageRects = std::array<PixelRect, kImageCount>;

// Where each picture covers the client area: the declared position in
// pixels at the given resolution, the picture's own size.
ImageRects ImageRectsAt(int dotsPerInch);

// The hover state is nothing but which images show.
struct HoverState {
    std::array<bool, kImageCount> visible{};
    bool IsVisible(ImageControl control) const { return visible[static_cast<std::size_t>(control)]; }
};
HoverState InitialHoverState();

// The controls whose visibility a rule changed, in the order it changed them,
// so the window repaints just those. Empty when every control already had the
// state the rule sets.
using ChangedImages = std::vector<ImageControl>;

// The pointer moved over the window itself: every item back to normal.
ChangedImages MouseMoveOverBackground(HoverState& state);

// The pointer moved over a control: a large item shows its marker, a small
// item swaps to its highlighted image. Markers and highlighted images have no
// mouse-move rule, and nothing resets the other items here.
ChangedImages MouseMoveOver(HoverState& state, ImageControl control);

// The topmost visible control under a client-area point, or none when the
// point is over the window itself.
std::optional<ImageControl> HitTest(const HoverState& state, int x, int y, const ImageRects& rects);

enum class ClickKind {
    Nothing,         // markers and the normal small images
    StartInstaller,  // target: the installer's command line
    ThemeProcedure,  // the installer depends on the Windows version
    Game,            // target: the document for exec after the menu's folder
    Help,            // target: likewise
    WebSite,         // target: the address for the shell
    Exit,            // ends the program at once
};

struct MenuClick {
    ClickKind kind = ClickKind::Nothing;
    std::string_view target;
};

MenuClick ClickAction(ImageControl control);

}  // namespace menu
