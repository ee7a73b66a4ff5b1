#include "menu/hover_rules.h"

#include <utility>

#include "menu/menu_commands.h"

namespace menu {

namespace {

using C = ImageControl;

constexpr std::size_t Index(ImageControl control) { return static_cast<std::size_t>(control); }

// Indexed by ImageControl.
constexpr const char* kNames[kImageCount] = {
    "picExit1", "picWWW1", "picFlash1", "picGame1", "picThm1", "picScr1", "picHelp1",
    "picExit2", "picHelp2", "picScr2", "picWWW2", "picThm2", "picGame2", "picFlash2",
};

void SetVisible(HoverState& state, ImageControl control, bool visible, ChangedImages& changed) {
    bool& current = state.visible[Index(control)];
    if (current == visible) return;
    current = visible;
    changed.push_back(control);
}

}  // namespace

const char* NameOf(ImageControl control) { return kNames[Index(control)]; }

HoverState HoverStateFrom(const forms::FormTable& table) {
    HoverState state;
    for (std::size_t i = 0; i < kImageCount; ++i) {
        const forms::Item* item = table.Find(kNames[i]);
        state.visible[i] = item != nullptr && item->Flag("Visible", true);
    }
    return state;
}

ChangedImages MouseMoveOverBackground(HoverState& state) {
    // Item by item, the normal image shown before its marker or highlight is
    // hidden, so no item is ever drawn with neither.
    static constexpr std::pair<C, C> kPairs[] = {
        {C::picScr1, C::picScr2},   {C::picThm1, C::picThm2},   {C::picGame1, C::picGame2},
        {C::picWWW1, C::picWWW2},   {C::picFlash1, C::picFlash2}, {C::picHelp1, C::picHelp2},
        {C::picExit1, C::picExit2},
    };
    ChangedImages changed;
    for (const auto& [normal, lit] : kPairs) {
        SetVisible(state, normal, true, changed);
        SetVisible(state, lit, false, changed);
    }
    return changed;
}

ChangedImages MouseMoveOver(HoverState& state, ImageControl control) {
    ChangedImages changed;
    auto swap = [&](C normal, C lit) {
        SetVisible(state, normal, false, changed);
        SetVisible(state, lit, true, changed);
    };
    switch (control) {
    case C::picScr1: SetVisible(state, C::picScr2, true, changed); break;
    case C::picThm1: SetVisible(state, C::picThm2, true, changed); break;
    case C::picGame1: SetVisible(state, C::picGame2, true, changed); break;
    case C::picFlash1: SetVisible(state, C::picFlash2, true, changed); break;
    case C::picWWW1: swap(C::picWWW1, C::picWWW2); break;
    case C::picHelp1: swap(C::picHelp1, C::picHelp2); break;
    case C::picExit1: swap(C::picExit1, C::picExit2); break;
    default: break;
    }
    return changed;
}

MenuClick ClickAction(ImageControl control) {
    switch (control) {
    case C::picScr1: return {ClickKind::StartInstaller, kScreenSaverInstaller};
    case C::picThm1: return {ClickKind::ThemeProcedure, {}};
    case C::picGame1: return {ClickKind::Game, kGamePage};
    case C::picFlash1: return {ClickKind::StartInstaller, kFlashInstaller};
    case C::picWWW2: return {ClickKind::WebSite, kWebSiteAddress};
    case C::picHelp2: return {ClickKind::Help, kHelpFile};
    case C::picExit2: return {ClickKind::Exit, {}};
    default: return {ClickKind::Nothing, {}};
    }
}

}  // namespace menu
