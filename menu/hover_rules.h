// The menu window's items: which of their images show, how the mouse lights
// them and what a click on each one does, all read from the item table
// (menu/menu_items.tsv). Where the images lie and which show at first is the
// window table's business (menu_frmMain.frm).
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

#include "forms/form_table.h"
#include "menu/menu_commands.h"

namespace menu {

// An image control: its place in the window table's stacking order, bottom
// to top. Every marker and highlighted image lies above every normal image.
// Digit 1 is the normal image of an item, digit 2 its hover marker (the
// large items) or its highlighted twin (the small ones).
using ImageControl = std::size_t;

// How an item lights up under the pointer, which also says which image of
// it takes the click.
enum class Hover {
    Marker,  // the lit image is a marker shown above the normal one, which takes the click
    Swap,    // the lit image takes the normal one's place, and the click
};

enum class ClickKind {
    Nothing,         // markers and the normal small images
    StartInstaller,  // target: the installer's command line
    ThemeProcedure,  // the installer depends on the Windows version
    Game,            // target: the document for exec after the menu's folder
    Help,            // target: likewise
    WebSite,         // target: the address for the shell
    Exit,            // ends the program at once
};

struct MenuItem {
    const char* item;
    ImageControl normal;
    ImageControl lit;
    Hover hover;
    ClickKind click;
    std::string_view target;
};

// kImageNames (the controls' names in the window table, which is also how
// their events reach the window's handlers) and kMenuItems, in the order
// the background resets them.
#include "menu/menu_items.inc"

inline constexpr std::size_t kImageCount = std::size(kImageNames);
inline constexpr std::size_t kItemCount = std::size(kMenuItems);

const char* NameOf(ImageControl control);
// The image the table names so, or kImageCount where there is none.
ImageControl ImageNamed(std::string_view name);
// The image of the item that a click on it reaches.
ImageControl ClickImage(const MenuItem& item);

// The hover state is nothing but which images show.
struct HoverState {
    std::array<bool, kImageCount> visible{};
    bool IsVisible(ImageControl control) const { return visible[control]; }
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

// The pointer moved over a control: a marker item shows its marker, a swap
// item swaps to its highlighted image. Markers and highlighted images have
// no mouse-move rule, and nothing resets the other items here.
ChangedImages MouseMoveOver(HoverState& state, ImageControl control);

struct MenuClick {
    ClickKind kind = ClickKind::Nothing;
    std::string_view target;
};

MenuClick ClickAction(ImageControl control);

}  // namespace menu
