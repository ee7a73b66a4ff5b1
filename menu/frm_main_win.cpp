#include "menu/frm_main_win.h"

#include <windows.h>

#include <string>

#include "common/app_folder_win.h"
#include "forms/form_win.h"
#include "menu/frm_theme_win.h"
#include "menu/hover_rules.h"
#include "menu/menu_commands.h"
#include "menu/module1_win.h"
#include "menu/module2_win.h"
#include "menu/module3_win.h"
#include "menu/module4_win.h"
#include "menu/start_or_report_win.h"
#include "menu/theme_procedure.h"

namespace frmMain {

namespace {

using menu::ImageControl;
using C = menu::ImageControl;

// Which images show: the rules decide, the window only mirrors it.
menu::HoverState hover;

forms::Form& Form();

forms::Control& Image(ImageControl image) { return Form()[menu::NameOf(image)]; }

void Apply(const menu::ChangedImages& changed) {
    for (ImageControl image : changed) Image(image).SetVisible(hover.IsVisible(image));
}

// Runs before the window is first shown. A position set here wins over the
// table's centring, so the menu opens at the screen's top-left corner. The
// hover state starts from what the table shows, as the images do.
void Form_Load() {
    hover = menu::HoverStateFrom(Form().Table());
    Form().Move(20, 20);
}

// The pointer over the backdrop itself: every item back to normal. Only
// this resets them, so an item left straight for the outside stays lit.
void Form_MouseMove() { Apply(menu::MouseMoveOverBackground(hover)); }

void Light(ImageControl image) { Apply(menu::MouseMoveOver(hover, image)); }
void picScr1_MouseMove() { Light(C::picScr1); }
void picThm1_MouseMove() { Light(C::picThm1); }
void picGame1_MouseMove() { Light(C::picGame1); }
void picFlash1_MouseMove() { Light(C::picFlash1); }
void picWWW1_MouseMove() { Light(C::picWWW1); }
void picHelp1_MouseMove() { Light(C::picHelp1); }
void picExit1_MouseMove() { Light(C::picExit1); }

// The Desktop Theme item: the installer that suits this Windows, or the
// directions for adding theme support, or word that the system is not one
// the pack was made for.
void ThemeProcedure() {
    // Desktop Themes lives on the system drive; only the Windows 95/98
    // family is asked whether it is there.
    std::string themesProgram = menu::ThemesProgramPath(Module4::GetSystemDir());
    std::string version = Module2::GetWindowsVersion();
    bool themesPresent = menu::NamesWindows9x(version) && Module3::FileExists(themesProgram);
    switch (menu::DecideThemeAction(version, themesPresent)) {
    case menu::ThemeAction::StartInsttm98:
        menu::StartOrReport(Form().Window(), menu::kTheme98Installer);
        break;
    case menu::ThemeAction::ShowThemeDialog:
        frmTheme::ShowModal();
        break;
    case menu::ThemeAction::StartInsttmNT:
        menu::StartOrReport(Form().Window(), menu::kThemeNTInstaller);
        break;
    case menu::ThemeAction::InvalidWindowsType:
        MessageBoxA(Form().Window(), menu::kInvalidWindowsText, menu::kInvalidWindowsTitle, MB_OK);
        break;
    }
}

void Run(ImageControl image) {
    menu::MenuClick click = menu::ClickAction(image);
    std::string target(click.target);
    switch (click.kind) {
    case menu::ClickKind::Nothing:
        break;
    case menu::ClickKind::StartInstaller:
        menu::StartOrReport(Form().Window(), target);
        break;
    case menu::ClickKind::ThemeProcedure:
        ThemeProcedure();
        break;
    case menu::ClickKind::Game:
    case menu::ClickKind::Help:
        menu::StartOrReport(Form().Window(), menu::ExecCommand(common::ApplicationFolder(), target));
        break;
    case menu::ClickKind::WebSite:
        Module1::OpenDocument(target);
        break;
    case menu::ClickKind::Exit:
        // At once: no close request, no unloading.
        ExitProcess(0);
    }
}

// A click on an item. The small items are clicked on their highlighted
// image, which replaced the normal one as the pointer came over it; the
// markers have no click of their own.
void picScr1_Click() { Run(C::picScr1); }
void picThm1_Click() { Run(C::picThm1); }
void picGame1_Click() { Run(C::picGame1); }
void picFlash1_Click() { Run(C::picFlash1); }
void picWWW2_Click() { Run(C::picWWW2); }
void picHelp2_Click() { Run(C::picHelp2); }
void picExit2_Click() { Run(C::picExit2); }

forms::Form& Form() {
    static forms::Form form("frmMain", {
                                           {"Form_Load", Form_Load},
                                           {"Form_MouseMove", Form_MouseMove},
                                           {"picScr1_MouseMove", picScr1_MouseMove},
                                           {"picThm1_MouseMove", picThm1_MouseMove},
                                           {"picGame1_MouseMove", picGame1_MouseMove},
                                           {"picFlash1_MouseMove", picFlash1_MouseMove},
                                           {"picWWW1_MouseMove", picWWW1_MouseMove},
                                           {"picHelp1_MouseMove", picHelp1_MouseMove},
                                           {"picExit1_MouseMove", picExit1_MouseMove},
                                           {"picScr1_Click", picScr1_Click},
                                           {"picThm1_Click", picThm1_Click},
                                           {"picGame1_Click", picGame1_Click},
                                           {"picFlash1_Click", picFlash1_Click},
                                           {"picWWW2_Click", picWWW2_Click},
                                           {"picHelp2_Click", picHelp2_Click},
                                           {"picExit2_Click", picExit2_Click},
                                       });
    return form;
}

}  // namespace

void ShowModal() { Form().ShowModal(); }

}  // namespace frmMain
