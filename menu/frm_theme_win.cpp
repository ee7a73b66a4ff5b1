#include "menu/frm_theme_win.h"

#include "forms/form_win.h"
#include "menu/menu_commands.h"
#include "menu/start_or_report_win.h"
#include "menu/theme_procedure.h"

namespace frmTheme {

namespace {

forms::Form& Form();

// Runs each time the dialog is made: the directions replace whatever the box
// held, so a second showing never doubles them.
void Form_Load() { Form()["Text1"].SetCaption(menu::ThemeDirections()); }

// "&Install Wallpaper Only >", also Enter from the text box: the NT theme
// installer puts on the wallpaper alone. The dialog closes whether or not it
// could be started; a failure has been named in a box by then.
void Command1_Click() {
    menu::StartOrReport(Form().Window(), menu::kThemeNTInstaller);
    Form().Unload();
}

// "&Exit": back to the menu, nothing started.
void Command2_Click() { Form().Unload(); }

forms::Form& Form() {
    static forms::Form form("frmTheme", {
                                            {"Form_Load", Form_Load},
                                            {"Command1_Click", Command1_Click},
                                            {"Command2_Click", Command2_Click},
                                        });
    return form;
}

}  // namespace

void ShowModal() { Form().ShowModal(); }

}  // namespace frmTheme
