// The items lighting under the mouse, moved through the system's input queue
// and checked on the screen pixel by pixel against the pictures in menu.exe.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/e2e/menu_harness_win.h"

namespace e2e {
namespace {

class MenuHover : public MenuTest {
protected:
    // Waits until the menu's client area shows the items named in `lit` lit
    // and the rest normal; the repaint follows the move a little later.
    void ExpectShowing(const std::string& lit) {
        Screenshot expected = pictures_->Expected(lit);
        POINT origin = {0, 0};
        ClientToScreen(window_, &origin);
        std::string differences;
        bool same = WaitUntil(
            [&] {
                differences = CompareClientArea(CaptureScreen(), origin, expected);
                return differences.empty();
            },
            3000);
        EXPECT_TRUE(same) << "lit: \"" << lit << "\": " << differences;
    }

    std::unique_ptr<MenuPictures> pictures_;
};

TEST_F(MenuHover, ItemsLightUnderThePointerAndOnlyTheBackdropPutsThemOut) {
    pictures_ = std::make_unique<MenuPictures>(cd_ + "\\menu.exe");
    ASSERT_TRUE(pictures_->Loaded());
    ASSERT_NE(StartMenu(), nullptr);
    ExpectShowing("");

    struct Step {
        const char* what;
        std::optional<POINT> to;  // a client point, or none: out of the window
        const char* lit;
    };
    const Step steps[] = {
        {"over the backdrop", kBackdropPoint, ""},
        {"over Screen Saver: its marker", kScreenSaver.point, "picScr1"},
        {"straight on to Desktop Theme: both lit", kDesktopTheme.point, "picScr1 picThm1"},
        {"back over the backdrop", kBackdropPoint, ""},
        {"over Game", kGame.point, "picGame1"},
        {"over Flash player", kFlashPlayer.point, "picGame1 picFlash1"},
        {"over the Web site: its highlighted twin", kWebSiteItem.point, "picGame1 picFlash1 picWWW1"},
        {"over Help", kHelp.point, "picGame1 picFlash1 picWWW1 picHelp1"},
        {"over Exit", kExit.point, "picGame1 picFlash1 picWWW1 picHelp1 picExit1"},
        {"out of the window straight from an item", std::nullopt,
         "picGame1 picFlash1 picWWW1 picHelp1 picExit1"},
        {"over the backdrop", kBackdropPoint, ""},
        {"over the gap between two rows", POINT{300, 152}, ""},
        {"over the Screen Saver marker's place, its item under it", POINT{412, 132}, "picScr1"},
        {"over the backdrop below the items", POINT{300, 340}, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.to) MoveTo(*step.to);
        else MoveOutside();
        ExpectShowing(step.lit);
    }
}

}  // namespace
}  // namespace e2e
