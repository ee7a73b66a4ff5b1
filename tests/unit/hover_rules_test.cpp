#include "menu/hover_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "menu/menu_commands.h"
#include "tests/unit/shipped_table.h"

namespace menu {
namespace {

using C = ImageControl;

std::string Names(const ChangedImages& images) {
    std::string text;
    for (ImageControl image : images) text += std::string(text.empty() ? "" : " ") + NameOf(image);
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

// Every item normal: the normal images show, no marker or highlight.
HoverState NormalItems() {
    HoverState state;
    for (std::size_t i = 0; i < static_cast<std::size_t>(C::picExit2); ++i) state.visible[i] = true;
    return state;
}

TEST(HoverRules, StartFromTheTablesVisibleFlags) {
    // One image in the table at a time; every one it lacks counts as hidden.
    const char* kAllNormalHidden = "picExit1 picWWW1 picFlash1 picGame1 picThm1 picScr1 picHelp1";
    struct Case { ImageControl image; const char* visible; const char* lit; const char* hidden; };
    const Case cases[] = {
        {C::picScr2, "True", "picScr2", kAllNormalHidden},
        {C::picScr2, "False", "", kAllNormalHidden},
        {C::picFlash2, nullptr, "picFlash2", kAllNormalHidden},  // no flag: shown
        {C::picGame1, nullptr, "", "picExit1 picWWW1 picFlash1 picThm1 picScr1 picHelp1"},
        {C::picGame1, "False", "", kAllNormalHidden},
    };
    for (const Case& c : cases) {
        forms::Item image;
        image.kind = forms::Kind::Image;
        image.name = NameOf(c.image);
        if (c.visible != nullptr) image.properties["Visible"] = c.visible;
        forms::FormTable table;
        table.controls.push_back(image);
        HoverState state = HoverStateFrom(table);
        const char* flag = c.visible != nullptr ? c.visible : "none";
        EXPECT_EQ(Lit(state), c.lit) << NameOf(c.image) << " Visible " << flag;
        EXPECT_EQ(Hidden(state), c.hidden) << NameOf(c.image) << " Visible " << flag;
    }
}

#ifdef VORLAKS_SOURCE_DIR
// The menu window as it ships: the table declares the images the rules name,
// in their stacking order, and opens with every item normal, the state the
// mouse-move sequences below start from. A control the table names otherwise
// would only show as an error box once the pointer moved over the window.
TEST(HoverRules, TheShippedTableHoldsTheImagesAndStartsNormal) {
    forms::TableParse parsed = forms::ReadShippedTable("menu_frmMain.frm");
    ASSERT_TRUE(parsed.table) << parsed.error;
    const forms::FormTable& table = *parsed.table;
    ASSERT_EQ(table.controls.size(), kImageCount);
    for (std::size_t i = 0; i < kImageCount; ++i) {
        EXPECT_EQ(table.controls[i].name, NameOf(static_cast<ImageControl>(i))) << "control " << i;
        EXPECT_EQ(table.controls[i].kind, forms::Kind::Image) << table.controls[i].name;
    }
    HoverState state = HoverStateFrom(table);
    EXPECT_EQ(state.visible, NormalItems().visible) << "lit: " << Lit(state) << "; hidden: " << Hidden(state);
}
#endif

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
        HoverState state = NormalItems();
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
        EXPECT_EQ(click.kind, c.kind) << NameOf(c.image);
        EXPECT_EQ(click.target, c.target) << NameOf(c.image);
    }
}

}  // namespace
}  // namespace menu
