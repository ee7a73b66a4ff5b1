#include "menu/hover_rules.h"

namespace menu {

namespace {

void SetVisible(HoverState& state, ImageControl control, bool visible, ChangedImages& changed) {
    bool& current = state.visible[control];
    if (current == visible) return;
    current = visible;
    changed.push_back(control);
}

constexpr bool ItemsNameTheirImages() {
    for (const MenuItem& item : kMenuItems) {
        if (item.normal >= kImageCount || item.lit >= kImageCount || item.normal == item.lit) return false;
    }
    return true;
}
static_assert(ItemsNameTheirImages(), "every item has a normal and a lit image of its own in the window table");

}  // namespace

const char* NameOf(ImageControl control) { return kImageNames[control]; }

ImageControl ImageNamed(std::string_view name) {
    for (ImageControl i = 0; i < kImageCount; ++i) {
        if (name == kImageNames[i]) return i;
    }
    return kImageCount;
}

ImageControl ClickImage(const MenuItem& item) { return item.hover == Hover::Marker ? item.normal : item.lit; }

HoverState HoverStateFrom(const forms::FormTable& table) {
    HoverState state;
    for (std::size_t i = 0; i < kImageCount; ++i) {
        const forms::Item* item = table.Find(kImageNames[i]);
        state.visible[i] = item != nullptr && item->Flag("Visible", true);
    }
    return state;
}

ChangedImages MouseMoveOverBackground(HoverState& state) {
    // Item by item, the normal image shown before its marker or highlight is
    // hidden, so no item is ever drawn with neither.
    ChangedImages changed;
    for (const MenuItem& item : kMenuItems) {
        SetVisible(state, item.normal, true, changed);
        SetVisible(state, item.lit, false, changed);
    }
    return changed;
}

ChangedImages MouseMoveOver(HoverState& state, ImageControl control) {
    ChangedImages changed;
    for (const MenuItem& item : kMenuItems) {
        if (item.normal != control) continue;
        if (item.hover == Hover::Swap) SetVisible(state, item.normal, false, changed);
        SetVisible(state, item.lit, true, changed);
    }
    return changed;
}

MenuClick ClickAction(ImageControl control) {
    for (const MenuItem& item : kMenuItems) {
        if (ClickImage(item) == control) return {item.click, item.target};
    }
    return {ClickKind::Nothing, {}};
}

}  // namespace menu
