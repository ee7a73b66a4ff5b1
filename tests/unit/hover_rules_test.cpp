#include "menu/hover_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "menu/menu_commands.h"
#include "tests/unit/shipped_table.h"

namespace menu {
namespace {

// An image by its name in the window table.
ImageControl I(const char* name) {
    const ImageControl image = ImageNamed(name);
    EXPECT_LT(image, kImageCount) << name;
    return image;
}

bool IsLitImage(ImageControl image) {
    for (const MenuItem& item : kMenuItems) {
        if (item.lit == image) return true;
    }
    return false;
}

std::string Names(const ChangedImages& images) {
    std::string text;
    for (ImageControl image : images) text += std::string(text.empty() ? "" : " ") + NameOf(image);
    return text;
}

// The markers and highlighted images that show, bottom to top.
std::string Lit(const HoverState& state) {
    ChangedImages lit;
    for (ImageControl i = 0; i < kImageCount; ++i) {
        if (IsLitImage(i) && state.visible[i]) lit.push_back(i);
    }
    return Names(lit);
}

// The normal images that do not show, bottom to top.
std::string Hidden(const HoverState& state) {
    ChangedImages hidden;
    for (ImageControl i = 0; i < kImageCount; ++i) {
        if (!IsLitImage(i) && !state.visible[i]) hidden.push_back(i);
    }
    return Names(hidden);
}

// Every item normal: the normal images show, no marker or highlight.
HoverState NormalItems() {
    HoverState state;
    for (ImageControl i = 0; i < kImageCount; ++i) state.visible[i] = !IsLitImage(i);
    return state;
}

TEST(HoverRules, StartFromTheTablesVisibleFlags) {
    // One image in the table at a time; every one it lacks counts as hidden.
    const std::string allNormalHidden = Hidden(HoverState{});
    std::string allButGame = " " + allNormalHidden + " ";
    allButGame.replace(allButGame.find(" picGame1 "), 10, " ");
    allButGame = allButGame.substr(1, allButGame.size() - 2);
    struct Case { ImageControl image; const char* visible; const char* lit; std::string hidden; };
    const Case cases[] = {
        {I("picScr2"), "True", "picScr2", allNormalHidden},
        {I("picScr2"), "False", "", allNormalHidden},
        {I("picFlash2"), nullptr, "picFlash2", allNormalHidden},  // no flag: shown
        {I("picGame1"), nullptr, "", allButGame},
        {I("picGame1"), "False", "", allNormalHidden},
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

// The mouse goes to the topmost image that shows, so a lit image below a
// normal one would never be reached; a highlighted twin must cover its
// normal image exactly, or the pointer could fall between them.
TEST(HoverRules, TheShippedItemsLitImagesLieAboveAndTwinsCoverTheirItem) {
    forms::TableParse parsed = forms::ReadShippedTable("menu_frmMain.frm");
    ASSERT_TRUE(parsed.table) << parsed.error;
    ImageControl highestNormal = 0, lowestLit = kImageCount;
    for (const MenuItem& item : kMenuItems) {
        highestNormal = std::max(highestNormal, item.normal);
        lowestLit = std::min(lowestLit, item.lit);
        if (item.hover != Hover::Swap) continue;
        const forms::Item* normal = parsed.table->Find(NameOf(item.normal));
        const forms::Item* lit = parsed.table->Find(NameOf(item.lit));
        ASSERT_TRUE(normal != nullptr && lit != nullptr) << item.item;
        for (const char* property : {"Left", "Top", "Width", "Height"}) {
            EXPECT_EQ(normal->properties.at(property), lit->properties.at(property)) << item.item << " " << property;
        }
    }
    EXPECT_LT(highestNormal, lowestLit);
}
#endif

TEST(HoverRules, SequencesOfMouseMoves) {
    const ImageControl kBackground = kImageCount;
    struct Step { ImageControl over; const char* changed; const char* lit; const char* hidden; };
    struct Scenario { const char* what; std::vector<Step> steps; };
    const Scenario scenarios[] = {
        {"a large item shows its marker and stays visible",
         {{I("picScr1"), "picScr2", "picScr2", ""},
          {I("picScr1"), "", "picScr2", ""}}},
        {"a small item swaps to its highlight, hiding first",
         {{I("picWWW1"), "picWWW1 picWWW2", "picWWW2", "picWWW1"},
          {I("picHelp1"), "picHelp1 picHelp2", "picHelp2 picWWW2", "picWWW1 picHelp1"},
          {I("picExit1"), "picExit1 picExit2", "picExit2 picHelp2 picWWW2", "picExit1 picWWW1 picHelp1"}}},
        {"item to item without the background between: both stay lit",
         {{I("picScr1"), "picScr2", "picScr2", ""},
          {I("picThm1"), "picThm2", "picScr2 picThm2", ""},
          {I("picGame1"), "picGame2", "picScr2 picThm2 picGame2", ""},
          {I("picFlash1"), "picFlash2", "picScr2 picThm2 picGame2 picFlash2", ""},
          {I("picWWW1"), "picWWW1 picWWW2", "picScr2 picWWW2 picThm2 picGame2 picFlash2", "picWWW1"}}},
        {"the background resets every item in its order",
         {{I("picFlash1"), "picFlash2", "picFlash2", ""},
          {I("picExit1"), "picExit1 picExit2", "picExit2 picFlash2", "picExit1"},
          {I("picScr1"), "picScr2", "picExit2 picScr2 picFlash2", "picExit1"},
          {I("picWWW1"), "picWWW1 picWWW2", "picExit2 picScr2 picWWW2 picFlash2", "picExit1 picWWW1"},
          {kBackground, "picScr2 picWWW1 picWWW2 picFlash2 picExit1 picExit2", "", ""},
          {kBackground, "", "", ""}}},
        {"the background at start changes nothing",
         {{kBackground, "", "", ""}}},
        {"markers and highlighted images have no mouse-move rule",
         {{I("picScr1"), "picScr2", "picScr2", ""},
          {I("picScr2"), "", "picScr2", ""},
          {I("picHelp1"), "picHelp1 picHelp2", "picHelp2 picScr2", "picHelp1"},
          {I("picHelp2"), "", "picHelp2 picScr2", "picHelp1"},
          {I("picThm2"), "", "picHelp2 picScr2", "picHelp1"},
          {I("picExit2"), "", "picHelp2 picScr2", "picHelp1"}}},
        {"the pointer leaving from an item leaves it lit until the background",
         {{I("picGame1"), "picGame2", "picGame2", ""},
          {I("picGame2"), "", "picGame2", ""},
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
        {I("picScr1"), ClickKind::StartInstaller, kScreenSaverInstaller},
        {I("picThm1"), ClickKind::ThemeProcedure, ""},
        {I("picGame1"), ClickKind::Game, kGamePage},
        {I("picFlash1"), ClickKind::StartInstaller, kFlashInstaller},
        {I("picWWW2"), ClickKind::WebSite, kWebSiteAddress},
        {I("picHelp2"), ClickKind::Help, kHelpFile},
        {I("picExit2"), ClickKind::Exit, ""},
        // Markers and the normal small images: a click there does nothing.
        {I("picScr2"), ClickKind::Nothing, ""},   {I("picThm2"), ClickKind::Nothing, ""},
        {I("picGame2"), ClickKind::Nothing, ""},  {I("picFlash2"), ClickKind::Nothing, ""},
        {I("picWWW1"), ClickKind::Nothing, ""},   {I("picHelp1"), ClickKind::Nothing, ""},
        {I("picExit1"), ClickKind::Nothing, ""},
    };
    for (const Case& c : cases) {
        MenuClick click = ClickAction(c.image);
        EXPECT_EQ(click.kind, c.kind) << NameOf(c.image);
        EXPECT_EQ(click.target, c.target) << NameOf(c.image);
    }
}

}  // namespace
}  // namespace menu
