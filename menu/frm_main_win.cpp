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

// The pointer over an item's normal image (picScr1_MouseMove ...).
void Light(ImageControl image) { Apply(menu::MouseMoveOver(hover, image)); }

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

// Each item's handlers, named after its images in the window table: a move
// over its normal image lights it (picScr1_MouseMove ...); a click reaches
// the normal image, or on a small item its highlighted one, which replaced
// the normal one as the pointer came over it (picScr1_Click, picWWW2_Click
// ...). The markers have no click of their own.
forms::Handlers Handlers() {
    forms::Handlers handlers = {{"Form_Load", Form_Load}, {"Form_MouseMove", Form_MouseMove}};
    for (const menu::MenuItem& item : menu::kMenuItems) {
        const ImageControl normal = item.normal, clicked = menu::ClickImage(item);
        handlers[std::string(menu::NameOf(normal)) + "_MouseMove"] = [normal] { Light(normal); };
        handlers[std::string(menu::NameOf(clicked)) + "_Click"] = [clicked] { Run(clicked); };
    }
    return handlers;
}

forms::Form& Form() {
    static forms::Form form("frmMain", Handlers());
    return form;
}

}  // namespace

void ShowModal() { Form().ShowModal(); }

}  // namespace frmMain
