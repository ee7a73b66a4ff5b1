// The menu window's fourteen image controls: which of them show, how the
// mouse lights them and what a click on each one does. Where they lie and
// which show at first is the window table's business (menu_frmMain.frm).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "forms/form_table.h"

namespace menu {

// In stacking order, bottom to top, as the window table declares them: every
// marker and highlighted image lies above every normal image. Digit 1 is the
// normal image of an item, digit 2 its hover marker (the four large items) or
// its highlighted twin (the three small ones).
enum class ImageControl {
    picExit1, picWWW1, picFlash1, picGame1, picThm1, picScr1, picHelp1,
    picExit2, picHelp2, picScr2, picWWW2, picThm2, picGame2, picFlash2,
};
inline constexpr std::size_t kImageCount = 14;

// The control's name in the window table, which is also how its events reach
// the window's handlers.
const char* NameOf(ImageControl control);

// The hover state is nothing but which images show.
struct HoverState {
    std::array<bool, kImageCount> visible{};
    bool IsVisible(ImageControl control) const { return visible[static_cast<std::size_t>(control)]; }
};

// The images as the table shows them when the window opens: by each
// control's Visible flag, shown when it has none, as the forms layer reads
// it. An image the table lacks counts as hidden.
HoverState HoverStateFrom(const forms::FormTable& table);

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
