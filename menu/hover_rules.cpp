#include "menu/hover_rules.h"

#include <utility>

#include "common/app_text.h"
#include "menu/menu_commands.h"

namespace menu {

namespace {

using C = ImageControl;

constexpr std::size_t Index(ImageControl control) { return static_cast<std::size_t>(control); }

// Indexed by ImageControl, so in stacking order.
constexpr std::array<ImageLayout, kImageCount> kLayouts{{
    {"picExit1", 5760, 4560, 570, 150, 38, 10, true},
    {"picWWW1", 2760, 4560, 1965, 150, 131, 10, true},
    {"picFlash1", 3720, 3600, 3120, 360, 208, 24, true},
    {"picGame1", 4800, 3000, 1995, 360, 133, 24, true},
    {"picThm1", 3240, 2400, 3480, 360, 232, 24, true},
    {"picScr1", 3240, 1800, 3165, 360, 211, 24, true},
    {"picHelp1", 4800, 4560, 795, 150, 53, 10, true},
    {"picExit2", 5760, 4560, 570, 150, 38, 10, false},
    {"picHelp2", 4800, 4560, 795, 150, 53, 10, false},
    {"picScr2", 6010, 1800, 330, 360, 22, 24, false},
    {"picWWW2", 2760, 4560, 1965, 150, 131, 10, false},
    {"picThm2", 6250, 2400, 330, 360, 22, 24, false},
    {"picGame2", 6370, 3000, 330, 360, 22, 24, false},
    {"picFlash2", 6470, 3600, 330, 360, 22, 24, false},
}};

void SetVisible(HoverState& state, ImageControl control, bool visible, ChangedImages& changed) {
    bool& current = state.visible[Index(control)];
    if (current == visible) return;
    current = visible;
    changed.push_back(control);
}

}  // namespace

const ImageLayout& LayoutOf(ImageControl control) { return kLayouts[Index(control)]; }

ImageRects ImageRectsAt(int dotsPerInch) {
    ImageRects rects;
    for (std::size_t i = 0; i < kImageCount; ++i) {
        const ImageLayout& layout = kLayouts[i];
        rects[i] = {common::TwipsToPixels(layout.leftTwips, dotsPerInch),
                    common::TwipsToPixels(layout.topTwips, dotsPerInch), layout.imageWidth, layout.imageHeight};
    }
    return rects;
}

HoverState InitialHoverState() {
    HoverState state;
    for (std::size_t i = 0; i < kImageCount; ++i) state.visible[i] = kLayouts[i].visibleAtStart;
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

std::optional<ImageControl> HitTest(const HoverState& state, int x, int y, const ImageRects& rects) {
    for (std::size_t i = kImageCount; i-- > 0;) {
        if (state.visible[i] && rects[i].Contains(x, y)) return static_cast<ImageControl>(i);
    }
    return std::nullopt;
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
