#include "menu/hover_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "menu/menu_commands.h"

namespace menu {
namespace {

using C = ImageControl;

std::string Names(const ChangedImages& images) {
    std::string text;
    for (ImageControl image : images) text += std::string(text.empty() ? "" : " ") + LayoutOf(image).name;
    return text;
}

// The markers and highlighted images that show, bottom to top.
std::string Lit(const HoverState& state) {
    ChangedImages lit;
    for (std::size_t i = static_cast<std::size_t>(C::picExit2); i < kImageCount; ++i) {
        if (state.visible[i]) lit.push_back(static_cast<ImageControl>(i));
    }
    return Names(lit);
}

std::string Hidden(const HoverState& state) {
    ChangedImages hidden;
    for (std::size_t i = 0; i < static_cast<std::size_t>(C::picExit2); ++i) {
        if (!state.visible[i]) hidden.push_back(static_cast<ImageControl>(i));
    }
    return Names(hidden);
}

TEST(MenuLayout, PixelRectsAt96Dpi) {
    // Whole pixels from the declared twips; the markers' 400.7 and the like
    // round to the nearest pixel.
    struct Case { ImageControl image; PixelRect rect; };
    const Case cases[] = {
        {C::picScr1, {216, 120, 211, 24}},  {C::picScr2, {401, 120, 22, 24}},
        {C::picThm1, {216, 160, 232, 24}},  {C::picThm2, {417, 160, 22, 24}},
        {C::picGame1, {320, 200, 133, 24}}, {C::picGame2, {425, 200, 22, 24}},
        {C::picFlash1, {248, 240, 208, 24}}, {C::picFlash2, {431, 240, 22, 24}},
        {C::picWWW1, {184, 304, 131, 10}},  {C::picWWW2, {184, 304, 131, 10}},
        {C::picHelp1, {320, 304, 53, 10}},  {C::picHelp2, {320, 304, 53, 10}},
        {C::picExit1, {384, 304, 38, 10}},  {C::picExit2, {384, 304, 38, 10}},
    };
    const ImageRects rects = ImageRectsAt(96);
    for (const Case& c : cases) {
        const PixelRect& got = rects[static_cast<std::size_t>(c.image)];
        EXPECT_EQ(got.left, c.rect.left) << LayoutOf(c.image).name;
        EXPECT_EQ(got.top, c.rect.top) << LayoutOf(c.image).name;
        EXPECT_EQ(got.width, c.rect.width) << LayoutOf(c.image).name;
        EXPECT_EQ(got.height, c.rect.height) << LayoutOf(c.image).name;
        // At 96 dpi the declared size is the picture's size.
        EXPECT_EQ(LayoutOf(c.image).widthTwips, c.rect.width * 15) << LayoutOf(c.image).name;
        EXPECT_EQ(LayoutOf(c.image).heightTwips, c.rect.height * 15) << LayoutOf(c.image).name;
    }
}

TEST(MenuLayout, MarkersLieInsideTheirItems) {
    const ImageRects rects = ImageRectsAt(96);
    const std::pair<C, C> pairs[] = {
        {C::picScr1, C::picScr2}, {C::picThm1, C::picThm2}, {C::picGame1, C::picGame2}, {C::picFlash1, C::picFlash2},
    };
    for (const auto& [item, marker] : pairs) {
        const PixelRect& i = rects[static_cast<std::size_t>(item)];
        const PixelRect& m = rects[static_cast<std::size_t>(marker)];
        EXPECT_GE(m.left, i.left) << LayoutOf(marker).name;
        EXPECT_LE(m.left + m.width, i.left + i.width) << LayoutOf(marker).name;
        EXPECT_EQ(m.top, i.top) << LayoutOf(marker).name;
    }
}

TEST(HoverRules, StartWithNormalImagesOnly) {
    HoverState state = InitialHoverState();
    EXPECT_EQ(Lit(state), "");
    EXPECT_EQ(Hidden(state), "");
}

TEST(HoverRules, SequencesOfMouseMoves) {
    const ImageControl kBackground = static_cast<ImageControl>(-1);
    struct Step { ImageControl over; const char* changed; const char* lit; const char* hidden; };
    struct Scenario { const char* what; std::vector<Step> steps; };
    const Scenario scenarios[] = {
        {"a large item shows its marker and stays visible",
         {{C::picScr1, "picScr2", "picScr2", ""},
          {C::picScr1, "", "picScr2", ""}}},
        {"a small item swaps to its highlight, hiding first",
         {{C::picWWW1, "picWWW1 picWWW2", "picWWW2", "picWWW1"},
          {C::picHelp1, "picHelp1 picHelp2", "picHelp2 picWWW2", "picWWW1 picHelp1"},
          {C::picExit1, "picExit1 picExit2", "picExit2 picHelp2 picWWW2", "picExit1 picWWW1 picHelp1"}}},
        {"item to item without the background between: both stay lit",
         {{C::picScr1, "picScr2", "picScr2", ""},
          {C::picThm1, "picThm2", "picScr2 picThm2", ""},
          {C::picGame1, "picGame2", "picScr2 picThm2 picGame2", ""},
          {C::picFlash1, "picFlash2", "picScr2 picThm2 picGame2 picFlash2", ""},
          {C::picWWW1, "picWWW1 picWWW2", "picScr2 picWWW2 picThm2 picGame2 picFlash2", "picWWW1"}}},
        {"the background resets every item in its order",
         {{C::picFlash1, "picFlash2", "picFlash2", ""},
          {C::picExit1, "picExit1 picExit2", "picExit2 picFlash2", "picExit1"},
          {C::picScr1, "picScr2", "picExit2 picScr2 picFlash2", "picExit1"},
          {C::picWWW1, "picWWW1 picWWW2", "picExit2 picScr2 picWWW2 picFlash2", "picExit1 picWWW1"},
          {kBackground, "picScr2 picWWW1 picWWW2 picFlash2 picExit1 picExit2", "", ""},
          {kBackground, "", "", ""}}},
        {"the background at start changes nothing",
         {{kBackground, "", "", ""}}},
        {"markers and highlighted images have no mouse-move rule",
         {{C::picScr1, "picScr2", "picScr2", ""},
          {C::picScr2, "", "picScr2", ""},
          {C::picHelp1, "picHelp1 picHelp2", "picHelp2 picScr2", "picHelp1"},
          {C::picHelp2, "", "picHelp2 picScr2", "picHelp1"},
          {C::picThm2, "", "picHelp2 picScr2", "picHelp1"},
          {C::picExit2, "", "picHelp2 picScr2", "picHelp1"}}},
        {"the pointer leaving from an item leaves it lit until the background",
         {{C::picGame1, "picGame2", "picGame2", ""},
          {C::picGame2, "", "picGame2", ""},
          {kBackground, "picGame2", "", ""}}},
    };
    for (const Scenario& scenario : scenarios) {
        HoverState state = InitialHoverState();
        int n = 0;
        for (const Step& step : scenario.steps) {
            ++n;
            ChangedImages changed = step.over == kBackground ? MouseMoveOverBackground(state)
                                                             : MouseMoveOver(state, step.over);
            EXPECT_EQ(Names(changed), step.changed) << scenario.what << ", step " << n;
            EXPECT_EQ(Lit(state), step.lit) << scenario.what << ", step " << n;
            EXPECT_EQ(Hidden(state), step.hidden) << scenario.what << ", step " << n;
        }
    }
}

TEST(HoverRules, HitTestFindsTheTopmostVisibleControl) {
    const ImageRects rects = ImageRectsAt(96);
    HoverState start = InitialHoverState();
    HoverState lit = start;
    for (ImageControl item : {C::picScr1, C::picThm1, C::picGame1, C::picFlash1, C::picWWW1, C::picHelp1, C::picExit1}) {
        MouseMoveOver(lit, item);
    }
    struct Case { int x, y; std::optional<ImageControl> atStart, whenLit; };
    const Case cases[] = {
        {216, 120, C::picScr1, C::picScr1},      // item's top-left corner
        {410, 130, C::picScr1, C::picScr2},      // right end: the marker lies above
        {401, 120, C::picScr1, C::picScr2},
        {400, 120, C::picScr1, C::picScr1},      // just left of the marker
        {426, 143, C::picScr1, C::picScr1},      // item's last pixel, past the marker
        {427, 130, std::nullopt, std::nullopt},  // right edge is exclusive
        {300, 144, std::nullopt, std::nullopt},  // between two rows
        {430, 170, C::picThm1, C::picThm2},
        {430, 210, C::picGame1, C::picGame2},
        {440, 250, C::picFlash1, C::picFlash2},
        {200, 308, C::picWWW1, C::picWWW2},      // small items: the twin takes the place
        {330, 313, C::picHelp1, C::picHelp2},
        {421, 304, C::picExit1, C::picExit2},
        {421, 314, std::nullopt, std::nullopt},  // bottom edge is exclusive
        {0, 0, std::nullopt, std::nullopt},
        {-5, 120, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTest(start, c.x, c.y, rects), c.atStart) << c.x << "," << c.y << " at start";
        EXPECT_EQ(HitTest(lit, c.x, c.y, rects), c.whenLit) << c.x << "," << c.y << " lit";
    }
}

TEST(HoverRules, HitTestSkipsHiddenControls) {
    const ImageRects rects = ImageRectsAt(96);
    HoverState state = InitialHoverState();
    state.visible[static_cast<std::size_t>(C::picScr1)] = false;
    EXPECT_EQ(HitTest(state, 300, 130, rects), std::nullopt);
    state.visible[static_cast<std::size_t>(C::picScr2)] = true;
    EXPECT_EQ(HitTest(state, 410, 130, rects), C::picScr2);
    EXPECT_EQ(HitTest(state, 300, 130, rects), std::nullopt);
}

TEST(HoverRules, WhatAClickDoes) {
    struct Case { ImageControl image; ClickKind kind; std::string_view target; };
    const Case cases[] = {
        {C::picScr1, ClickKind::StartInstaller, kScreenSaverInstaller},
        {C::picThm1, ClickKind::ThemeProcedure, ""},
        {C::picGame1, ClickKind::Game, kGamePage},
        {C::picFlash1, ClickKind::StartInstaller, kFlashInstaller},
        {C::picWWW2, ClickKind::WebSite, kWebSiteAddress},
        {C::picHelp2, ClickKind::Help, kHelpFile},
        {C::picExit2, ClickKind::Exit, ""},
        // Markers and the normal small images: a click there does nothing.
        {C::picScr2, ClickKind::Nothing, ""},   {C::picThm2, ClickKind::Nothing, ""},
        {C::picGame2, ClickKind::Nothing, ""},  {C::picFlash2, ClickKind::Nothing, ""},
        {C::picWWW1, ClickKind::Nothing, ""},   {C::picHelp1, ClickKind::Nothing, ""},
        {C::picExit1, ClickKind::Nothing, ""},
    };
    for (const Case& c : cases) {
        MenuClick click = ClickAction(c.image);
        EXPECT_EQ(click.kind, c.kind) << LayoutOf(c.image).name;
        EXPECT_EQ(click.target, c.target) << LayoutOf(c.image).name;
    }
}

}  // namespace
}  // namespace menu
