#include "menu/start_or_report_win.h"

#include "menu/menu_commands.h"
#include "menu/start_program_win.h"

namespace menu {

void StartOrReport(HWND owner, const std::string& commandLine) {
    StartResult started = StartProgram(commandLine);
    if (started.ok) return;
    MessageBoxA(owner, started.message.c_str(), kMenuTitle, MB_OK | MB_ICONERROR);
}

}  // namespace menu
